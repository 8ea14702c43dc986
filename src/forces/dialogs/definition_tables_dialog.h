// TDefStats: one equipment table listed for comparison while the unit editor equips a unit.
// The rules live in DefStatsLogic; this class shows them.
#pragma once

#include "forces/definition_tables_logic.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace k2 {

class TDefStats : public QDialog {
    Q_OBJECT
  public:
    TDefStats(const EquipmentTables& tables, SoundPlayer& sounds, QWidget* parent = nullptr);

    // Shows `table` modally.
    void Run(DefTable table);
    // The rebuild on its own, for a non-modal show (tests).
    void Prepare(DefTable table);

    DefStatsLogic& Logic() { return logic_; }

  private:
    void Build();

    const EquipmentTables& tables_;
    DefStatsLogic logic_;
    QLabel* label1_ = nullptr;
    QWidget* gridArea_ = nullptr;
    QTableWidget* rptGrd_ = nullptr;
};

} // namespace k2
