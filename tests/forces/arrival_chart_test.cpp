// The reinforcement arrival chart: per-turn counts of both sides, and the chart beside the
// schedule's grid.
#include "forces/dialogs/arrival_chart.h"
#include "forces/dialogs/force_roster_dialog.h"
#include "forces/forces_fixture.h"
#include "forces/forces_recorders.h"

#include <QImage>
#include <gmock/gmock.h>

using namespace k2;
using k2test::AddUnit;
using k2test::MakeScenario;

namespace {

UnitRecord Arriving(int32_t side, int32_t turn, int32_t men) {
    UnitRecord u;
    u.Name = "Band";
    u.Side = side;
    u.ActivationTurn = turn;
    u.Men = men;
    return u;
}

// Turn 1 units stand on the map from the start; a side value outside 1 and 2 belongs to no
// side; arrivals after MaxTurns are left out of the bars and counted apart.
Scenario CraftedBattle() {
    Scenario s = MakeScenario(20, 15);
    s.MaxTurns = 8;
    AddUnit(s, 21, Arriving(SideWestern, 1, 500));
    AddUnit(s, NoSymbol, Arriving(SideWestern, 2, 120));
    AddUnit(s, NoSymbol, Arriving(SideWestern, 2, 80));
    AddUnit(s, NoSymbol, Arriving(SideEastern, 2, 300));
    AddUnit(s, NoSymbol, Arriving(SideEastern, 5, 40));
    AddUnit(s, NoSymbol, Arriving(SideWestern, 8, 60));  // the last turn counts
    AddUnit(s, NoSymbol, Arriving(SideEastern, 9, 999)); // after the last turn
    AddUnit(s, NoSymbol, Arriving(SideEastern, 12, 1));
    AddUnit(s, NoSymbol, Arriving(3, 4, 77));
    AddUnit(s, NoSymbol, Arriving(SideWestern, 4, -50)); // a damaged strength adds no men
    return s;
}

TEST(ArrivalChartLogic, CountsUnitsAndMenPerTurnAndSide) {
    const Scenario s = CraftedBattle();
    ArrivalChartLogic chart(s);
    chart.Refresh();
    ASSERT_EQ(chart.LastTurn(), 8);
    ASSERT_EQ(chart.Turns().size(), 7u);
    EXPECT_EQ(chart.Turns().front().Turn, 2);
    EXPECT_EQ(chart.Turns().back().Turn, 8);

    struct Expect {
        int32_t turn;
        SideArrivals west, east;
    } expected[] = {
        {2, {2, 200}, {1, 300}}, {3, {0, 0}, {0, 0}}, {4, {1, 0}, {0, 0}},  {5, {0, 0}, {1, 40}},
        {6, {0, 0}, {0, 0}},     {7, {0, 0}, {0, 0}}, {8, {1, 60}, {0, 0}},
    };
    for (const Expect& e : expected) {
        const TurnArrivals& t = chart.Turns()[size_t(e.turn - 2)];
        EXPECT_EQ(t.Sides[0], e.west) << "turn " << e.turn;
        EXPECT_EQ(t.Sides[1], e.east) << "turn " << e.turn;
    }
    EXPECT_EQ(chart.Late(SideWestern), (SideArrivals{0, 0}));
    EXPECT_EQ(chart.Late(SideEastern), (SideArrivals{2, 1000}));
    EXPECT_EQ(chart.Total(SideEastern), (SideArrivals{4, 1340}));
    EXPECT_EQ(chart.Largest(ArrivalMeasure::Units), 2);
    EXPECT_EQ(chart.Largest(ArrivalMeasure::Men), 300);
    EXPECT_EQ(chart.LateNote(), "2 Eastern units arrive after the last turn (8) and are not shown.");

    // A battle whose turn limit is beyond what the settings allow keeps a bounded axis.
    Scenario longBattle = CraftedBattle();
    longBattle.MaxTurns = 30000;
    ArrivalChartLogic bounded(longBattle);
    bounded.Refresh();
    EXPECT_EQ(bounded.LastTurn(), ChartTurnLimit);
    EXPECT_EQ(bounded.Turns().size(), size_t(ChartTurnLimit - 1));
    EXPECT_EQ(bounded.Turns()[7].Sides[1], (SideArrivals{1, 999}));
    EXPECT_EQ(bounded.LateNote(), "");
}

TEST(ArrivalChartLogic, AxisSteps) {
    struct Case {
        int32_t largest, step;
    } cases[] = {{0, 1}, {3, 1}, {5, 1}, {6, 2}, {12, 5}, {300, 100}, {1340, 500}};
    for (const Case& c : cases)
        EXPECT_EQ(ArrivalChartLogic::AxisStep(c.largest), c.step) << c.largest;
    Scenario s = CraftedBattle();
    ArrivalChartLogic chart(s);
    chart.Refresh();
    EXPECT_EQ(chart.AxisTop(ArrivalMeasure::Units), 2);
    EXPECT_EQ(chart.AxisTop(ArrivalMeasure::Men), 300);
    s.Units[4].Men = 301; // the Eastern band of turn 2
    chart.Refresh();
    EXPECT_EQ(chart.AxisTop(ArrivalMeasure::Men), 400);
    EXPECT_EQ(ArrivalChartLogic::LabelStride(30, 20), 1);
    EXPECT_EQ(ArrivalChartLogic::LabelStride(1.3, 20), 20);
}

TEST(ArrivalChart, ScheduleShowsAChartThatPaintsBothSides) {
    Scenario s = CraftedBattle();
    s.WesternName = "Western Forces";
    s.EasternName = "Eastern Forces";
    const EquipmentTables t = k2test::MakeTables();
    k2test::BoxRecorder boxes;
    k2test::SoundRecorder sounds;
    k2test::EditorRecorder editor;

    TFactionOB ob(s, t, boxes, sounds, editor);
    EXPECT_EQ(ob.findChild<ArrivalChart*>("ArrivalChart"), nullptr) << "only the schedule has the chart";

    TRForceRoster dialog(s, t, boxes, sounds, editor);
    ASSERT_TRUE(dialog.Prepare(SideEastern));
    dialog.show();
    auto* chart = dialog.findChild<ArrivalChart*>("ArrivalChart");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Logic().Largest(ArrivalMeasure::Men), 300) << "the chart counts when the dialog opens";
    EXPECT_GE(chart->width(), 300);

    const QImage shot = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int west = 0, east = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb p = shot.pixel(x, y);
            west += p == ChartWesternColour.rgb();
            east += p == ChartEasternColour.rgb();
        }
    // Bars and legend swatches in both colours (the legend alone is a few dozen pixels).
    EXPECT_GT(west, 400);
    EXPECT_GT(east, 400);
    if (const QByteArray shotPath = qgetenv("K2_CHART_SHOT"); !shotPath.isEmpty())
        dialog.grab().save(QString::fromLocal8Bit(shotPath));
}

} // namespace
