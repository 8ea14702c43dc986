// TFactionOB and TRForceRoster: one side's order of battle and reinforcement schedule. The
// rules and every cell live in ForceRosterLogic; these classes show them, sort the display by
// a clicked column, copy the grid with Ctrl+C and open the unit editor on a double-clicked row.
#pragma once

#include "forces/force_roster_logic.h"
#include "forces/unit_editor_opener.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace k2 {

class ArrivalChart;

class ForceRosterDialog : public QDialog {
    Q_OBJECT
  public:
    // Checks, sorts (the order of battle, see ForceRosterLogic::Open) and shows the grid of
    // `side` modally. Returns RosterNotShown when the side has nothing to list (the message was
    // shown), RosterRedrawMap when a unit editor session opened from the grid asked for the map
    // to be redrawn, RosterClosed otherwise.
    int32_t Run(int32_t side, const std::function<void()>& sortUnits = {});
    // The check, sort and fill on their own, for a non-modal show (tests).
    bool Prepare(int32_t side, const std::function<void()>& sortUnits = {});

    ForceRosterLogic& Logic() { return logic_; }
    // Whether a unit editor session since Prepare asked for the map to be redrawn.
    bool MapChanged() const { return mapChanged_; }
    // The arrival chart beside the schedule's grid; null in the order of battle.
    ArrivalChart* Chart() const { return chart_; }

  protected:
    ForceRosterDialog(RosterKind kind, Scenario& scenario, const EquipmentTables& tables, MessageBoxes& boxes,
                      SoundPlayer& sounds, UnitEditorOpener& editor, QWidget* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

  private:
    void Build(Scenario& scenario);
    void RefreshGrid();
    void OpenEditor(int row);
    void FitToGrid();

    ForceRosterLogic logic_;
    UnitEditorOpener& editor_;
    bool mapChanged_ = false;
    QLabel* label1_ = nullptr;
    QTableWidget* obGrd_ = nullptr;
    QPushButton* button1_ = nullptr;
    ArrivalChart* chart_ = nullptr;
};

class TFactionOB : public ForceRosterDialog {
    Q_OBJECT
  public:
    TFactionOB(Scenario& scenario, const EquipmentTables& tables, MessageBoxes& boxes, SoundPlayer& sounds,
               UnitEditorOpener& editor, QWidget* parent = nullptr);
};

class TRForceRoster : public ForceRosterDialog {
    Q_OBJECT
  public:
    TRForceRoster(Scenario& scenario, const EquipmentTables& tables, MessageBoxes& boxes, SoundPlayer& sounds,
                  UnitEditorOpener& editor, QWidget* parent = nullptr);
};

} // namespace k2
