// k2tool generate and the generate op of k2tool edit, as a user runs them on the stock
// installation.
#include "core/battle_file.h"
#include "core/scenario.h"
#include "generate/role_table.h"
#include "generate/terrain_generator.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;
using namespace k2;

const fs::path Stock = K2_STOCK_DIR;

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun Tool(const QStringList& args) {
    QProcess p;
    p.setWorkingDirectory(QString::fromStdString(Stock.string()));
    p.start(K2_TOOL_PATH, args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

std::unique_ptr<Scenario> Load(const fs::path& file) {
    auto s = std::make_unique<Scenario>();
    EXPECT_TRUE(ReadBattle(*s, file, Stock / "sysdefs" / "K2Ter.Def").ok) << file;
    return s;
}

QByteArray Bytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The terrain of two battles: every cell's terrain and the structures.
void ExpectSameTerrain(const Scenario& a, const Scenario& b) {
    ASSERT_EQ(a.Hexes.size(), b.Hexes.size());
    for (std::size_t h = 0; h < a.Hexes.size(); ++h) {
        EXPECT_EQ(a.Hexes[h].PrimaryTerrain, b.Hexes[h].PrimaryTerrain) << h;
        EXPECT_EQ(a.Hexes[h].SecondaryTerrain, b.Hexes[h].SecondaryTerrain) << h;
        EXPECT_EQ(a.Hexes[h].Structure, b.Hexes[h].Structure) << h;
    }
    EXPECT_EQ(a.StructureCount, b.StructureCount);
    EXPECT_EQ(a.Structures, b.Structures);
}

class GenerateCommand : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(GenerateCommand, WritesANewBattleWhoseTerrainTheSeedAndSlidersDecide) {
    const QStringList args = {"generate", "--cols",  "40", "--rows",   "30", "--seed",
                              "4242",     "--hills", "80", "--rivers", "100"};
    const ToolRun first = Tool(args + QStringList{"--out", Path("a.k2s")});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_TRUE(first.err.isEmpty()) << first.err.toStdString();
    ASSERT_EQ(Tool(args + QStringList{"--out", Path("b.k2s")}).exitCode, 0);
    EXPECT_EQ(Bytes(Path("a.k2s")), Bytes(Path("b.k2s")));
    QStringList other = args;
    other[6] = "4243";
    ASSERT_EQ(Tool(other + QStringList{"--out", Path("c.k2s")}).exitCode, 0);
    EXPECT_NE(Bytes(Path("a.k2s")), Bytes(Path("c.k2s")));

    // A new battle as Create New Battle proposes it.
    auto battle = Load(Path("a.k2s").toStdString());
    EXPECT_EQ(battle->Cols, 40);
    EXPECT_EQ(battle->Rows, 30);
    EXPECT_EQ(battle->BattleName.Str(), "New Battle");
    EXPECT_EQ(battle->WesternName.Str(), "Western Forces");
    EXPECT_EQ(battle->EasternName.Str(), "Eastern Forces");
    EXPECT_EQ(battle->TerrainSetName.Str(), "K2T");
    EXPECT_EQ(battle->UnitSetName.Str(), "K2U");
    EXPECT_EQ(battle->UnitCount, 0);
    EXPECT_EQ(battle->SaveCount, 1);

    // Its terrain is what the generator lays with those settings.
    RoleTable roles;
    ASSERT_TRUE(ReadRoleTable(RoleTableFile(Stock, "K2T"), roles).ok);
    GeneratorSettings settings;
    settings.Seed = 4242;
    settings.Hills = 80;
    settings.Rivers = 100;
    auto again = std::make_unique<Scenario>(*battle);
    ASSERT_TRUE(GenerateTerrain(*again, roles, settings).ok);
    ExpectSameTerrain(*again, *battle);
}

TEST_F(GenerateCommand, RefusesBadArgumentsInOneLineAndWritesNothing) {
    const QString out = Path("new.k2s");
    const QStringList good = {"--cols", "40", "--rows", "30", "--seed", "1", "--out", out};
    const auto without = [&](const QString& option) {
        QStringList args = good;
        const auto at = args.indexOf(option);
        args.remove(at, 2);
        return args;
    };
    const auto with = [&](const QString& option, const QString& value) {
        QStringList args = good;
        const auto at = args.indexOf(option);
        if (at >= 0)
            args[at + 1] = value;
        else
            args << option << value;
        return args;
    };
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {without("--cols"), "--cols is required"},
        {without("--seed"), "--seed is required"},
        {without("--out"), "--out is required"},
        {with("--cols", "9"), "--cols takes a whole number from 10 to 150"},
        {with("--rows", "151"), "--rows takes a whole number from 10 to 150"},
        {with("--rows", "3O"), "--rows takes a whole number from 10 to 150"},
        {with("--seed", "-1"), "--seed takes a whole number from 0 to 4294967295"},
        {with("--seed", "4294967296"), "--seed takes a whole number from 0 to 4294967295"},
        {with("--hills", "101"), "--hills takes a whole number from 0 to 100"},
        {with("--water", "lots"), "--water takes a whole number from 0 to 100"},
        {with("--forests", "10"), "unknown option --forests"},
        {with("--out", Path("old.scn")), "--out must name a current battle file (.k2s), not a legacy one"},
        {good + QStringList{"--cols", "50"}, "--cols is given twice"},
        {good + QStringList{"--roads"}, "--roads needs a value"},
        {good + QStringList{"map.k2s"}, "unexpected argument map.k2s"},
    };
    for (const auto& c : cases) {
        const ToolRun r = Tool(QStringList{"generate"} + c.args);
        EXPECT_EQ(r.exitCode, 2) << c.message;
        EXPECT_EQ(r.err.toStdString(),
                  "generate: " + std::string(c.message) + " (k2tool generate --help shows the usage)\n");
        EXPECT_FALSE(QFile::exists(out)) << c.message;
    }
    const ToolRun help = Tool({"generate", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("usage: k2tool generate --cols C --rows R --seed N"));
    EXPECT_TRUE(Tool({"--help"}).out.contains("generate --cols C --rows R --seed N"));
}

TEST_F(GenerateCommand, RefusesAnInstallationWithoutARoleTable) {
    // An installation with the terrain set and definitions but no role table.
    for (const char* folder : {"scenarios", "sysdefs"})
        fs::create_directories(fs::path(Path(folder).toStdString()));
    for (const char* file : {"scenarios/K2T.ter", "sysdefs/K2Ter.Def"})
        fs::copy_file(Stock / file, fs::path(Path(file).toStdString()));
    const ToolRun r = Tool({"--install", dir.path(), "generate", "--cols", "20", "--rows", "20", "--seed",
                            "3", "--out", Path("new.k2s")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.toStdString(), "The terrain set K2T has no role table (K2T.roles).\n");
    EXPECT_FALSE(QFile::exists(Path("new.k2s")));
}

class GenerateOp : public GenerateCommand {
  protected:
    ToolRun Edit(const std::string& json, const QString& out) {
        std::ofstream(Path("ops.json").toStdString(), std::ios::binary) << json;
        return Tool({"edit", "scenarios/Border Skirmish.k2s", "--script", Path("ops.json"), "--out", out});
    }
};

TEST_F(GenerateOp, LaysTheGeneratedTerrainAroundTheUnits) {
    const ToolRun r = Edit(R"([{"op":"generate","seed":11,"woods":90,"villages":100}])", Path("g.k2s"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(r.out).array(),
              QJsonDocument::fromJson(R"([{"op":"generate","result":"changed"}])").array());
    auto original = Load(Stock / "scenarios" / "Border Skirmish.k2s");
    auto g = Load(Path("g.k2s").toStdString());
    EXPECT_EQ(g->UnitCount, original->UnitCount);
    for (std::size_t h = 0; h < g->Hexes.size(); ++h)
        EXPECT_EQ(g->Hexes[h].Unit != 0, original->Hexes[h].Unit != 0) << h;
    RoleTable roles;
    ASSERT_TRUE(ReadRoleTable(RoleTableFile(Stock, "K2T"), roles).ok);
    GeneratorSettings settings;
    settings.Seed = 11;
    settings.Woods = 90;
    settings.Villages = 100;
    ASSERT_TRUE(GenerateTerrain(*original, roles, settings).ok);
    ExpectSameTerrain(*g, *original);
}

TEST_F(GenerateOp, BadArgumentsStopTheScript) {
    const struct {
        const char* json;
        const char* message;
    } cases[] = {
        {R"([{"op":"generate"}])", "argument \"seed\" is missing"},
        {R"([{"op":"generate","seed":-3}])", "seed must be a whole number from 0 to 4294967295"},
        {R"([{"op":"generate","seed":1,"rivers":101}])", "rivers must be from 0 to 100"},
        {R"([{"op":"generate","seed":1,"cols":40}])", "unknown argument \"cols\""},
    };
    for (const auto& c : cases) {
        const ToolRun r = Edit(c.json, Path("bad.k2s"));
        EXPECT_EQ(r.exitCode, 2) << c.json;
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("bad.k2s")));
    }
}

} // namespace
