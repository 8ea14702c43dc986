#include "view/overview_panel.h"

#include "common/battle_builder.h"
#include "common/gui_input.h"
#include "common/recorders.h"
#include "common/stock_symbols.h"
#include "graphics/map_renderer.h"
#include "view/map_image.h"
#include "view/map_view.h"

#include <QScrollBar>
#include <gmock/gmock.h>

#include <memory>

using namespace k2;

namespace {

using k2::test::MakeBattle;
using k2::test::StockSymbols;

QRgb Pixel(const OverviewLogic& o, int32_t col, int32_t row) {
    const int32_t px = o.PixelSize();
    return o.Image().pixel(col * px + px / 2, row * px + px / 2);
}

TEST(OverviewLogic, PixelSizeIsTheLargestThatFits) {
    struct Case {
        int32_t cols, rows, w, h, expected;
    } cases[] = {
        {150, 150, 300, 300, 2}, {150, 150, 299, 600, 1}, {150, 150, 100, 100, 1},
        {10, 10, 400, 400, 4},   {40, 30, 121, 200, 3},   {40, 30, 200, 89, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OverviewLogic::PixelSizeFor(c.cols, c.rows, QSize(c.w, c.h)), c.expected)
            << c.cols << "x" << c.rows << " in " << c.w << "x" << c.h;

    auto s = MakeBattle({.cols = 40, .rows = 30, .stockMarkers = true});
    OverviewLogic o(*s, StockSymbols());
    EXPECT_TRUE(o.SetPanelSize(QSize(121, 200)));
    EXPECT_EQ(o.Image().size(), QSize(120, 90));
    EXPECT_FALSE(o.SetPanelSize(QSize(125, 200))) << "same size, nothing to rebuild";
}

TEST(OverviewLogic, ColoursFollowTopTerrainStructuresAndUnits) {
    const SymbolSet& symbols = StockSymbols();
    auto s = MakeBattle({.cols = 20, .rows = 12, .stockMarkers = true});
    // Hex 21: a secondary terrain over the ground; hex 22: the border terrain with a Western
    // unit; hex 23: an Eastern unit; hex 24: a structure.
    s->Hexes[21].SecondaryTerrain[0] = 26;
    s->Hexes[22].PrimaryTerrain = BorderTerrain;
    s->UnitCount = 2;
    s->Units[1].Side = SideWestern;
    s->Units[1].Hex = 22;
    s->Hexes[22].Unit = 1;
    s->Units[2].Side = SideEastern;
    s->Units[2].Hex = 23;
    s->Hexes[23].Unit = 2;
    s->StructureCount = 1;
    s->Structures[1].Symbol = 119; // a castle
    s->Hexes[24].Structure = 1;

    OverviewLogic o(*s, symbols);
    o.SetPanelSize(QSize(20, 12)); // one pixel a hex: the dot covers the whole hex
    ASSERT_EQ(o.PixelSize(), 1);
    const QColor ground = o.SymbolColour(0), secondary = o.SymbolColour(26), structure = o.SymbolColour(119);
    ASSERT_NE(ground, secondary) << "the stock symbols must differ for this test to mean anything";
    ASSERT_NE(ground, QColor(Qt::black));
    EXPECT_EQ(Pixel(o, 0, 0), ground.rgb());
    EXPECT_EQ(Pixel(o, 1, 1), secondary.rgb());
    EXPECT_EQ(Pixel(o, 2, 1), OverviewWesternColour.rgb());
    EXPECT_EQ(Pixel(o, 3, 1), OverviewEasternColour.rgb());
    const QColor tinted((ground.red() + structure.red()) / 2, (ground.green() + structure.green()) / 2,
                        (ground.blue() + structure.blue()) / 2);
    EXPECT_EQ(Pixel(o, 4, 1), tinted.rgb());

    // At four pixels a unit is a dot inside a rim of its hex's terrain.
    o.SetPanelSize(QSize(80, 48));
    ASSERT_EQ(o.PixelSize(), 4);
    EXPECT_EQ(o.Image().pixel(2 * 4 + 1, 1 * 4 + 1), OverviewWesternColour.rgb());
    EXPECT_EQ(o.Image().pixel(2 * 4, 1 * 4), o.SymbolColour(BorderTerrain).rgb());
}

TEST(OverviewLogic, UpdateRepaintsOnlyTheGivenHexes) {
    auto s = MakeBattle({.cols = 30, .rows = 20, .stockMarkers = true});
    OverviewLogic o(*s, StockSymbols());
    o.SetPanelSize(QSize(90, 60));
    ASSERT_EQ(o.PixelSize(), 3);
    const QImage before = o.Image().copy();

    const int32_t changed = s->HexIndex(7, 11), notAnnounced = s->HexIndex(2, 3);
    s->Hexes[size_t(changed)].PrimaryTerrain = BorderTerrain;
    s->Hexes[size_t(notAnnounced)].PrimaryTerrain = BorderTerrain;
    o.UpdateHexes({changed, NoSymbol, -5, s->HexCount});

    const QRect square(11 * 3, 7 * 3, 3, 3);
    int differing = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != o.Image().pixel(x, y)) {
                ++differing;
                EXPECT_TRUE(square.contains(x, y)) << "pixel " << x << "," << y << " outside the hex changed";
            }
    EXPECT_EQ(differing, 9);

    // A replaced grid is noticed and rebuilt whole.
    s->Cols = 10;
    s->Rows = 10;
    s->HexCount = 100;
    s->Hexes.assign(100, HexCell{});
    EXPECT_TRUE(o.Stale());
    o.UpdateHexes({});
    EXPECT_EQ(o.Image().size(), QSize(30, 30));
}

TEST(OverviewLogic, ViewRectAndHexAt) {
    auto s = MakeBattle({.cols = 50, .rows = 40, .stockMarkers = true});
    OverviewLogic o(*s, StockSymbols());
    o.SetPanelSize(QSize(100, 100));
    ASSERT_EQ(o.PixelSize(), 2);
    EXPECT_EQ(o.ViewRect(s->HexIndex(4, 6), 10, 8), QRect(12, 8, 20, 16));
    // Cut at the map's edge.
    EXPECT_EQ(o.ViewRect(s->HexIndex(36, 44), 10, 8), QRect(88, 72, 12, 8));
    EXPECT_TRUE(o.ViewRect(NoSymbol, 10, 8).isEmpty());

    EXPECT_EQ(o.HexAt(QPoint(13, 9)), s->HexIndex(4, 6));
    EXPECT_EQ(o.HexAt(QPoint(99, 79)), s->HexIndex(39, 49));
    EXPECT_EQ(o.HexAt(QPoint(100, 10)), NoSymbol);
    EXPECT_EQ(o.HexAt(QPoint(-1, 10)), NoSymbol);
}

// A real map view beside an overview panel.
class OverviewPanelGui : public ::testing::Test {
  protected:
    void SetUp() override {
        scenario = MakeBattle({.cols = 80, .rows = 60, .stockMarkers = true});
        scenario->ZoomLevel = 1;
        renderer = std::make_unique<MapRenderer>(*scenario, StockSymbols(), switches);
        view = std::make_unique<MapView>(*scenario, *renderer, switches, sounds, K2_STOCK_DIR);
        view->resize(640, 480);
        view->show();
        view->ShowBattle();
        panel = std::make_unique<OverviewPanel>(*scenario, StockSymbols(), *view);
        panel->resize(200, 150);
        panel->show();
        panel->BattleChanged();
        QObject::connect(panel.get(), &OverviewPanel::ScrollRequested, view.get(), &MapView::CenterOn);
    }
    int32_t OriginCol() const { return scenario->ViewOriginHex % scenario->Cols; }
    int32_t OriginRow() const { return scenario->ViewOriginHex / scenario->Cols; }
    // The rectangle the panel should draw for the view's current origin and size.
    QRect Expected() const {
        const ViewMetrics m = view->Logic().Metrics();
        const int32_t px = panel->Logic().PixelSize();
        const int32_t cols = std::min(m.VisibleColumns, scenario->Cols - OriginCol());
        const int32_t rows = std::min(m.VisibleRows, scenario->Rows - OriginRow());
        return QRect(OriginCol() * px, OriginRow() * px, cols * px, rows * px)
            .translated(panel->ImageOffset());
    }

    DisplaySwitches switches;
    test::SoundRecorder sounds;
    std::unique_ptr<Scenario> scenario;
    std::unique_ptr<MapRenderer> renderer;
    std::unique_ptr<MapView> view;
    std::unique_ptr<OverviewPanel> panel;
};

TEST_F(OverviewPanelGui, RectangleFollowsScrollAndZoom) {
    EXPECT_EQ(panel->objectName(), "Overview");
    ASSERT_EQ(panel->Logic().PixelSize(), 2);
    const QRect start = panel->ViewRectInPanel();
    EXPECT_EQ(start, Expected());
    EXPECT_EQ(start.topLeft(), panel->ImageOffset());

    auto* horz = view->findChild<QScrollBar*>("ScrollHorz");
    auto* vert = view->findChild<QScrollBar*>("ScrollVert");
    ASSERT_TRUE(horz && vert && horz->isEnabled() && vert->isEnabled());
    horz->setValue(4);
    vert->setValue(2);
    ASSERT_EQ(OriginCol(), 4);
    ASSERT_EQ(OriginRow(), 2);
    EXPECT_EQ(panel->ViewRectInPanel(), Expected());
    EXPECT_EQ(panel->ViewRectInPanel().topLeft() - start.topLeft(), QPoint(8, 4));

    view->ZoomOut();
    ASSERT_EQ(scenario->ZoomLevel, 0);
    EXPECT_EQ(panel->ViewRectInPanel(), Expected());
    EXPECT_GT(panel->ViewRectInPanel().width(), start.width()) << "zooming out shows more of the map";
}

TEST_F(OverviewPanelGui, ClickAndDragCentreTheView) {
    const ViewMetrics m = view->Logic().Metrics();
    const QPoint offset = panel->ImageOffset();
    // Hex (row 30, column 41): the origin goes half a view up and left, even.
    gui_input::Click(panel.get(), offset + QPoint(41 * 2 + 1, 30 * 2 + 1));
    int32_t col = 41 - m.VisibleColumns / 2, row = 30 - m.VisibleRows / 2;
    EXPECT_EQ(OriginCol(), col - col % 2);
    EXPECT_EQ(OriginRow(), row - row % 2);
    EXPECT_EQ(panel->ViewRectInPanel(), Expected());
    EXPECT_EQ(view->findChild<QScrollBar*>("ScrollHorz")->value(), OriginCol());

    // A drag past the top left corner ends at the map's first hex.
    gui_input::Press(panel.get(), offset + QPoint(60, 40));
    gui_input::MoveMouse(panel.get(), offset + QPoint(30, 20), Qt::LeftButton);
    gui_input::MoveMouse(panel.get(), QPoint(0, 0) - QPoint(20, 20), Qt::LeftButton);
    gui_input::Release(panel.get(), QPoint(0, 0));
    EXPECT_EQ(scenario->ViewOriginHex, 0);
}

TEST_F(OverviewPanelGui, EditsRepaintTheOverviewAndMarkOutlinesAHex) {
    const int32_t hex = scenario->HexIndex(3, 5);
    const QRgb before = Pixel(panel->Logic(), 5, 3);
    scenario->Hexes[size_t(hex)].PrimaryTerrain = BorderTerrain;
    panel->HexesChanged({hex});
    EXPECT_NE(Pixel(panel->Logic(), 5, 3), before);
    EXPECT_EQ(Pixel(panel->Logic(), 5, 3), panel->Logic().SymbolColour(BorderTerrain).rgb());

    auto* mapWin = view->findChild<MapImage*>("MapWin");
    ASSERT_NE(mapWin, nullptr);
    view->MarkHex(hex);
    EXPECT_FALSE(mapWin->Outline().isEmpty());
    const QRect marked = mapWin->Outline().boundingRect();
    view->findChild<QScrollBar*>("ScrollHorz")->setValue(2); // the outline moves with the map
    EXPECT_LT(mapWin->Outline().boundingRect().x(), marked.x());
    view->MarkHex(NoSymbol);
    EXPECT_TRUE(mapWin->Outline().isEmpty());
}

} // namespace
