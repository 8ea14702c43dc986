// TSelectTer: the terrain picker, a stay-on-top tool window beside the map. The rules live in
// TerrainPickerLogic; this class builds the controls, forwards their events and shows the state.
#pragma once

#include "core/platform.h"
#include "edit/terrain_picker_logic.h"

#include <QDialog>
#include <QPoint>

#include <filesystem>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QButtonGroup;
class QPushButton;

namespace k2 {

class TSelectTer : public QDialog {
    Q_OBJECT
  public:
    // `installDir` holds sysdefs/K2Ter.Def, which OK writes. `parent` is the main window: the
    // picker stays above it and is first placed beside its map ("MapWin").
    TSelectTer(Scenario& scenario, const SymbolSet& symbols, EditState& edit, EditHistory& history,
               MessageBoxes& boxes, std::filesystem::path installDir, QWidget* parent = nullptr);

    // Shows the picker without blocking for the Primary or Secondary use, OK and Cancel hidden.
    // Already open, it switches to `use` where it stands.
    void ShowModeless(int8_t use);
    // Shows the picker modally for the Fill use with OK and Cancel. A double-click on a terrain
    // means OK.
    DialogResult RunFill();
    // The modal run on its own, for tests: prepares the Fill use and shows the window; the
    // result arrives through finished(int).
    void PrepareFill();
    // Closes the picker in any use (a modal run ends with Cancel).
    void ClosePicker();
    // Shows what the battle holds now (after undo, redo or another battle).
    void Refresh();
    // Shows the brush radius of the edit state (changed with the keys).
    void ShowBrush();

    TerrainPickerLogic& Logic() { return logic_; }

    void reject() override;

  signals:
    // The user chose another terrain (SelectedTerrain and SelectedBaseTerrain changed).
    void SelectionChanged(int terrain);

  protected:
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Build();
    QWidget* MakeArrows(const char* name, StepChange (TerrainPickerLogic::*down)(),
                        StepChange (TerrainPickerLogic::*up)());
    QGroupBox* MakeCounter(const char* groupName, const QString& title, const char* labelName, QLabel*& label,
                           QWidget* arrows);
    void Prepare(int8_t use);
    void FillList();
    void ShowSelection();
    // Brings the selected row into view, for a selection the list did not make itself.
    void ScrollToSelection();
    void ShowValues();
    void RowChosen(int row);
    void OkClicked();
    void PlaceBesideMap();
    QRect ScreenArea() const;

    TerrainPickerLogic logic_;
    const SymbolSet& symbols_;
    std::filesystem::path installDir_;
    // Where the user last had the window in this run.
    std::optional<QPoint> place_;

    QListWidget* terList_ = nullptr;
    QGroupBox* brushGrp_ = nullptr;
    QButtonGroup* brushButtons_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* symNamPan_ = nullptr;
    QLabel* elvLbl_ = nullptr;
    QLabel* cpmLbl_ = nullptr;
    QLabel* defLbl_ = nullptr;
    QLineEdit* symName_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QWidget* definitionControls_ = nullptr;
};

} // namespace k2
