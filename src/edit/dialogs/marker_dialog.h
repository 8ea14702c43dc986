// TSelectHxMrk: the special hex markers dialog, where the user picks the symbols of the
// Western and Eastern reinforcement hexes and of the terrain objective. The rules live in
// MarkerLogic; this class builds the controls, forwards their events and shows the state.
#pragma once

#include "core/platform.h"
#include "edit/marker_logic.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QListWidget;

namespace k2 {

class TSelectHxMrk : public QDialog {
    Q_OBJECT
  public:
    TSelectHxMrk(Scenario& scenario, const SymbolSet& symbols, EditHistory& history,
                 QWidget* parent = nullptr);

    // Shows the dialog modally; the whole session is one step of the history. Always Ok: the
    // list's clicks take effect as they are made.
    DialogResult Run();
    // The activation on its own, for a non-modal show (tests); closing it ends the session.
    void Prepare();

    MarkerLogic& Logic() { return logic_; }

    void reject() override;

  private:
    void Build();
    void Refresh();
    void ExitClicked();

    const SymbolSet& symbols_;
    MarkerLogic logic_;
    QListWidget* terList_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* symNamPan_ = nullptr;
    QButtonGroup* kinds_ = nullptr;
};

} // namespace k2
