#include "graphics/map_renderer.h"

#include "common/battle_builder.h"
#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "graphics/ansi_text.h"
#include "graphics/map_text_place.h"
#include "graphics/symbol_blit.h"
#include "synthetic_symbols.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

using namespace k2;
using namespace k2test;

namespace {

const SyntheticSet& Terrain() {
    static const SyntheticSet set = RendererTerrain();
    return set;
}
uint16_t Colour(int32_t symbol) {
    return Terrain().symbols[size_t(symbol)].colour;
}
constexpr uint16_t SmallUnitColour = 0xFFFF;
constexpr uint16_t FullUnitColour = 0xA514;

class Renderer : public ::testing::Test {
  public:
    static void SetUpTestSuite() {
        InstallFontSubstitutions();
        dir = new QTemporaryDir;
        WriteSets(dir->path().toStdString(), "SYN", Terrain(), "SYU", RendererUnits());
        symbols = new SymbolSet;
        const Status s = LoadSymbolSet(*symbols, dir->path().toStdString(), "SYN", "SYU", {});
        ASSERT_TRUE(s) << s.message;
    }
    static void TearDownTestSuite() {
        delete symbols;
        delete dir;
    }

    void NewMap(int32_t cols, int32_t rows, int32_t primary = 13) {
        sc = k2::test::MakeBattle({.cols = cols, .rows = rows, .terrain = primary});
        sc->MarkerSymbols.fill(NoSymbol);
        sc->MarkerSymbols[MarkerObjective] = 7;
        sc->MarkerSymbols[MarkerMapOverlay] = 0;
        sc->TerrainDefCount = int32_t(Terrain().symbols.size());
        renderer = std::make_unique<MapRenderer>(*sc, *symbols, switches);
        renderer->SetBattleLoaded(true);
    }
    void View(int32_t w, int32_t h, int32_t zoom, int32_t origin = 0) {
        sc->ZoomLevel = uint8_t(zoom);
        sc->ViewOriginHex = origin;
        renderer->SetViewSize(w, h);
    }
    HexCell& Hex(int32_t h) { return sc->Hexes[size_t(h)]; }
    int32_t S() const { return symbols->CellSize(sc->ZoomLevel); }
    uint16_t Pixel(int32_t x, int32_t y) const {
        const QImage& img = renderer->Buffer().Image();
        return reinterpret_cast<const uint16_t*>(img.constScanLine(y))[x];
    }
    uint16_t Centre(int32_t hex) const {
        const HexPoint p = renderer->HexPositionInBuffer(hex);
        return Pixel(p.X + S() / 2, p.Y + S() / 2);
    }
    void AddUnit(int32_t hex, int32_t symbol) {
        UnitRecord unit;
        unit.Symbol = symbol;
        k2::test::AddUnit(*sc, hex, unit);
    }
    int32_t AddText(int32_t hex, const char* text, int32_t placement, int32_t size = 12, uint8_t style = 9) {
        const uint8_t s = uint8_t(size), p = uint8_t(placement);
        return k2::test::AddMapText(*sc, hex,
                                    {.Text = {text},
                                     .FontName = {"Arial"},
                                     .Colour = 0x0000FF,
                                     .Size = {s, s, s},
                                     .Placement = {p, p, p},
                                     .Style = style});
    }
    // The bounding box of pixels that are neither black nor `except`.
    QRect Painted(uint16_t except = 0) const {
        const QImage& img = renderer->Buffer().Image();
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const uint16_t v = Pixel(x, y);
                if (v != 0 && v != except) box = box.united(QRect(x, y, 1, 1));
            }
        return box;
    }

    static QTemporaryDir* dir;
    static SymbolSet* symbols;
    DisplaySwitches switches;
    std::unique_ptr<Scenario> sc;
    std::unique_ptr<MapRenderer> renderer;
};
QTemporaryDir* Renderer::dir = nullptr;
SymbolSet* Renderer::symbols = nullptr;

TEST_F(Renderer, BufferHasTheDrawSizeAndPresentShowsTheViewFromTheMargins) {
    NewMap(20, 20, 0);
    View(150, 120, 1, 2 * 20 + 2);
    EXPECT_EQ(renderer->Buffer().Width(), 150 + 2 * 15);
    EXPECT_EQ(renderer->Buffer().Height(), 120 + 2 * 18);
    EXPECT_EQ(renderer->Buffer().Image().format(), QImage::Format_RGB16);
    Hex(3 * 20 + 3).PrimaryTerrain = 1;
    renderer->Render();
    EXPECT_EQ(renderer->LeftMargin(), 15);
    EXPECT_EQ(renderer->TopMargin(), 18);
    const QImage view = renderer->Present();
    ASSERT_EQ(view.size(), QSize(150, 120));
    EXPECT_EQ(view, renderer->Buffer().Image().copy(15, 18, 150, 120));
    QImage target(150, 120, QImage::Format_RGB16);
    renderer->PresentTo(target);
    EXPECT_EQ(target, view);
    // Hex (3, 3) is one column and one row into the view: odd column, half a row down.
    EXPECT_EQ(reinterpret_cast<const uint16_t*>(view.constScanLine(18 + 9 + 10))[15 + 10], Colour(1));
}

TEST_F(Renderer, NothingIsDrawnWithoutABattle) {
    NewMap(10, 10, 1);
    View(100, 100, 0);
    renderer->SetBattleLoaded(false);
    renderer->Render();
    EXPECT_TRUE(Painted().isNull());
}

TEST_F(Renderer, LayersAreDrawnInOrder) {
    NewMap(10, 10, 0);
    View(200, 200, 2);
    const int32_t h = 22;
    sc->StructureCount = 1;
    sc->Structures[1].Symbol = 6;
    sc->ObjectiveCount = 1;
    struct Step {
        const char* what;
        std::function<void()> apply;
        uint16_t centre;
    };
    const std::vector<Step> steps = {
        {"primary", [&] { Hex(h).PrimaryTerrain = 1; }, Colour(1)},
        {"secondary 1", [&] { Hex(h).SecondaryTerrain[0] = 2; }, Colour(2)},
        {"secondary 2", [&] { Hex(h).SecondaryTerrain[1] = 3; }, Colour(3)},
        {"caltrops", [&] { Hex(h).Caltrops = 4; }, Colour(4)},
        {"overlay", [&] { sc->MarkerSymbols[MarkerMapOverlay] = 5; }, Colour(5)},
        {"structure", [&] { Hex(h).Structure = 1; }, Colour(6)},
        {"objective", [&] { Hex(h).Objective = 1; }, Colour(7)},
        {"reinforcement", [&] { Hex(h).ReinforcementMarker = 8; }, Colour(8)},
        {"stakes", [&] { Hex(h).Stakes = 9; }, Colour(9)},
        {"unit", [&] { AddUnit(h, 0); }, SmallUnitColour},
    };
    for (const Step& s : steps) {
        s.apply();
        renderer->Render();
        EXPECT_EQ(Centre(h), s.centre) << s.what;
    }
}

TEST_F(Renderer, SecondarySlotsStopAtTheFirstEmptySlotAndSkipSymbolZero) {
    NewMap(10, 10, 1);
    View(200, 200, 2);
    Hex(22).SecondaryTerrain = {2, 3, NoSymbol, 4, 5, 6};
    Hex(23).SecondaryTerrain = {0, NoSymbol, NoSymbol, NoSymbol, NoSymbol, NoSymbol};
    Hex(24).SecondaryTerrain = {2, 0, NoSymbol, NoSymbol, NoSymbol, NoSymbol};
    renderer->Render();
    EXPECT_EQ(Centre(22), Colour(3));
    EXPECT_EQ(Centre(23), Colour(1)) << "symbol 0 in a slot is not drawn";
    EXPECT_EQ(Centre(24), Colour(2));
}

TEST_F(Renderer, MaskedAndUnmaskedSymbols) {
    NewMap(10, 10, 1);
    View(200, 200, 2);
    Hex(22).SecondaryTerrain[0] = 10; // no mask: ORed onto the red
    Hex(24).PrimaryTerrain = 2;
    Hex(24).SecondaryTerrain[0] = 11; // masked, transparent centre
    renderer->Render();
    EXPECT_EQ(Centre(22), uint16_t(Colour(1) | Colour(10)));
    EXPECT_EQ(Centre(24), Colour(2));
    const HexPoint p = renderer->HexPositionInBuffer(24);
    EXPECT_EQ(Pixel(p.X + 1, p.Y + 1), Colour(11));
}

TEST_F(Renderer, PrimaryTerrainIsAlwaysDrawnThroughItsMask) {
    NewMap(10, 10, 1);
    View(200, 200, 2);
    renderer->Render();
    Hex(22).PrimaryTerrain = 12; // holed, masked flag 0
    renderer->RedrawHex(22);
    const HexPoint p = renderer->HexPositionInBuffer(22);
    EXPECT_EQ(Pixel(p.X + 1, p.Y + 1), Colour(12)) << "masked: replaces the red";
    EXPECT_EQ(Centre(22), Colour(1)) << "the hole shows what was there";
}

TEST_F(Renderer, NumbersOutsideTheTablesAreNeverDrawn) {
    NewMap(10, 10, 1);
    View(200, 200, 2);
    Hex(22).PrimaryTerrain = 999;
    Hex(23).SecondaryTerrain[0] = int32_t(Terrain().symbols.size());
    Hex(23).Caltrops = -4;
    Hex(23).Structure = 3; // no structures
    Hex(23).Objective = 2; // no objectives
    Hex(23).ReinforcementMarker = NoSymbol;
    Hex(23).Stakes = 70000;
    Hex(24).Unit = 7; // beyond the unit count
    AddUnit(25, 3);   // beyond the unit set
    AddUnit(26, -1);
    Hex(27).MapText = 9; // beyond the map text count
    sc->MarkerSymbols[MarkerMapOverlay] = 800;
    renderer->Render();
    EXPECT_EQ(Centre(22), 0);
    for (int32_t h : {23, 24, 25, 26, 27})
        EXPECT_EQ(Centre(h), Colour(1)) << h;
}

TEST_F(Renderer, DisplaySwitchesHideTheirSymbols) {
    struct Case {
        const char* what;
        bool DisplaySwitches::*flag;
        std::function<void(Renderer&)> mark;
        uint16_t shown;
    };
    const std::vector<Case> cases = {
        {"objectives", &DisplaySwitches::Objectives,
         [](Renderer& t) {
             t.sc->ObjectiveCount = 1;
             t.Hex(22).Objective = 1;
         },
         Colour(7)},
        {"reinforcements", &DisplaySwitches::Reinforcements,
         [](Renderer& t) { t.Hex(22).ReinforcementMarker = 8; }, Colour(8)},
        {"overlay", &DisplaySwitches::Overlay, [](Renderer& t) { t.sc->MarkerSymbols[MarkerMapOverlay] = 5; },
         Colour(5)},
    };
    for (const Case& c : cases) {
        switches = DisplaySwitches{};
        NewMap(10, 10, 1);
        View(200, 200, 2);
        c.mark(*this);
        renderer->Render();
        EXPECT_EQ(Centre(22), c.shown) << c.what;
        switches.*c.flag = false;
        renderer->Render();
        EXPECT_EQ(Centre(22), Colour(1)) << c.what << " off";
        EXPECT_TRUE(c.what != std::string("objectives") || sc->ObjectiveCount == 1) << "data stays";
    }
}

TEST_F(Renderer, RedrawLayersChooseWhatAPassDraws) {
    NewMap(10, 10, 1);
    View(400, 300, 2);
    FillRect16(renderer->Buffer().Image(), renderer->Buffer().Image().rect(), 0x1234);
    renderer->RenderPass(RedrawStrip);
    EXPECT_EQ(Pixel(380, 290), 0x1234) << "no clearing without bit 0";
    EXPECT_EQ(Centre(22), Colour(1));
    renderer->RenderPass(RedrawAll);
    EXPECT_EQ(Pixel(380, 290), 0);

    Hex(22).PrimaryTerrain = 2;
    AddUnit(22, 2);
    renderer->RenderPass(RedrawText);
    const HexPoint p = renderer->HexPositionInBuffer(22);
    EXPECT_EQ(Pixel(p.X + 1, p.Y + 1), FullUnitColour) << "units are drawn by every pass";
    Hex(22).Unit = 0;
    renderer->RenderPass(RedrawText);
    EXPECT_EQ(Centre(22), FullUnitColour) << "no terrain without bit 1";
    renderer->RenderPass(RedrawClear | RedrawText);
    EXPECT_EQ(Centre(22), 0);
}

TEST_F(Renderer, ElevationSweepsDrawHigherGroundLaterAndRaisedAndEveryHex) {
    NewMap(10, 10, 13);
    View(200, 200, 0);
    sc->TerrainDefs[14].elevation = 2;
    sc->TerrainDefs[1].elevation = 1;
    sc->TerrainDefs[2].elevation = 0;
    sc->TerrainDefs[3].elevation = 5;
    Hex(0).PrimaryTerrain = 14;
    Hex(1).PrimaryTerrain = 1;
    Hex(44).PrimaryTerrain = 2;
    Hex(46).PrimaryTerrain = 3;
    renderer->Render();
    // Hexes 0 and 1 overlap at (8, 4); list order draws hex 1 last.
    EXPECT_EQ(Pixel(8, 4), Colour(1));
    switches.Elevation = true;
    renderer->Render();
    EXPECT_EQ(Pixel(8, 4), Colour(14)) << "elevation 2 after elevation 1";
    EXPECT_EQ(Pixel(5, 0), Colour(14));
    EXPECT_EQ(Pixel(5, 7), 0) << "hex 0 raised by 5";
    EXPECT_EQ(Centre(44), Colour(2)) << "elevation 0 is drawn, not raised";
    const HexPoint p = renderer->HexPositionInBuffer(46);
    EXPECT_EQ(Pixel(p.X + 5, p.Y + 5 - 10), Colour(3)) << "elevation 5 is drawn and raised like 3";
}

TEST_F(Renderer, ElevationRaisesTerrainAndUnitsAtZoomTwo) {
    NewMap(10, 10, 13);
    View(300, 300, 2);
    sc->TerrainDefs[14].elevation = 3;
    Hex(42).PrimaryTerrain = 14;
    AddUnit(42, 0);
    switches.Elevation = true;
    renderer->Render();
    const HexPoint p = renderer->HexPositionInBuffer(42);
    EXPECT_EQ(Pixel(p.X + 25, p.Y + 15 - 30), Colour(14));
    EXPECT_EQ(Pixel(p.X + 25, p.Y + 15), 0);
    EXPECT_EQ(Pixel(p.X + 4, p.Y + 4 - 30), SmallUnitColour);
    EXPECT_EQ(Pixel(p.X + 4, p.Y + 4), 0);
}

TEST_F(Renderer, UnitPlacementInTheCell) {
    NewMap(10, 10, 13);
    View(200, 200, 0);
    AddUnit(22, 2); // as large as the cell: corner + 2 at zoom 0
    AddUnit(44, 0); // half the cell: + (10 - 5) / 4 + 2
    renderer->Render();
    const HexPoint a = renderer->HexPositionInBuffer(22);
    EXPECT_EQ(Pixel(a.X + 1, a.Y + 1), 0);
    EXPECT_EQ(Pixel(a.X + 2, a.Y + 2), FullUnitColour);
    EXPECT_EQ(Pixel(a.X + 11, a.Y + 11), FullUnitColour);
    const HexPoint b = renderer->HexPositionInBuffer(44);
    EXPECT_EQ(Pixel(b.X + 2, b.Y + 2), 0);
    EXPECT_EQ(Pixel(b.X + 3, b.Y + 3), SmallUnitColour);
    EXPECT_EQ(Pixel(b.X + 7, b.Y + 7), SmallUnitColour);
    EXPECT_EQ(Pixel(b.X + 8, b.Y + 8), 0);
}

TEST_F(Renderer, MapTextIsDrawnSolidWhereItsPositionPutsIt) {
    // Below (centred on the hex) and above left: together they depend on the hex's place, the
    // cell size and both text measures.
    for (const int32_t position : {1, 5}) {
        NewMap(10, 10, 13);
        View(400, 400, 2);
        const int32_t m = AddText(44, "HHH", position);
        renderer->Render();
        const QRect box = Painted();
        ASSERT_FALSE(box.isNull()) << position;
        const QFontMetrics metrics(MapTextFont(sc->MapTexts[size_t(m)], 2), &renderer->Buffer().Image());
        const QSize size(metrics.horizontalAdvance("HHH"), metrics.height());
        const HexPoint p = renderer->HexPositionInBuffer(44);
        const QRect expected(MapTextTopLeft(position, QPoint(p.X, p.Y), S(), size), size);
        EXPECT_TRUE(expected.contains(box)) << position;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const uint16_t v = Pixel(x, y);
                ASSERT_TRUE(v == 0 || v == 0xF800) << "solid red glyphs";
            }
    }
}

TEST_F(Renderer, TheMapTextSwitchShowsAndHidesTheTexts) {
    for (const bool on : {true, false}) {
        switches.MapText = on;
        NewMap(10, 10, 13);
        View(400, 400, 0);
        AddText(44, "Ford", 1);
        renderer->Render();
        EXPECT_EQ(!Painted().isNull(), on) << on;
    }
}

TEST_F(Renderer, MapTextSizePerZoomLevelAndStyle) {
    NewMap(10, 10, 13);
    View(400, 400, 0);
    const int32_t m = AddText(44, "Mill", 1);
    sc->MapTexts[size_t(m)].Size = {5, 12, 12};
    renderer->Render();
    EXPECT_TRUE(Painted().isNull()) << "size 5 at zoom 0";
    View(400, 400, 1);
    renderer->Render();
    const QRect plain = Painted();
    EXPECT_FALSE(plain.isNull());
    auto count = [&] {
        int n = 0;
        for (int y = 0; y < renderer->Buffer().Height(); ++y)
            for (int x = 0; x < renderer->Buffer().Width(); ++x)
                n += Pixel(x, y) != 0;
        return n;
    };
    const int plainPixels = count();
    sc->MapTexts[size_t(m)].Style = 9 | 16;
    renderer->Render();
    EXPECT_GT(count(), plainPixels) << "bold";
    sc->MapTexts[size_t(m)].Style = 9 | 64;
    renderer->Render();
    EXPECT_GT(Painted().bottom(), plain.bottom()) << "underline";
}

TEST_F(Renderer, MapTextNeverHidesAUnit) {
    NewMap(10, 10, 13);
    View(400, 400, 2);
    AddText(44, "WWWWWWWW", 8, 20);
    AddUnit(45, 2);
    renderer->Render();
    const HexPoint p = renderer->HexPositionInBuffer(45);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(Pixel(p.X + x, p.Y + y), FullUnitColour);
}

TEST_F(Renderer, RedrawHexOutsideTheWindowChangesNothing) {
    NewMap(40, 40, 1);
    View(200, 200, 0);
    renderer->Render();
    const QImage before = renderer->Buffer().Image().copy();
    Hex(39 * 40 + 39).PrimaryTerrain = 2;
    for (int32_t h : {39 * 40 + 39, 30, -1, NoSymbol, 40 * 40})
        renderer->RedrawHex(h);
    EXPECT_EQ(renderer->Buffer().Image(), before);
}

TEST_F(Renderer, RedrawHexRepaintsTerrainAndUnitButNotStakes) {
    NewMap(10, 10, 1);
    View(200, 200, 2);
    Hex(22).Stakes = 9;
    renderer->Render();
    EXPECT_EQ(Centre(22), Colour(9));
    Hex(22).SecondaryTerrain[0] = 2;
    renderer->RedrawHex(22);
    EXPECT_EQ(Centre(22), Colour(2));
    AddUnit(22, 0);
    renderer->RedrawHex(22);
    EXPECT_EQ(Centre(22), SmallUnitColour);
}

// A busy map: every layer, overlapping symbols, raised ground, units, short and long text at
// every anchor (long text reaches several columns away from its hex).
void FillBusyMap(Renderer& t, uint32_t seed) {
    t.NewMap(40, 30, 0);
    uint32_t state = seed;
    auto next = [&](uint32_t n) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % n;
    };
    const int32_t primaries[] = {0, 1, 2, 3, 11, 12, 13, 14};
    t.sc->StructureCount = 2;
    t.sc->Structures[1].Symbol = 6;
    t.sc->Structures[2].Symbol = 10;
    t.sc->ObjectiveCount = 1;
    t.sc->MarkerSymbols[MarkerMapOverlay] = 11;
    t.sc->TerrainDefs[1].elevation = 2;
    t.sc->TerrainDefs[14].elevation = 3;
    for (int32_t h = 0; h < t.sc->HexCount; ++h) {
        HexCell& c = t.Hex(h);
        c.PrimaryTerrain = primaries[next(8)];
        if (next(3) == 0) c.SecondaryTerrain[0] = int32_t(next(15));
        if (next(9) == 0) c.Caltrops = 4;
        if (next(11) == 0) c.Structure = int32_t(1 + next(2));
        if (next(13) == 0) c.Objective = 1;
        if (next(7) == 0) c.ReinforcementMarker = 8;
        if (next(10) == 0) c.Stakes = 9;
        if (next(5) == 0 && t.sc->UnitCount < MaxUnits) t.AddUnit(h, int32_t(next(3)));
    }
    for (int32_t i = 0; i < 24; ++i) {
        const int32_t h = int32_t(next(uint32_t(t.sc->HexCount)));
        const char* text = i % 3 == 0 ? "Long Ford of the Western Marches" : "Ford";
        if (t.Hex(h).MapText == 0)
            t.AddText(h, text, int32_t(1 + next(8)), int32_t(6 + next(10)), uint8_t(16 * next(8)));
    }
}

// The pass drawn the plain way, symbol by symbol with the mask-and-symbol blit over a cleared
// buffer, in the documented order (map text left out): what the folded symbol stacks and the
// clearing just ahead of the drawing must reproduce.
QImage PlainPass(const Renderer& t, const MapRenderer& r, uint16_t background) {
    QImage out(r.Buffer().Image().size(), QImage::Format_RGB16);
    FillRect16(out, out.rect(), background);
    const Scenario& sc = *t.sc;
    const SymbolSet& set = *t.symbols;
    const int32_t z = sc.ZoomLevel;
    const int32_t s = set.CellSize(z);
    auto symbol = [&](int32_t n, HexPoint at, bool force) {
        if (n == NoSymbol || !set.IsTerrainSymbol(n)) return;
        const SymbolCell& c = set.Terrain(n).Cells[size_t(z)];
        const bool masked = force || set.Terrain(n).Masked != 0;
        BlitSymbol(out, out.rect(), at.X, at.Y, set.TerrainBitmap(z), masked ? &set.TerrainMask(z) : nullptr,
                   c.Left, c.Top, s, s);
    };
    for (int32_t h : r.Visible().Hexes()) {
        const HexCell& cell = sc.Hexes[size_t(h)];
        const HexPoint at = r.HexPositionInBuffer(h);
        symbol(cell.PrimaryTerrain, at, true);
        for (int32_t n : cell.SecondaryTerrain) {
            if (n == NoSymbol) break;
            if (n != 0) symbol(n, at, false);
        }
        if (cell.Caltrops != 0) symbol(cell.Caltrops, at, false);
        if (t.switches.Overlay && sc.MarkerSymbols[MarkerMapOverlay] != 0)
            symbol(sc.MarkerSymbols[MarkerMapOverlay], at, false);
        if (cell.Structure >= 1 && cell.Structure <= sc.StructureCount)
            symbol(sc.Structures[size_t(cell.Structure)].Symbol, at, false);
        if (t.switches.Objectives && cell.Objective >= 1 && cell.Objective <= sc.ObjectiveCount)
            symbol(sc.MarkerSymbols[MarkerObjective], at, false);
        if (t.switches.Reinforcements && cell.ReinforcementMarker != 0)
            symbol(cell.ReinforcementMarker, at, false);
        if (cell.Stakes != 0) symbol(cell.Stakes, at, false);
    }
    for (int32_t h : r.Visible().Hexes()) {
        const int32_t u = sc.Hexes[size_t(h)].Unit;
        if (u == 0) continue;
        const SymbolEntry& e = set.Unit(sc.Units[size_t(u)].Symbol);
        const SymbolCell& c = e.Cells[size_t(z)];
        const HexPoint at = UnitPlacement(r.HexPositionInBuffer(h), s, c.Width(), c.Height(), z);
        BlitSymbol(out, out.rect(), at.X, at.Y, set.UnitBitmap(z), e.Masked ? &set.UnitMask(z) : nullptr,
                   c.Left, c.Top, c.Width(), c.Height());
    }
    return out;
}

TEST_F(Renderer, FullPassEqualsThePlainSymbolBySymbolDrawing) {
    for (int32_t zoom = 0; zoom < 3; ++zoom)
        for (bool overlay : {true, false}) {
            FillBusyMap(*this, 21 + uint32_t(zoom));
            switches.MapText = false;
            switches.Overlay = overlay;
            switches.Objectives = overlay;
            renderer->SetBackground(QColor(40, 80, 120)); // not black: uncleared pixels would show
            View(170 + 30 * zoom, 130 + 20 * zoom, zoom, 4 * 40 + 6);
            renderer->Render();
            const QImage expected = PlainPass(*this, *renderer, ToRgb16(qRgb(40, 80, 120)));
            EXPECT_TRUE(renderer->Buffer().Image() == expected) << "zoom " << zoom << " overlay " << overlay;
        }
}

struct Move {
    int32_t dc, dr;
};

// Scrolls from `col`, `row` by each move in turn and checks after every step that the buffer
// and the window equal those of a full pass at the same origin. `between`, when given, runs
// before the step with the step's number (to flip switches without a full pass).
void ExpectScrollsEqualFullPasses(Renderer& t, const SymbolSet& set, int32_t col, int32_t row,
                                  const std::vector<Move>& moves, const std::string& what,
                                  const std::function<void(size_t)>& between = nullptr) {
    t.sc->ViewOriginHex = row * t.sc->Cols + col;
    t.renderer->Render();
    MapRenderer fresh(*t.sc, set, t.switches);
    fresh.SetBattleLoaded(true);
    fresh.SetViewSize(t.renderer->ViewWidth(), t.renderer->ViewHeight());
    for (size_t i = 0; i < moves.size(); ++i) {
        if (between) between(i);
        col += moves[i].dc;
        row += moves[i].dr;
        t.sc->ViewOriginHex = row * t.sc->Cols + col;
        t.renderer->ScrollShift();
        fresh.Render();
        ASSERT_EQ(t.renderer->Window(), fresh.Window())
            << what << " step " << i << " at " << row << "," << col;
        const QImage& a = t.renderer->Buffer().Image();
        const QImage& b = fresh.Buffer().Image();
        ASSERT_EQ(a.size(), b.size()) << what;
        for (int y = 0; y < a.height(); ++y)
            if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.width()) * 2) != 0) {
                int x = 0;
                while (reinterpret_cast<const uint16_t*>(a.constScanLine(y))[x] ==
                       reinterpret_cast<const uint16_t*>(b.constScanLine(y))[x])
                    ++x;
                FAIL() << what << " step " << i << " at " << row << "," << col << ": pixel " << x << "," << y
                       << " differs";
            }
    }
}

// Both axes, both directions, into and out of the map's top and left edges (where the extra
// column and row come and go) and up to its right and bottom edges.
const std::vector<Move>& RoundTrip() {
    static const std::vector<Move> moves = [] {
        std::vector<Move> m = {{2, 0}, {2, 0}, {0, 2}, {0, 2}, {-2, 0}, {0, -2}, {-2, 0}, {0, -2}};
        for (int i = 0; i < 16; ++i)
            m.push_back({2, 0});
        for (int i = 0; i < 14; ++i)
            m.push_back({0, 2});
        for (int i = 0; i < 3; ++i)
            m.push_back({-2, 0}), m.push_back({0, -2});
        return m;
    }();
    return moves;
}

TEST_F(Renderer, ScrollStepsGiveWhatAFullPassDraws) {
    struct Case {
        const char* name;
        DisplaySwitches switches;
    };
    const std::vector<Case> cases = {
        {"all on", {false, true, true, true, true}},
        {"elevation", {true, true, true, true, true}},
        {"no text", {false, true, true, true, false}},
        {"no markers", {false, false, false, false, true}},
    };
    for (int32_t zoom = 0; zoom < 3; ++zoom)
        for (const Case& c : cases) {
            FillBusyMap(*this, 7 + uint32_t(zoom));
            switches = c.switches;
            View(150 + 40 * zoom, 120 + 30 * zoom, zoom);
            ExpectScrollsEqualFullPasses(*this, *symbols, 0, 0, RoundTrip(),
                                         std::string(c.name) + " zoom " + std::to_string(zoom));
            if (HasFatalFailure()) return;
        }
}

// A switch flipped without a full pass (or the map changed under the buffer's feet) must not
// leave stale pixels in the shifted part.
TEST_F(Renderer, ScrollStepAfterASwitchChangeStillGivesAFullPass) {
    FillBusyMap(*this, 3);
    View(200, 160, 1);
    const std::vector<Move> moves = {{2, 0}, {0, 2}, {2, 0}, {0, 2}, {-2, 0}, {0, -2}};
    ExpectScrollsEqualFullPasses(*this, *symbols, 4, 4, moves, "switches", [&](size_t step) {
        bool* flips[] = {&switches.Overlay,   &switches.MapText,        &switches.Objectives,
                         &switches.Elevation, &switches.Reinforcements, &switches.Overlay};
        *flips[step] = !*flips[step];
    });
}

// The stock sample: real hex shapes, the overlay outline, every marker, map text in the stock
// faces, units; a view wide enough for every zoom level to scroll over both axes.
TEST_F(Renderer, ScrollStepsOnTheStockSampleGiveWhatAFullPassDraws) {
    const std::filesystem::path dir = std::filesystem::path(K2_STOCK_DIR) / "scenarios";
    const std::filesystem::path defs = FindFile(std::filesystem::path(K2_STOCK_DIR) / "sysdefs", "K2Ter.Def");
    sc = std::make_unique<Scenario>();
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (EqualsIgnoreCase(e.path().extension().string(), ".k2s") && ReadBattle(*sc, e.path(), defs) &&
            sc->Cols == 150)
            break;
    ASSERT_EQ(sc->Cols, 150);
    SymbolSet stock;
    ASSERT_TRUE(LoadSymbolSet(stock, K2_STOCK_DIR, sc->TerrainSetName.View(), sc->UnitSetName.View(), {}));
    // Start where the sample has map text and units in view.
    int32_t textHex = 0;
    for (int32_t h = 0; h < sc->HexCount && !textHex; ++h)
        if (sc->Hexes[size_t(h)].MapText != 0 && h % 150 >= 8 && h / 150 >= 8) textHex = h;
    const int32_t col = (textHex % 150 - 6) & ~1;
    const int32_t row = (textHex / 150 - 4) & ~1;
    const std::vector<Move> moves = {{2, 0},  {2, 0},  {2, 0},  {0, 2},  {0, 2},  {-2, 0}, {-2, 0},
                                     {-2, 0}, {-2, 0}, {0, -2}, {0, -2}, {0, -2}, {2, 0}};
    for (int32_t zoom = 0; zoom < 3; ++zoom)
        for (bool elevation : {false, true}) {
            switches = DisplaySwitches{};
            switches.Elevation = elevation;
            sc->ZoomLevel = uint8_t(zoom);
            renderer = std::make_unique<MapRenderer>(*sc, stock, switches);
            renderer->SetBattleLoaded(true);
            renderer->SetViewSize(480, 320);
            ExpectScrollsEqualFullPasses(*this, stock, col, row, moves,
                                         "stock zoom " + std::to_string(zoom) + (elevation ? " raised" : ""));
            if (HasFatalFailure()) return;
        }
}

// A view that keeps a picture made from the buffer renews only what the renderer says it
// changed: a copy kept that way through scrolls, hex redraws (raised, with units and elevation)
// and full passes must stay equal to the buffer.
TEST_F(Renderer, TheChangesReportedCoverEveryPixelAPassAltered) {
    for (int32_t zoom = 0; zoom < 3; ++zoom) {
        FillBusyMap(*this, 31 + uint32_t(zoom));
        switches.Elevation = zoom == 2;
        View(180, 140, zoom, 4 * 40 + 4);
        renderer->Render();
        QImage kept = renderer->Buffer().Image().copy();
        ASSERT_TRUE(renderer->TakeChanges().Whole) << "a full pass changes everything";
        int32_t col = 4, row = 4, step = 0;
        auto follow = [&](const std::string& what) {
            const BufferChanges c = renderer->TakeChanges();
            const QImage& now = renderer->Buffer().Image();
            if (c.Whole) {
                kept = now.copy();
                return;
            }
            QImage moved = kept.copy();
            moved.fill(0x1234); // whatever the shift uncovers must be among the repainted
            QPainter(&moved).drawImage(c.Shift, kept);
            for (const QRect& r : c.Repainted)
                QPainter(&moved).drawImage(r.topLeft(), now.copy(r));
            kept = moved;
            ASSERT_TRUE(kept == now) << what << " at zoom " << zoom;
            ASSERT_TRUE(renderer->TakeChanges().Repainted.isEmpty() && !renderer->TakeChanges().Whole)
                << "taking the changes clears them";
        };
        const std::vector<Move> moves = {{2, 0}, {0, 2}, {-2, 0}, {0, -2}, {2, 0}, {2, 0}, {0, 2}};
        for (const Move& m : moves) {
            col += m.dc;
            row += m.dr;
            sc->ViewOriginHex = row * sc->Cols + col;
            renderer->ScrollShift();
            // Two edits between presents: a unit gone and a raised hex changed.
            const std::vector<int32_t>& in = renderer->Visible().Hexes();
            const int32_t a = in[size_t(step * 7) % in.size()], b = in[size_t(step * 13 + 5) % in.size()];
            if (Hex(a).Unit != 0) sc->Units[size_t(Hex(a).Unit)].Symbol = 1;
            Hex(b).PrimaryTerrain = 14;
            renderer->RedrawHex(a);
            renderer->RedrawHex(b);
            follow("step " + std::to_string(step++));
            if (HasFatalFailure()) return;
        }
        renderer->Render();
        follow("full pass");
    }
}

// The renderer keeps folded symbol stacks and laid-out text between passes: edits of the
// battle, of its marker table and of the switches must still show at the next pass.
TEST_F(Renderer, EditsShowAtTheNextPassDespiteWhatIsKept) {
    FillBusyMap(*this, 11);
    View(200, 160, 2, 2 * 40 + 2);
    renderer->Render();
    const int32_t texted = [&] {
        for (int32_t h : renderer->Visible().Hexes())
            if (Hex(h).MapText != 0) return h;
        return -1;
    }();
    ASSERT_GE(texted, 0);
    PlaceName& text = sc->MapTexts[size_t(Hex(texted).MapText)];
    const int32_t plain = renderer->Visible().Hexes()[5];
    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"primary", [&] { Hex(plain).PrimaryTerrain = 3; }},
        {"secondary", [&] { Hex(plain).SecondaryTerrain[0] = 11; }},
        {"overlay symbol", [&] { sc->MarkerSymbols[MarkerMapOverlay] = 5; }},
        {"overlay off", [&] { switches.Overlay = false; }},
        {"text", [&] { text.Text = "Mill"; }},
        {"colour", [&] { text.Colour = 0x00FF00; }},
        {"style", [&] { text.Style = 16 | 32; }},
        {"size",
         [&] {
             text.Size = {14, 14, 14};
         }},
        {"unit", [&] { AddUnit(plain, 2); }},
    };
    for (const auto& [name, edit] : edits) {
        edit();
        renderer->Render();
        MapRenderer fresh(*sc, *symbols, switches);
        fresh.SetBattleLoaded(true);
        fresh.SetViewSize(200, 160);
        fresh.Render();
        EXPECT_TRUE(renderer->Buffer().Image() == fresh.Buffer().Image()) << name;
    }
}

} // namespace
