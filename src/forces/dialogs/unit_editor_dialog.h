// TAddUnit: the unit editor, opened on a hex of the map or on a unit of the order of battle.
// The rules live in UnitEditorLogic; this class builds the controls, forwards every control
// event and refreshes the controls from the logic.
#pragma once

#include "core/platform.h"
#include "forces/unit_editor_logic.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace k2 {

class TAddUnit : public QDialog {
    Q_OBJECT
  public:
    TAddUnit(Scenario& scenario, EditState& edit, const EquipmentTables& tables, const SymbolSet& symbols,
             SoundPlayer& sounds, MessageBoxes& boxes, DefinitionTablesOpener& definitions,
             QWidget* parent = nullptr);

    // Shows the editor modally on EditState::CurrentHex (a map click in the Units or the
    // Reinforcements mode) and returns how it was closed.
    DialogResult Run(bool reinforcementUse);
    // The same on a unit of the order of battle.
    DialogResult RunForUnit(int32_t unit);

    // The opening on its own, for a non-modal show (tests); the result arrives through
    // finished(int).
    void Prepare(bool reinforcementUse);
    void PrepareForUnit(int32_t unit);

    UnitEditorLogic& Logic() { return logic_; }

    // Escape leaves as Exit does: every change is already in the unit.
    void reject() override;

  private:
    void Build();
    QWidget* MakeUpDown(const char* name, UnitCounter counter);
    void Shown();
    void Refresh();
    void RefreshLists();
    void RefreshPreview();
    void AfterAction();
    void ExitClicked();
    void RemoveClicked();

    UnitEditorLogic logic_;
    const SymbolSet& symbols_;

    QLabel* frmLbl_ = nullptr;
    QGroupBox* symBox_ = nullptr;
    QListWidget* terList_ = nullptr;
    QLabel* symNamPan_ = nullptr;
    QLabel* image1_ = nullptr;
    QPushButton* facBtn_ = nullptr;
    QRadioButton* aSideBtn_ = nullptr;
    QRadioButton* bSideBtn_ = nullptr;
    QLineEdit* symName_ = nullptr;
    std::array<QRadioButton*, 3> uType_{};
    QComboBox* unitGroup_ = nullptr;
    QComboBox* unitRank_ = nullptr;
    std::array<QComboBox*, 4> equipment_{};
    std::array<QCheckBox*, 3> flags_{};
    QCheckBox* wingLdrBtn_ = nullptr;
    std::array<QLabel*, 9> counterLabels_{};
    std::array<QWidget*, 9> counterArrows_{};
    QLabel* cStrLbl_ = nullptr;
    QLabel* fStrLbl_ = nullptr;
    QLabel* dStrLbl_ = nullptr;
    QLabel* wgtLbl_ = nullptr;
    QLabel* wingPlaceLbl_ = nullptr;
    QLabel* ledByLbl_ = nullptr;
    QPushButton* addBtn_ = nullptr;
    QPushButton* remBtn_ = nullptr;
    QPushButton* exitBtn_ = nullptr;
    std::array<QGroupBox*, 10> groups_{};
};

} // namespace k2
