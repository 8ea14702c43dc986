// TAddVHex, the dialog that sets, renames, values and removes the terrain objective of a hex,
// and TVicHexes, the status list of every objective with its holder. The rules live in
// objective_logic; these classes build and refresh the controls. TAddVHex is also the
// ObjectiveDialogs seam that the Objective mode opens.
#pragma once

#include "core/edit_state.h"
#include "core/platform.h"
#include "edit/objective_logic.h"
#include "edit/objective_tools.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace k2 {

class TAddVHex : public QDialog, public ObjectiveDialogs {
    Q_OBJECT
  public:
    TAddVHex(Scenario& scenario, const EditState& edit, QWidget* parent = nullptr);

    // Shows the dialog modally on `hex`: Ok when it closed by Exit or Remove.
    DialogResult Run(int32_t hex);
    // The activation on its own, for a non-modal show (tests).
    void Prepare(int32_t hex);

    DialogResult RunObjectiveDialog() override { return Run(edit_.CurrentHex); }

    ObjectiveLogic& Logic() { return logic_; }

  private:
    void Build();
    void RefreshAll();

    ObjectiveLogic logic_;
    const EditState& edit_;

    QGroupBox* symBox_ = nullptr;
    QLineEdit* symName_ = nullptr;
    QLabel* vptLbl_ = nullptr;
    QPushButton* addBtn_ = nullptr;
    QPushButton* remBtn_ = nullptr;
};

class TVicHexes : public QDialog {
    Q_OBJECT
  public:
    TVicHexes(const Scenario& scenario, SoundPlayer& sounds, QWidget* parent = nullptr);

    // Shows the status list modally; Ok after OK.
    DialogResult Run();
    void Prepare();

  private:
    const Scenario& scenario_;
    SoundPlayer& sounds_;
    QTableWidget* obGrd_ = nullptr;
};

} // namespace k2
