// The upper part of the main window: MapWin with its scrollbars, the zoom buttons, the hover
// labels, the unit panel and the info bar. Presents the renderer's buffer, scrolls and zooms
// by the rules of MapViewLogic and describes the hex under the mouse.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "core/scenario.h"
#include "graphics/map_renderer.h"
#include "view/map_view_logic.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

class QFrame;
class QLabel;
class QProgressBar;
class QScrollBar;
class QToolButton;

namespace k2 {

class MapImage;

class MapView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int32_t PanelHeight = 112;
    static constexpr int32_t MinimumWidth = 420;
    static constexpr int32_t MinimumHeight = 275;

    MapView(Scenario& scenario, MapRenderer& renderer, const DisplaySwitches& switches, SoundPlayer& sounds,
            std::filesystem::path installDir, QWidget* parent = nullptr);

    MapViewLogic& Logic() { return logic_; }
    bool BattleLoaded() const { return loaded_; }

    // A battle became active: set up the view (keeping origin and zoom in the battle), render,
    // present, and set the scrollbars and zoom buttons.
    void ShowBattle();
    // No battle: the title picture, scrollbars and zoom buttons disabled, hover ignored.
    void ShowTitlePicture();
    // The full render with the busy cursor, then present.
    void DisplayMap();
    // Copies the buffer's view rectangle to MapWin.
    void Present();
    // Resizing is ignored once the user has chosen to exit.
    void SetExiting(bool exiting) { exiting_ = exiting; }

    // The hex under the last recorded pointer position (NoSymbol when none).
    int32_t PointerHex() const;
    // The pointer's last position over MapWin, in view pixels ((-1, -1) when it left).
    QPoint PointerPosition() const { return pointer_; }
    // Keys the view would use itself (the arrows) go to `hook` first; it says whether it took one.
    void SetKeyHook(std::function<bool(int key)> hook) { keyHook_ = std::move(hook); }
    void ZoomInAt(int32_t hex);
    void ZoomOut();
    // Scrolls by `positions` scrollbar positions (each two columns or rows), within the range.
    void ScrollBy(ScrollAxis axis, int32_t positions);
    void SetZoomCursor(bool zoom);
    // Scrolls so that `hex` is as near the middle of the view as the scroll rules allow (the
    // origin stays on the map with an even column and row), then renders and presents.
    void CenterOn(int32_t hex);
    // Outlines `hex` over the picture until the next mark; NoSymbol removes the mark. The
    // outline follows scrolls and zooms; the hex outline of a terrain brush wins while shown.
    void MarkHex(int32_t hex);
    int32_t MarkedHex() const { return marked_; }

    // The edit state, read to outline the hex under the pointer while a terrain mode is active
    // (every hex of the brush in the modes that paint with one).
    void SetEditState(const EditState* edit) { edit_ = edit; }
    // Draws marks over the picture each time it is presented (the map selection, a paste's
    // preview); they follow every scroll and zoom.
    void SetOverlay(std::function<void(QImage& picture)> draw) { overlay_ = std::move(draw); }
    // Takes the place of the plain copy of the map into the picture, for a layer blended in on
    // the way (the reference picture): given the renderer's buffer, the part the view shows and
    // what the renderer changed since the last present, it returns false to leave the copy to
    // the view.
    using Presenter =
        std::function<bool(const QImage& map, QRect from, const BufferChanges& changes, QImage& picture)>;
    void SetPresenter(Presenter present) { presenter_ = std::move(present); }
    // The edit mode or the brush changed: the outline under the pointer follows.
    void RefreshBrush() { UpdateBrush(); }

    // Describes the hex under the pointer again in the hover line and the unit panel (after the
    // battle changed under a still pointer).
    void RefreshHover();
    void SetUnitSummary(const std::array<std::string, 5>& lines); // SdeLbl, UntLbl, StsLbl1, BseLbl, RnfLbl
    QLabel* InfoLabel() const { return infLbl_; }
    QProgressBar* ProgressBar() const { return pBar_; }

  signals:
    // A mouse button went down on MapWin while a battle is shown.
    void MapPressed(Qt::MouseButton button);
    // With a button held since MapPressed, the pointer passed over `hex` (every hex on the way
    // between two reported positions, in order).
    void MapDragged(int32_t hex);
    // The button of MapPressed went up.
    void MapReleased(Qt::MouseButton button);
    // A double-click on MapWin (after its MapPressed).
    void MapDoubleClicked(Qt::MouseButton button);
    // The pointer moved on to another hex (NoSymbol: off the map or off MapWin).
    void PointerHexChanged(int32_t hex);
    // The hex the unit panel should describe (NoSymbol to empty it).
    void UnitPanelHexChanged(int32_t hex);
    // The ZoomIn button was pressed (the click dispatch turns it into a zoom pick).
    void ZoomInPressed();
    // The view moved or changed size: after every scroll, zoom, resize, new battle or close.
    void ViewMoved();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildControls();
    void LayOut();
    void SetUpView();
    void UpdateScrollbars();
    void UpdateZoomButtons();
    void OnScroll(ScrollAxis axis, int32_t position);
    void OnMouseMoved(int x, int y);
    void EmitDragPath(QPoint from, QPoint to);
    void UpdateBrush();
    void DrawTitle();
    QPolygon HexOutline(int32_t hex) const;

    Scenario& scenario_;
    MapRenderer& renderer_;
    const DisplaySwitches& switches_;
    SoundPlayer& sounds_;
    std::filesystem::path installDir_;
    MapViewLogic logic_;
    bool loaded_ = false;
    bool exiting_ = false;
    QPoint pointer_{-1, -1};
    // The button held since a press on the map, for drag strokes.
    Qt::MouseButton held_ = Qt::NoButton;
    const EditState* edit_ = nullptr;
    std::function<void(QImage&)> overlay_;
    Presenter presenter_;
    std::function<bool(int)> keyHook_;
    bool hovering_ = false; // the pointer is over MapWin
    int32_t marked_ = NoSymbol;
    int32_t pointerHex_ = NoSymbol; // as last reported by PointerHexChanged
    QImage storedTitle_;
    bool titleLoaded_ = false;

    MapImage* mapWin_ = nullptr;
    QScrollBar* scrollHorz_ = nullptr;
    QScrollBar* scrollVert_ = nullptr;
    QFrame* mPanel_ = nullptr;
    QFrame* iPanel_ = nullptr;
    QFrame* unitPanel_ = nullptr;
    QFrame* zmPnl_ = nullptr;
    QFrame* infoBar_ = nullptr;
    QToolButton* zoomIn_ = nullptr;
    QToolButton* zoomOut_ = nullptr;
    std::array<QLabel*, 5> hover_{};
    std::array<QLabel*, 5> unitLines_{};
    QLabel* infLbl_ = nullptr;
    QProgressBar* pBar_ = nullptr;
};

} // namespace k2
