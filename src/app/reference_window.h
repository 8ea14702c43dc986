// The window's side of the reference picture: the picture drawn over the map, View > Reference
// Image... with its dialog, the Align Reference Image mode (two clicks on the picture, two on
// hexes, the arrow keys to nudge), the display switch, and the settings file that follows the
// battle's file. None of it changes the battle: no undo step, no mark of a modified battle.
#pragma once

#include "app/battle_lifecycle.h"
#include "app/command_screen.h"
#include "core/edit_state.h"
#include "core/platform.h"
#include "core/scenario.h"
#include "core/status.h"
#include "graphics/reference_image.h"

#include <QImage>
#include <QPoint>
#include <QTimer>

#include <filesystem>
#include <string>

class QWidget;

namespace k2 {

class MapRenderer;
class MapView;
class TReferenceImage;

struct ReferenceParts {
    MapView& view;
    const MapRenderer& renderer;
    const Scenario& scenario;
    EditState& edit;
    DisplaySwitches& switches;
    CommandScreen& screen;
    FileChooser& chooser;
    QWidget* parent;
};

class ReferenceWindow : public BattleFileFollower {
  public:
    // The largest picture taken, in pixels.
    static constexpr int64_t MaxPicturePixels = 50'000'000;

    explicit ReferenceWindow(ReferenceParts parts);
    ~ReferenceWindow() override;

    // While the picture is shown: copies `from` of the renderer's `map` into the view's
    // `picture` (RGB16) with the picture blended over it on the way (renewing only what
    // `changes` and a scroll call for), and the points Align Reference Image has picked so far;
    // false when it is not shown (the view copies).
    bool Present(const QImage& map, QRect from, const BufferChanges& changes, QImage& picture);

    // View > Reference Image...: the dialog; what it changes shows at once, Cancel takes it back.
    void ShowDialog();
    // View > Align Reference Image.
    void BeginAlign();
    // A button went down on the map at `at` (view pixels) over `hex`; true when the align mode
    // took the click.
    bool Press(bool left, QPoint at, int32_t hex);
    // A key the map view would use; the align mode takes the arrows to nudge the picture.
    bool Key(int key);
    // The display switch was flipped.
    void SwitchFlipped();

    // BattleFileFollower
    void BattleOpened(const std::string& path) override;
    void BattleSaved(const std::string& path) override;
    void BattleClosed() override;

    // What the dialog changes, each shown at once (and kept beside the battle's file).
    const ReferenceSettings& Settings() const { return settings_; }
    // Reads a picture and shows it fitted over the map; the alignment starts anew.
    Status ChoosePicture(const std::filesystem::path& file);
    void RemovePicture();
    void SetOpacity(int32_t percent);
    // Back to the picture fitted over the whole map.
    void ResetAlignment();
    // Puts earlier settings back (the dialog's Cancel), the picture read again when it differs.
    void Restore(const ReferenceSettings& settings);
    bool HasPicture() const { return layer_.HasPicture(); }
    ScaleAngle CurrentScaleAngle() const;
    // Picture pixels to the view's pixels at the current zoom and origin.
    QTransform ToView() const;
    // Picture pixels to pixels of the whole map at the battle's zoom level (the map image export).
    QTransform ToMap() const;
    // Draws the picture over a picture of the map whose map pixel (0, 0) lies at `mapOrigin`.
    void DrawOverMap(QImage& picture, QPointF mapOrigin) const;

  private:
    // Reads `settings_.Picture`; a reason when it cannot be shown.
    Status LoadPicture();
    void Changed(bool keep = true);
    void RefreshCommands();
    void Keep();

    static constexpr int64_t MarginSlicePixels = 250'000;
    static constexpr int32_t CompositeSliceRows = 256;

    ReferenceParts parts_;
    ReferenceSettings settings_;
    ReferenceLayer layer_;
    QTimer idleTimer_;
    ReferenceAligner aligner_;
    // The battle's file, beside which the settings are kept ("" for a battle without one).
    std::filesystem::path battleFile_;
    TReferenceImage* dialog_ = nullptr;
    // While the dialog is open its changes are kept once, when it closes.
    bool inDialog_ = false;
};

} // namespace k2
