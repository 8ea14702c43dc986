// Export Map Image against k2tool render and against one render pass over the whole map.
#include "graphics/map_export.h"

#include "common/battle_builder.h"
#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "core/terrain_defs.h"
#include "graphics/ansi_text.h"
#include "graphics/map_renderer.h"

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using namespace k2;

namespace {

const fs::path Stock = K2_STOCK_DIR;

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

int RunRender(const QStringList& args) {
    QProcess p;
    p.setProgram(K2_TOOL_PATH);
    p.setArguments(QStringList{"--install", Q(Stock), "render"} + args);
    p.start();
    p.waitForFinished(300000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

class MapExport : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        InstallFontSubstitutions();
        QImageReader::setAllocationLimit(0); // whole-map pictures exceed the default limit
        battle = new Scenario;
        battleFile = new fs::path(Stock / "scenarios" / "Battle of the Great Field.k2s");
        const fs::path defs = FindFile(Stock / "sysdefs", "K2Ter.Def");
        ASSERT_TRUE(ReadTerrainDefs(*battle, defs));
        const Status read = ReadBattle(*battle, *battleFile, defs);
        ASSERT_TRUE(read) << read.message;
        symbols = new SymbolSet;
        const Status loaded = LoadSymbolSet(*symbols, Stock, "K2T", "K2U", {});
        ASSERT_TRUE(loaded) << loaded.message;
    }
    static void TearDownTestSuite() {
        delete battle;
        delete battleFile;
        delete symbols;
    }
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        ASSERT_EQ(battle->Cols, 150);
        ASSERT_EQ(battle->Rows, 150);
    }
    fs::path Out(const std::string& name) const { return fs::path(tmp.path().toStdString()) / name; }

    static Scenario* battle;
    static fs::path* battleFile;
    static SymbolSet* symbols;
    QTemporaryDir tmp;
};
Scenario* MapExport::battle = nullptr;
fs::path* MapExport::battleFile = nullptr;
SymbolSet* MapExport::symbols = nullptr;

TEST_F(MapExport, WholeMapInBandsEqualsOnePassAndRenderWhole) {
    auto s = std::make_unique<Scenario>(*battle);
    s->ZoomLevel = 0;                       // small hexes: a label spans many rows
    s->ViewOriginHex = s->HexIndex(40, 60); // the whole map starts at hex 0 whatever the view shows
    DisplaySwitches switches;
    switches.Elevation = true; // raised hexes reach across the band edges
    // A tall label hanging below a hex several rows above the second band reaches down into
    // it: the band must draw it although its hex lies well outside the band.
    ASSERT_LT(s->MapTextCount, MaxMapTexts);
    k2::test::AddMapText(*s, s->HexIndex(26, 20),
                         {.Text = {"Seam"},
                          .FontName = {"Arial"},
                          .Colour = 0x00FFFFFF,
                          .Size = {255, 255, 255},  // the largest a label can be
                          .Placement = {1, 1, 1}}); // below the hex
    {
        auto saved = std::make_unique<Scenario>(*s);
        const Status w = WriteBattle(*saved, Out("seam.k2s"), symbols->TerrainCount());
        ASSERT_TRUE(w) << w.message;
    }
    const auto before = std::make_unique<Scenario>(*s);

    // One pass over a view of the whole map, as the renderer draws it.
    const QSize size = WholeMapSize(*s, *symbols);
    const HexPitches p = ComputePitches({symbols->CellSize(0), symbols->CellSize(1), symbols->CellSize(2)});
    EXPECT_EQ(size, QSize(149 * p.ColumnPitch[0] + symbols->CellSize(0),
                          149 * p.RowPitch[0] + p.RowPitch[0] / 2 + symbols->CellSize(0)));
    QImage onePass;
    {
        auto copy = std::make_unique<Scenario>(*s);
        copy->ViewOriginHex = 0;
        MapRenderer renderer(*copy, *symbols, switches);
        renderer.SetBattleLoaded(true);
        renderer.SetViewSize(size.width(), size.height());
        renderer.Render();
        onePass = renderer.Present();
    }
    ASSERT_EQ(onePass.size(), size);

    std::vector<int> percents;
    const Status st = ExportMapImage(*s, *symbols, switches, ExportArea::WholeMap, QSize(800, 600),
                                     Out("w.png"), [&](int percent) {
                                         percents.push_back(percent);
                                         return true;
                                     });
    ASSERT_TRUE(st) << st.message;
    EXPECT_TRUE(*s == *before) << "the export changed the battle";
    ASSERT_GT(percents.size(), 3u) << "a large map is drawn in several bands";
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);

    const QImage exported(Q(Out("w.png")));
    ASSERT_EQ(exported.size(), size);
    EXPECT_TRUE(exported == onePass.convertToFormat(exported.format())) << "bands differ from one pass";

    ASSERT_EQ(
        RunRender({Q(Out("seam.k2s")), "--out", Q(Out("r.png")), "--whole", "--zoom", "0", "--elevation"}),
        0);
    const QImage rendered(Q(Out("r.png")));
    EXPECT_TRUE(rendered == exported) << "render --whole and the export differ";
}

TEST_F(MapExport, VisiblePartEqualsRenderView) {
    auto s = std::make_unique<Scenario>(*battle);
    s->ZoomLevel = 1;
    s->ViewOriginHex = s->HexIndex(20, 36);
    DisplaySwitches switches;
    switches.Overlay = false;
    switches.MapText = false;
    int calls = 0;
    const Status st = ExportMapImage(*s, *symbols, switches, ExportArea::VisiblePart, QSize(500, 360),
                                     Out("v.png"), [&](int) { return ++calls > 0; });
    ASSERT_TRUE(st) << st.message;
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(RunRender({Q(*battleFile), "--out", Q(Out("r.png")), "--view", "500x360", "--zoom", "1",
                         "--origin", QString::number(s->ViewOriginHex), "--hide", "overlay,text"}),
              0);
    const QImage exported(Q(Out("v.png"))), rendered(Q(Out("r.png")));
    EXPECT_EQ(exported.size(), QSize(500, 360));
    EXPECT_TRUE(exported == rendered);
}

TEST_F(MapExport, CancelAndFailureLeaveNoFile) {
    auto s = std::make_unique<Scenario>(*battle);
    s->ZoomLevel = 2;
    const DisplaySwitches switches;

    // A cancel during the second band keeps the earlier file as it was.
    { std::ofstream(Out("keep.png")) << "earlier"; }
    int calls = 0;
    const Status cancelled = ExportMapImage(*s, *symbols, switches, ExportArea::WholeMap, {}, Out("keep.png"),
                                            [&](int) { return ++calls < 2; });
    EXPECT_FALSE(cancelled.ok);
    EXPECT_TRUE(IsExportCancelled(cancelled));
    EXPECT_EQ(calls, 2);
    std::ifstream kept(Out("keep.png"));
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "earlier");

    const Status failed = ExportMapImage(*s, *symbols, switches, ExportArea::VisiblePart, QSize(300, 200),
                                         Out("no such folder") / "m.png");
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(IsExportCancelled(failed));
    EXPECT_THAT(failed.message, ::testing::HasSubstr("could not be written"));
    EXPECT_FALSE(fs::exists(Out("no such folder")));

    const auto empty = std::make_unique<Scenario>();
    const Status none = ExportMapImage(*empty, *symbols, switches, ExportArea::WholeMap, {}, Out("e.png"));
    EXPECT_EQ(none.message, "There is no map to export.");
    EXPECT_FALSE(fs::exists(Out("e.png")));
    for (const auto& e : fs::directory_iterator(tmp.path().toStdString()))
        EXPECT_EQ(e.path().filename(), "keep.png") << "a temporary file was left behind";
}

} // namespace
