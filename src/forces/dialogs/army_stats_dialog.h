// TStats: the two forces compared side by side, rebuilt from the battle each time it is shown.
#pragma once

#include "forces/army_stats_logic.h"

#include <QDialog>

class QTableWidget;

namespace k2 {

class TStats : public QDialog {
    Q_OBJECT
  public:
    TStats(const Scenario& scenario, const EquipmentTables& tables, QWidget* parent = nullptr);

    // Shows the statistics of the battle as it is now, modally.
    void Run();
    // The rebuild on its own, for a non-modal show (tests).
    void Prepare();

  private:
    const Scenario& scenario_;
    const EquipmentTables& tables_;
    QTableWidget* rptGrd_ = nullptr;
};

} // namespace k2
