// The Check Battle panel on screen: the rows and the summary the user reads, and the hex a
// double-click or Enter on a finding asks the map to show.
#include "app/check_panel.h"
#include "common/gui_input.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace k2 {
namespace {

class CheckPanelTest : public ::testing::Test {
  protected:
    CheckPanel panel;
    QTableWidget* list = nullptr;
    QLabel* summary = nullptr;

    void SetUp() override {
        panel.resize(640, 320);
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
        list = panel.findChild<QTableWidget*>("CheckFindings");
        summary = panel.findChild<QLabel*>("CheckSummary");
        ASSERT_NE(list, nullptr);
        ASSERT_NE(summary, nullptr);
    }

    static std::vector<CheckFinding> Findings() {
        return {
            {CheckSeverity::Error, "unit-on-border", "unit 3 \"Guard\" stands on the map's border.", 43, 3,
             4},
            {CheckSeverity::Error, "side-without-units", "The Eastern side has no units."},
            {CheckSeverity::Warning, "objective-without-points", "Objective \"Ford\" is worth 0 points.", 57,
             7, 5},
        };
    }

    // A double-click as the window system delivers it: press, release, double-click, release.
    void DoubleClickRow(int row) {
        const QPoint at = list->visualItemRect(list->item(row, 1)).center();
        ASSERT_TRUE(list->viewport()->rect().contains(at)) << "row " << row << " is visible";
        gui_input::Click(list->viewport(), at);
        gui_input::detail::SendMouse(list->viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton,
                                     Qt::LeftButton, Qt::NoModifier);
        gui_input::Release(list->viewport(), at);
    }
};

TEST_F(CheckPanelTest, ShowsEachFindingAndTheSummary) {
    EXPECT_EQ(panel.objectName(), "CheckPanel");
    EXPECT_EQ(summary->text(), "") << "nothing checked yet";
    EXPECT_EQ(list->rowCount(), 0);

    panel.ShowFindings(Findings());
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(summary->text(), "2 errors, 1 warning");
    EXPECT_EQ(list->item(0, 0)->text(), "Error");
    EXPECT_EQ(list->item(0, 1)->text(), "unit-on-border: unit 3 \"Guard\" stands on the map's border.");
    EXPECT_EQ(list->item(0, 2)->text(), "43") << "row 4, column 3, as the hover line writes it";
    EXPECT_EQ(list->item(1, 2)->text(), "") << "a finding without a hex shows none";
    EXPECT_EQ(list->item(2, 0)->text(), "Warning");
    EXPECT_EQ(list->item(2, 2)->text(), "57");

    panel.ShowFindings({});
    EXPECT_EQ(list->rowCount(), 0) << "a new check replaces the old rows";
    EXPECT_EQ(summary->text(), "No problems found.");
}

TEST_F(CheckPanelTest, DoubleClickAndEnterActivateTheFindingsHex) {
    panel.ShowFindings(Findings());
    QSignalSpy spy(&panel, &CheckPanel::FindingActivated);

    DoubleClickRow(2);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.takeFirst().at(0).toInt(), 57);

    DoubleClickRow(1);
    EXPECT_EQ(spy.count(), 0) << "a finding without a hex has nowhere to go";

    list->setFocus();
    list->setCurrentCell(0, 1);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.takeFirst().at(0).toInt(), 43);
}

TEST_F(CheckPanelTest, CheckAgainAsksForANewRun) {
    QSignalSpy spy(&panel, &CheckPanel::CheckRequested);
    auto* again = panel.findChild<QPushButton*>("CheckAgainBtn");
    ASSERT_NE(again, nullptr);
    QTest::mouseClick(again, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

} // namespace
} // namespace k2
