// k2tool render run as a program on the stock installation's sample battles.
#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "graphics/hex_geometry.h"
#include "graphics/symbol_set.h"

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string err;
};

ToolRun RunRender(const QStringList& args) {
    QProcess p;
    p.setProgram(K2_TOOL_PATH);
    p.setArguments(QStringList{"--install", K2_STOCK_DIR, "render"} + args);
    p.start();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardError().toStdString()};
}

std::vector<fs::path> SampleBattles() {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(fs::path(K2_STOCK_DIR) / "scenarios")) {
        const std::string ext = e.path().extension().string();
        if (k2::EqualsIgnoreCase(ext, ".k2s") || k2::EqualsIgnoreCase(ext, ".scn")) out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

// The size from the file's header, without decoding a possibly huge picture.
QSize PngSize(const fs::path& p) {
    return QImageReader(Q(p)).size();
}

// The quickest sample to draw: the smallest file.
fs::path SmallSample() {
    auto all = SampleBattles();
    return *std::min_element(all.begin(), all.end(), [](const fs::path& a, const fs::path& b) {
        return fs::file_size(a) < fs::file_size(b);
    });
}

class RenderTool : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    fs::path Out(const std::string& name) const { return fs::path(tmp.path().toStdString()) / name; }
    QTemporaryDir tmp;
};

TEST_F(RenderTool, EverySampleRendersAViewOfTheRequestedSize) {
    const auto battles = SampleBattles();
    ASSERT_GE(battles.size(), 3u);
    for (const auto& b : battles) {
        const ToolRun d = RunRender({Q(b), "--out", Q(Out("d.png"))});
        ASSERT_EQ(d.exitCode, 0) << b << d.err;
        EXPECT_EQ(PngSize(Out("d.png")), QSize(1024, 768)) << b;
        const ToolRun v =
            RunRender({Q(b), "--out", Q(Out("v.png")), "--view", "300x200", "--zoom", "2", "--elevation"});
        ASSERT_EQ(v.exitCode, 0) << b << v.err;
        const QImage img(Q(Out("v.png")));
        EXPECT_EQ(img.size(), QSize(300, 200)) << b;
        // A map, not an empty picture.
        EXPECT_GT(img.convertToFormat(QImage::Format_RGB32).pixel(150, 100) & 0xFFFFFF, 0u) << b;
    }
}

TEST_F(RenderTool, WholeMapCoversEveryHexAtEachZoomLevel) {
    const fs::path battle = SmallSample();
    auto scenario = std::make_unique<k2::Scenario>();
    ASSERT_TRUE(
        k2::ReadBattle(*scenario, battle, k2::FindFile(fs::path(K2_STOCK_DIR) / "sysdefs", "K2Ter.Def")));
    k2::SymbolSet symbols;
    ASSERT_TRUE(k2::LoadSymbolSet(symbols, K2_STOCK_DIR, scenario->TerrainSetName.View(),
                                  scenario->UnitSetName.View(), {}));
    for (int z = 0; z < 3; ++z) {
        const int32_t s = symbols.CellSize(z);
        const QSize expected((scenario->Cols - 1) * k2::ColumnPitchOf(s) + s,
                             (scenario->Rows - 1) * k2::RowPitchOf(s) + k2::RowPitchOf(s) / 2 + s);
        const ToolRun r =
            RunRender({Q(battle), "--whole", "--zoom", QString::number(z), "--out", Q(Out("w.png"))});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(PngSize(Out("w.png")), expected) << "zoom " << z;
    }
}

TEST_F(RenderTool, HiddenLayersChangeThePicture) {
    const fs::path battle = SmallSample();
    ASSERT_EQ(RunRender({Q(battle), "--out", Q(Out("all.png"))}).exitCode, 0);
    ASSERT_EQ(RunRender({Q(battle), "--out", Q(Out("bare.png")), "--hide",
                         "objectives,reinforcements,overlay,text"})
                  .exitCode,
              0);
    EXPECT_NE(QImage(Q(Out("all.png"))), QImage(Q(Out("bare.png"))));
}

TEST_F(RenderTool, ExitCodes) {
    const QString battle = Q(SmallSample());
    struct Case {
        const char* what;
        QStringList args;
        int exitCode;
    };
    const std::vector<Case> cases = {
        {"help", {"--help"}, 0},
        {"no arguments", {}, 2},
        {"no --out", {battle}, 2},
        {"zoom 3", {battle, "--out", Q(Out("x.png")), "--zoom", "3"}, 2},
        {"bad view", {battle, "--out", Q(Out("x.png")), "--view", "100by20"}, 2},
        {"view and whole", {battle, "--out", Q(Out("x.png")), "--view", "100x20", "--whole"}, 2},
        {"unknown layer", {battle, "--out", Q(Out("x.png")), "--hide", "units"}, 2},
        {"unknown option", {battle, "--out", Q(Out("x.png")), "--colour"}, 2},
        {"origin off the map", {battle, "--out", Q(Out("x.png")), "--origin", "99999"}, 2},
        {"missing battle", {Q(Out("none.k2s")), "--out", Q(Out("x.png"))}, 1},
        {"unwritable output", {battle, "--out", Q(Out("no/such/dir/x.png"))}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunRender(c.args).exitCode, c.exitCode) << c.what;
    EXPECT_FALSE(fs::exists(Out("x.png")));
}

TEST_F(RenderTool, DamagedBattleIsRefused) {
    const fs::path bad = Out("bad.k2s");
    std::FILE* f = std::fopen(bad.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("not a battle", f);
    std::fclose(f);
    const ToolRun r = RunRender({Q(bad), "--out", Q(Out("x.png"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.empty());
}

} // namespace
