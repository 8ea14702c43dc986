// The order of battle, reinforcement schedule, army statistics and definition tables on
// screen: what a user sees in them, clicks on headers and rows, Ctrl+C, and the unit editor
// opened from a double-clicked row.
#include "common/gui_input.h"
#include "core/battle_file.h"
#include "forces/dialogs/army_stats_dialog.h"
#include "forces/dialogs/arrival_chart.h"
#include "forces/dialogs/definition_tables_dialog.h"
#include "forces/dialogs/force_roster_dialog.h"
#include "forces/forces_fixture.h"
#include "forces/forces_recorders.h"
#include "widgets/picture_panel.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

// Readable failure messages for texts read from the widgets.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace k2;
using k2test::AddUnit;
using k2test::MakeScenario;
using k2test::MakeTables;
using ::testing::ElementsAre;

namespace {

// A dialog's frame is known only once it shows: its centre may differ by the frame's width.
constexpr int CentreSlack = 4;

UnitRecord Unit(const char* name, int32_t men, int32_t side = SideWestern) {
    UnitRecord u;
    u.Name = name;
    u.Men = men;
    u.Morale = 80;
    u.CombatWeapon = 1;
    u.Side = side;
    u.Value = 2;
    return u;
}

QStringList Headers(const QTableWidget* grid) {
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c)
        out << grid->horizontalHeaderItem(c)->text();
    return out;
}

QStringList ColumnTexts(const QTableWidget* grid, int column) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << grid->item(r, column)->text();
    return out;
}

// Every header and cell fits its column, and no column is narrower than its nominal width.
void ExpectNothingCutOff(const QTableWidget* grid, const std::vector<int32_t>& nominal) {
    const QFontMetrics cells(grid->font()), headers(grid->horizontalHeader()->font());
    for (int c = 0; c < grid->columnCount(); ++c) {
        const int width = grid->columnWidth(c);
        EXPECT_GE(width, nominal[static_cast<std::size_t>(c)]) << c;
        EXPECT_GT(width, headers.horizontalAdvance(grid->horizontalHeaderItem(c)->text())) << c;
        for (int r = 0; r < grid->rowCount(); ++r)
            EXPECT_GT(width, cells.horizontalAdvance(grid->item(r, c)->text())) << r << "," << c;
    }
}

void ClickHeader(QTableWidget* grid, int column) {
    QHeaderView* header = grid->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    k2::gui_input::Click(header->viewport(), at);
}

void MouseEvent(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    const QPointF local(pos), global(widget->mapToGlobal(pos));
    QMouseEvent event(type, local, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A double-click on a cell as the mouse gives it: press, release, press-as-double-click, release.
void DoubleClickCell(QTableWidget* grid, int row, int column) {
    const QPoint at = grid->visualItemRect(grid->item(row, column)).center();
    MouseEvent(grid->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton);
    MouseEvent(grid->viewport(), QEvent::MouseButtonRelease, at, Qt::NoButton);
    MouseEvent(grid->viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    MouseEvent(grid->viewport(), QEvent::MouseButtonRelease, at, Qt::NoButton);
}

class RosterDialogTest : public ::testing::Test {
  protected:
    Scenario s = MakeScenario(20, 15);
    const EquipmentTables t = MakeTables();
    k2test::BoxRecorder boxes;
    k2test::SoundRecorder sounds;
    k2test::EditorRecorder editor;

    void SetUp() override {
        AddUnit(s, 45, Unit("Levy", 20));
        UnitRecord leader = Unit("Lord Bren of the Long March", 25);
        leader.Class = 4;
        leader.Morale = 100;
        leader.WingLeader = 1;
        leader.CommandRating = 2;
        leader.CommandRange = 4;
        AddUnit(s, 46, leader);
        UnitRecord late = Unit("Late Spears", 40);
        late.ActivationTurn = 7;
        AddUnit(s, 245, late);
    }
    QTableWidget* Grid(QDialog& d) { return d.findChild<QTableWidget*>("OBGrd"); }
};

TEST_F(RosterDialogTest, OrderOfBattleSortsShowsAndOpensTheEditorOnADoubleClick) {
    TFactionOB dialog(s, t, boxes, sounds, editor);
    editor.edit = [&](int32_t unit) { s.Units[unit].Name = "Renamed Levy"; };
    ASSERT_TRUE(dialog.Prepare(SideWestern));
    dialog.show();
    EXPECT_EQ(dialog.objectName(), "TFactionOB");
    ASSERT_NE(dialog.findChild<TMy_Panel*>("Panel1"), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), "Western Forces Order of Battle ");
    EXPECT_EQ(dialog.findChild<QPushButton*>("Button1")->text(), "Exit");
    QTableWidget* grid = Grid(dialog);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Headers(grid),
              QStringList({"Unit", "Type", "Class", "Men", "Morale", "Combat", "Defense", "Missile", "Ammo",
                           "Value", "Group", "Leader", "Rtg/Rng", "Supply Lvl", "Hex"}));
    // Sorted on opening: the leader heads the list, the others indented by strength.
    EXPECT_EQ(ColumnTexts(grid, 0),
              QStringList({"Lord Bren of the Long March", "     Late Spears", "     Levy"}));
    EXPECT_EQ(ColumnTexts(grid, 14), QStringList({"26", "125", "25"}));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
    ExpectNothingCutOff(grid, dialog.Logic().Widths());

    DoubleClickCell(grid, 2, 3);
    EXPECT_THAT(editor.opened, ElementsAre(3));
    EXPECT_EQ(grid->item(2, 0)->text(), "     Renamed Levy");
    EXPECT_TRUE(dialog.MapChanged());
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept)); // the click of the row

    k2::gui_input::Click(dialog.findChild<QPushButton*>("Button1"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), RosterClosed);
}

TEST_F(RosterDialogTest, HeaderClickSortsTheDisplayAndCtrlCCopiesIt) {
    TFactionOB dialog(s, t, boxes, sounds, editor);
    ASSERT_TRUE(dialog.Prepare(SideWestern));
    dialog.show();
    QTableWidget* grid = Grid(dialog);
    ClickHeader(grid, 3); // Men
    ClickHeader(grid, 3);
    EXPECT_EQ(ColumnTexts(grid, 3), QStringList({"40", "25", "20"}));
    EXPECT_TRUE(grid->horizontalHeader()->isSortIndicatorShown());
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), 3);
    EXPECT_EQ(grid->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

    DoubleClickCell(grid, 0, 0); // a sorted row opens its own unit
    EXPECT_THAT(editor.opened, ElementsAre(2));
    EXPECT_EQ(s.Units[2].Name, "Late Spears");

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), dialog.Logic().CopyText());
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("Unit\tType\t"));
}

TEST_F(RosterDialogTest, ScheduleListsTheReinforcementsAndRefusalsShowNoDialog) {
    TRForceRoster dialog(s, t, boxes, sounds, editor);
    editor.result = k2::DialogResult::Cancel;
    ASSERT_TRUE(dialog.Prepare(SideWestern));
    dialog.show();
    EXPECT_EQ(dialog.objectName(), "TRForceRoster");
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), "Western Forces Reinforcement Schedule");
    EXPECT_EQ(dialog.findChild<QPushButton*>("Button1")->text(), "OK");
    QTableWidget* grid = Grid(dialog);
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(Headers(grid).mid(0, 3), QStringList({"Unit", "Arrival", "Type"}));
    EXPECT_EQ(grid->item(0, 0)->text(), "Late Spears");
    EXPECT_EQ(grid->item(0, 1)->text(), "7");
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectItems);
    ExpectNothingCutOff(grid, dialog.Logic().Widths());

    DoubleClickCell(grid, 0, 1);
    EXPECT_THAT(editor.opened, ElementsAre(3)); // not sorted: still unit 3
    EXPECT_FALSE(dialog.MapChanged());
    EXPECT_TRUE(sounds.played.empty());
    k2::gui_input::Click(dialog.findChild<QPushButton*>("Button1"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept));

    const Scenario before = s;
    TFactionOB ob(s, t, boxes, sounds, editor);
    EXPECT_EQ(ob.Run(SideEastern), RosterNotShown);
    EXPECT_EQ(dialog.Run(SideEastern), RosterNotShown);
    EXPECT_TRUE(s == before);
    EXPECT_THAT(boxes.asked,
                ElementsAre(std::pair(LayoutOk, MsgNoUnits), std::pair(LayoutOk, MsgNoReinforcements)));
}

// The full-size stock battle in a window of the main window's size, as the editor shows it.
class FullSizeRosterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path stock(K2_STOCK_DIR);
        ASSERT_TRUE(LoadEquipment(tables, stock / "sysdefs").ok);
        ASSERT_TRUE(ReadBattle(*s, stock / "scenarios" / "Battle of the Great Field.k2s",
                               stock / "sysdefs" / "K2Ter.Def")
                        .ok);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        main.setGeometry(area.adjusted(30, 30, -30, -30));
        main.show();
    }
    void TearDown() override { main.hide(); }

    // Fits the screen (which the offscreen tests keep smaller than 1366 x 768) and a laptop's,
    // sits centred on the main window, and shows the grid whole or lets it scroll.
    void ExpectPlaced(ForceRosterDialog& dialog) {
        const QRect area = dialog.screen()->availableGeometry();
        const QRect frame = dialog.frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << frame.width() << "x" << frame.height();
        EXPECT_LE(frame.width(), 1366);
        EXPECT_LE(frame.height(), 768);
        EXPECT_LE(std::abs(frame.center().x() - main.frameGeometry().center().x()), CentreSlack);
        EXPECT_LE(std::abs(frame.center().y() - main.frameGeometry().center().y()), CentreSlack);

        auto* grid = dialog.findChild<QTableWidget*>("OBGrd");
        const int columns = grid->horizontalHeader()->length();
        QScrollBar* bar = grid->horizontalScrollBar();
        if (columns > grid->viewport()->width()) {
            EXPECT_GT(bar->maximum(), 0) << "the hidden columns can be scrolled to";
            bar->setValue(bar->maximum());
            const int last = grid->columnCount() - 1;
            EXPECT_LE(grid->columnViewportPosition(last) + grid->columnWidth(last),
                      grid->viewport()->width());
        } else {
            EXPECT_LE(grid->viewport()->width() - columns, 1) << "the window is no wider than the grid needs";
        }
    }

    std::unique_ptr<Scenario> s = std::make_unique<Scenario>();
    EquipmentTables tables;
    k2test::BoxRecorder boxes;
    k2test::SoundRecorder sounds;
    k2test::EditorRecorder editor;
    QWidget main;
};

TEST_F(FullSizeRosterTest, OrderOfBattleAndScheduleFitTheScreenCentredOnTheMainWindow) {
    for (const int32_t side : {SideWestern, SideEastern}) {
        SCOPED_TRACE(side);
        TFactionOB ob(*s, tables, boxes, sounds, editor, &main);
        ASSERT_TRUE(ob.Prepare(side));
        ob.show();
        ExpectPlaced(ob);
        ob.hide();

        TRForceRoster schedule(*s, tables, boxes, sounds, editor, &main);
        ASSERT_TRUE(schedule.Prepare(side));
        schedule.show();
        ExpectPlaced(schedule);
        EXPECT_TRUE(schedule.Chart()->isVisible());
        schedule.hide();
    }
}

TEST_F(FullSizeRosterTest, StatisticsAndDefinitionTablesOpenCentredOnTheMainWindow) {
    TStats stats(*s, tables, &main);
    stats.Prepare();
    TDefStats definitions(tables, sounds, &main);
    definitions.Prepare(DefTable::MissileWeapons);
    for (QDialog* dialog : {static_cast<QDialog*>(&stats), static_cast<QDialog*>(&definitions)}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->show();
        const QRect frame = dialog->frameGeometry();
        EXPECT_TRUE(dialog->screen()->availableGeometry().contains(frame));
        EXPECT_LE(std::abs(frame.center().x() - main.frameGeometry().center().x()), CentreSlack);
        EXPECT_LE(std::abs(frame.center().y() - main.frameGeometry().center().y()), CentreSlack);
        dialog->hide();
    }
}

TEST(StatsDialog, ShowsBothForces) {
    Scenario s = MakeScenario();
    s.WesternName = "Marcher Lords";
    const EquipmentTables t = MakeTables();
    AddUnit(s, 11, Unit("A", 30));
    AddUnit(s, 12, Unit("B", 25));
    TStats dialog(s, t);
    dialog.Prepare();
    dialog.show();
    EXPECT_EQ(dialog.objectName(), "TStats");
    ASSERT_NE(dialog.findChild<TMy_Panel*>("Panel1"), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), "Army Statistics");
    QTableWidget* grid = dialog.findChild<QTableWidget*>("RptGrd");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Headers(grid), QStringList({"", "Marcher Lords", "Eastern Forces"}));
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"Men ", "Units ", "Avg. Morale", "Fire Power",
                                                 "Combat Strength", "Total Points"}));
    EXPECT_EQ(ColumnTexts(grid, 1).mid(0, 3), QStringList({"55", "2", "80"}));
    EXPECT_EQ(ColumnTexts(grid, 2), QStringList({"0", "0", "0", "0", "0", "0"}));
    ExpectNothingCutOff(grid, {100, 100, 100});

    s.Units[2].Side = SideEastern; // rebuilt at each showing
    dialog.Prepare();
    EXPECT_EQ(ColumnTexts(grid, 2).mid(0, 2), QStringList({"25", "1"}));
    k2::gui_input::Click(dialog.findChild<QPushButton*>("Button1"));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(DefStatsDialog, PlacesEachTableAndClosesWithAClick) {
    EquipmentTables t = MakeTables();
    t.ShieldCount = 0;
    k2test::SoundRecorder sounds;
    TDefStats dialog(t, sounds);
    dialog.Prepare(DefTable::CombatWeapons);
    dialog.show();
    EXPECT_EQ(dialog.objectName(), "TDefStats");
    ASSERT_NE(dialog.findChild<TMy_Panel*>("Panel1"), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), "Combat Weapons");
    QTableWidget* grid = dialog.findChild<QTableWidget*>("RptGrd");
    QWidget* area = grid->parentWidget();
    EXPECT_EQ(Headers(grid), QStringList({"Weapon", "Rating", "Length", "Weight"}));
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"Unarmed", "Spear", "Club"}));
    EXPECT_EQ(grid->x(), (area->width() - grid->width()) / 2); // centred
    ExpectNothingCutOff(grid, {100, 40, 40, 40});

    dialog.Prepare(DefTable::MissileWeapons);
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), "Missile Weapons");
    EXPECT_EQ(grid->x(), DefStatsLeftEdge); // back at the left edge
    EXPECT_EQ(grid->item(2, 5)->text(), "Lt");
    ExpectNothingCutOff(grid, {100, 40, 40, 75, 80, 40, 40});
    EXPECT_LE(grid->x() + grid->width(), area->width());
    EXPECT_GE(grid->width(), grid->horizontalHeader()->length());

    dialog.Prepare(DefTable::Shields);
    EXPECT_EQ(grid->rowCount(), 0); // the header only
    EXPECT_EQ(Headers(grid), QStringList({"Type", "Rating", "Weight"}));

    EXPECT_TRUE(sounds.played.empty());
    k2::gui_input::Click(dialog.findChild<QPushButton*>("Button1"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept));
}

} // namespace
