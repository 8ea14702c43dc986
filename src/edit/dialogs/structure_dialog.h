// TAddBase: the structures dialog, which adds, edits and removes the structure of one hex. The
// rules live in StructureLogic; this class builds and refreshes the controls. It is also the
// StructureDialogs seam that the Structures mode opens.
#pragma once

#include "core/edit_state.h"
#include "edit/structure_logic.h"
#include "edit/structure_tools.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace k2 {

class TAddBase : public QDialog, public StructureDialogs {
    Q_OBJECT
  public:
    TAddBase(Scenario& scenario, const SymbolSet& symbols, const EditState& edit, QWidget* parent = nullptr);

    // Shows the dialog modally on `hex`.
    StructureDialogOutcome Run(int32_t hex);
    // The activation on its own, for a non-modal show (tests); the result arrives through
    // finished(int).
    void Prepare(int32_t hex);

    StructureDialogOutcome RunStructureDialog() override { return Run(edit_.CurrentHex); }

    StructureLogic& Logic() { return logic_; }

  private:
    void Build();
    void RefreshAll();
    void RefreshValues();
    void RefreshPreview();

    StructureLogic logic_;
    const SymbolSet& symbols_;
    const EditState& edit_;

    QRadioButton* aSideBtn_ = nullptr;
    QRadioButton* bSideBtn_ = nullptr;
    QLineEdit* symName_ = nullptr;
    QLabel* image1_ = nullptr;
    QListWidget* terList_ = nullptr;
    QLabel* symNamPan_ = nullptr;
    QLabel* defLbl_ = nullptr;
    QLabel* rSplLbl_ = nullptr;
    QLabel* elvLbl_ = nullptr;
    QGroupBox* groups_[4] = {};
    QPushButton* remBtn_ = nullptr;
    QPushButton* addBtn_ = nullptr;
};

} // namespace k2
