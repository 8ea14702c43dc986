// TAddLocation: the map text dialog, opened by a click in map text mode on the current hex.
// The rules live in MapTextLogic; this class builds the controls, forwards their events and
// draws the sample as the map draws the text at the selected level.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "edit/map_text_logic.h"
#include "graphics/map_renderer.h"
#include "graphics/symbol_set.h"

#include <QDialog>
#include <QFont>
#include <QImage>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace k2 {

class TMy_Panel;

// MapTextFont, the font the map draws an entry with, is the renderer's own.

// What the map shows of `entry` at zoom level `zoom` around a hex of terrain `terrain`: the
// hex's tile with the hex outline `overlay` (when it is a symbol of the set) in the middle of
// an image of `size`, on the tile's own colour, and the text beside it where its position
// puts it (MapTextTopLeft). Nothing of the text shows where the map shows none (MapTextShows).
QImage MapTextSample(const PlaceName& entry, int32_t zoom, const SymbolSet& symbols, int32_t terrain,
                     int32_t overlay, QSize size);

class TAddLocation : public QDialog {
    Q_OBJECT
  public:
    TAddLocation(Scenario& scenario, EditState& edit, EditHistory& history, const SymbolSet& symbols,
                 SoundPlayer& sounds, MessageBoxes& boxes, QWidget* parent = nullptr);

    // Shows the dialog modally on EditState::CurrentHex: Ok when it closed by Exit or Remove.
    DialogResult Run();
    // The activation on its own, for a non-modal show (tests).
    void Prepare(int32_t hex);

    MapTextLogic& Logic() { return logic_; }

    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Build();
    QWidget* BuildLevelPanel(int32_t level);
    void Refresh();
    void RefreshLevels();
    void RefreshSample();

    Scenario& scenario_;
    EditState& edit_;
    const SymbolSet& symbols_;
    MapTextLogic logic_;

    QLineEdit* locText_ = nullptr;
    QLabel* txtSample_ = nullptr;
    QComboBox* fntBox_ = nullptr;
    QComboBox* clrBox_ = nullptr;
    QCheckBox* txtBld_ = nullptr;
    QCheckBox* txtItl_ = nullptr;
    QCheckBox* txtUnd_ = nullptr;
    QGroupBox* textGroup_ = nullptr;
    QGroupBox* fontGroup_ = nullptr;
    QGroupBox* styleGroup_ = nullptr;
    QGroupBox* sizeGroup_ = nullptr;
    QGroupBox* oriBox_ = nullptr;
    QButtonGroup* positions_ = nullptr;
    std::array<TMy_Panel*, MapTextLevels> levelPanels_{};
    std::array<QLabel*, MapTextLevels> sizeLabels_{};
    QPushButton* newBtn_ = nullptr;
    QPushButton* remveBtn_ = nullptr;
};

} // namespace k2
