// CheckPanel: the findings of Check Battle in a list beside the map, with a summary line. A
// double-click (or Enter) on a finding that concerns a hex asks the map to show that hex.
#pragma once

#include "check/battle_check.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace k2 {

class CheckPanel : public QWidget {
    Q_OBJECT
  public:
    explicit CheckPanel(QWidget* parent = nullptr);

    // Replaces the list with `findings` (in their order) and updates the summary.
    void ShowFindings(const std::vector<CheckFinding>& findings);

    // No findings and no summary: no battle has been checked.
    void Clear();
    // The list no longer follows the battle: the owner checks again shortly.
    void MarkStale();

    // The text of the Hex column, written as the hover line writes a hex, or "" for none.
    static QString HexText(const CheckFinding& finding);

  signals:
    // A finding with a hex was double-clicked or chosen with Enter.
    void FindingActivated(int hex);
    // "Check Again": the owner runs the rules and calls ShowFindings.
    void CheckRequested();

  private:
    void Activated(QTableWidgetItem* item);

    QTableWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    // Whether the list follows the battle as it is now, and since when.
    QLabel* state_ = nullptr;
    QPushButton* again_ = nullptr;
};

} // namespace k2
