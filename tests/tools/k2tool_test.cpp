// k2tool as a user runs it: exit codes, the JSON it prints and the files it writes, against the
// generated stock installation.
#include "core/battle_file.h"
#include "core/scenario.h"
#include "graphics/ansi_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;

const fs::path Stock = K2_STOCK_DIR;
const QString Small = "scenarios/Border Skirmish.k2s";
const QString Large = "scenarios/Battle of the Great Field.k2s";
const QString Legacy = "scenarios/Old Raid.scn";

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

// Runs the tool in `workDir` (the installation unless told otherwise).
ToolRun Tool(const QStringList& args, const QString& workDir = QString::fromStdString(Stock.string())) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(K2_TOOL_PATH, args);
    EXPECT_TRUE(p.waitForFinished(120000));
    ToolRun r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QJsonObject Json(const ToolRun& r) {
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

TEST(K2Tool, HelpAndUsageErrors) {
    ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command :
         {"dump FILE", "check FILE", "convert IN OUT", "render", "edit FILE", "--install"})
        EXPECT_TRUE(help.out.contains(command)) << command;
    for (const QStringList& args :
         {QStringList{}, QStringList{"frobnicate"}, QStringList{"dump"}, QStringList{"check"},
          QStringList{"check", "a", "b"}, QStringList{"convert", "a"}, QStringList{"dump", Small, "--bogus"},
          QStringList{"--install"}, QStringList{"--install", "/nonexistent/k2", "check", Small},
          QStringList{"--colour", "check", Small}}) {
        ToolRun r = Tool(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty() || args.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST(K2Tool, CheckSaysOkOrTheRefusal) {
    for (const QString& file : {Small, Large, Legacy}) {
        ToolRun r = Tool({"check", file});
        EXPECT_EQ(r.exitCode, 0) << file.toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, "ok\n");
    }
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.k2s");
    std::ofstream(bad.toStdString(), std::ios::binary) << std::string("\x00\xc8\x00\x01", 4);
    ToolRun r = Tool({"check", bad});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.startsWith("Could not read selected file: the file ends early")) << r.out.toStdString();
    r = Tool({"check", dir.filePath("missing.k2s")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "Could not open selected file.\n");
}

TEST(K2Tool, InstallOptionNamesTheInstallation) {
    QTemporaryDir elsewhere;
    const QString file = QString::fromStdString((Stock / "scenarios" / "Border Skirmish.k2s").string());
    const QString stock = QString::fromStdString(Stock.string());
    // Before the command, after it, or among its words, as users type it.
    for (const QStringList& args :
         {QStringList{"--install", stock, "check", file}, QStringList{"check", "--install", stock, file},
          QStringList{"check", file, "--install", stock}}) {
        ToolRun r = Tool(args, elsewhere.path());
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, "ok\n");
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
    for (const QStringList& args : {QStringList{"check", file, "--install"},
                                    QStringList{"--install", stock, "check", file, "--install", stock}})
        EXPECT_EQ(Tool(args, elsewhere.path()).exitCode, 2) << args.join(' ').toStdString();
    ToolRun r;
    // Without it the empty folder is the installation: no terrain definitions, a warning only.
    r = Tool({"check", file}, elsewhere.path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("Could not open K2Ter.Def"));
}

TEST(K2Tool, DumpPrintsEveryFieldUnderItsName) {
    ToolRun r = Tool({"dump", Small});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonObject o = Json(r);
    for (const char* key : {"BattleName",
                            "BattleIcon",
                            "SaveCount",
                            "MaxTurns",
                            "StartInitiative",
                            "Weather",
                            "WesternBreakPoint",
                            "EasternBreakPoint",
                            "WesternLeaderReplacement",
                            "EasternLeaderReplacement",
                            "WesternName",
                            "EasternName",
                            "Description",
                            "WingNames",
                            "TerrainSetName",
                            "UnitSetName",
                            "ScenarioFlagA",
                            "ScenarioFlagB",
                            "ScenarioFlagC",
                            "ViewSaved",
                            "ViewOriginHex",
                            "ZoomLevel",
                            "MarkerSymbols",
                            "Units",
                            "Structures",
                            "Objectives",
                            "MapTexts",
                            "TerrainDefs",
                            "Cols",
                            "Rows",
                            "Hexes",
                            "Legacy"})
        EXPECT_TRUE(o.contains(key)) << key;
    EXPECT_FALSE(o.contains("SidePoints"));
    EXPECT_EQ(o["Legacy"], QJsonValue(false));
    EXPECT_EQ(o["Description"].toArray().size(), 100);
    EXPECT_EQ(o["MarkerSymbols"].toArray().size(), 25);
    const QJsonArray hexes = o["Hexes"].toArray();
    ASSERT_EQ(hexes.size(), o["Cols"].toInt() * o["Rows"].toInt());
    for (const auto& h : hexes)
        ASSERT_EQ(h.toArray().size(), 14);
    // One record per line, so that a dump can be compared and searched line by line.
    EXPECT_GT(r.out.count('\n'), hexes.size());
    EXPECT_LT(r.out.count('\n'), hexes.size() + 400);

    // The JSON agrees with what the core reads from the same file.
    auto s = std::make_unique<k2::Scenario>();
    ASSERT_TRUE(k2::ReadBattle(*s, Stock / Small.toStdString(), Stock / "sysdefs" / "K2Ter.Def").ok);
    EXPECT_EQ(o["BattleName"].toString().toStdString(), s->BattleName.Str());
    const QJsonArray units = o["Units"].toArray();
    ASSERT_EQ(units.size(), s->UnitCount);
    const QJsonObject u = units[s->UnitCount - 1].toObject();
    for (const char* key : {"Name",         "Symbol",        "ActivationTurn",  "Side",
                            "Hex",          "UnitType",      "Class",           "Men",
                            "Morale",       "CombatWeapon",  "MissileWeapon",   "MissileAmmo",
                            "Armour",       "Shield",        "MovementPoints",  "WingLeader",
                            "CommandRange", "CommandRating", "Value",           "Wing",
                            "SupplyLevel",  "HasStakes",     "FerociousAttack", "StartsDisrupted"})
        EXPECT_TRUE(u.contains(key)) << key;
    EXPECT_EQ(u["Hex"].toInt(), s->Units[s->UnitCount].Hex);
    EXPECT_EQ(u["Men"].toInt(), s->Units[s->UnitCount].Men);
    const int32_t h = s->Units[s->UnitCount].Hex;
    const QJsonArray cell = hexes[h].toArray();
    EXPECT_EQ(cell[0].toInt(), s->Hexes[h].PrimaryTerrain);
    EXPECT_EQ(cell[7].toInt(), s->UnitCount) << "Unit is the eighth value";
    EXPECT_EQ(cell[8].toInt(), s->Hexes[h].Structure);
    const QJsonObject st = o["Structures"].toArray()[0].toObject();
    for (const char* key : {"Name", "Symbol", "Side", "SpareA", "SupplyLevel", "SpareB", "Hex", "Capacity",
                            "Height", "DefenseMod"})
        EXPECT_TRUE(st.contains(key)) << key;
    const QJsonObject ob = o["Objectives"].toArray()[0].toObject();
    for (const char* key : {"Hex", "Name", "ObjectiveKind", "VictoryPoints"})
        EXPECT_TRUE(ob.contains(key)) << key;
    const QJsonObject mt = o["MapTexts"].toArray()[0].toObject();
    for (const char* key : {"Hex", "Text", "FontName", "Colour", "Size", "Placement", "Style"})
        EXPECT_TRUE(mt.contains(key)) << key;
    EXPECT_EQ(mt["Size"].toArray().size(), 3);
    EXPECT_EQ(mt["Placement"].toArray().size(), 3);
    const QJsonObject td = o["TerrainDefs"].toArray()[13].toObject();
    for (const char* key : {"name", "elevation", "costPerMove", "defenseModifier", "spare"})
        EXPECT_TRUE(td.contains(key)) << key;
    EXPECT_EQ(td["name"].toString().toStdString(), s->TerrainDefs[13].name.Str());
}

TEST(K2Tool, DumpDecodesWindows1252Texts) {
    QTemporaryDir dir;
    auto s = std::make_unique<k2::Scenario>();
    ASSERT_TRUE(k2::ReadBattle(*s, Stock / Small.toStdString(), Stock / "sysdefs" / "K2Ter.Def").ok);
    s->BattleName = "Caf\xe9 \x80 \x93\"q\"";
    // 0x81 is one of the five bytes the code page leaves undefined: decoded as the editor's
    // windows decode it, one rule in the whole program.
    s->EasternName = "Undefined \x81";
    s->WesternName = "Line\\Tab\t";
    const fs::path file = fs::path(dir.path().toStdString()) / "text.k2s";
    ASSERT_TRUE(k2::WriteBattle(*s, file, 143).ok);
    ToolRun r = Tool({"dump", QString::fromStdString(file.string())});
    ASSERT_EQ(r.exitCode, 0);
    QJsonObject o = Json(r);
    EXPECT_EQ(o["BattleName"].toString(), QString::fromUtf8("Café € “\"q\""));
    EXPECT_EQ(o["EasternName"].toString(), k2::FromAnsi("Undefined \x81"));
    EXPECT_EQ(o["WesternName"].toString(), QString("Line\\Tab\t"));
}

TEST(K2Tool, DumpWithRatings) {
    ToolRun r = Tool({"dump", Large, "--ratings"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonObject o = Json(r);
    const QJsonArray points = o["SidePoints"].toArray();
    ASSERT_EQ(points.size(), 2);
    EXPECT_GT(points[0].toInt(), 0);
    EXPECT_GT(points[1].toInt(), 0);
    bool sawGun = false;
    for (const auto& v : o["Units"].toArray()) {
        const QJsonObject u = v.toObject();
        for (const char* key :
             {"CombatStrength", "FirePower", "DefenceRating", "UnitLoad", "WeightClass", "CommandingLeader"})
            ASSERT_TRUE(u.contains(key)) << key;
        ASSERT_TRUE(u["IsGun"].isBool());
        sawGun = sawGun || u["IsGun"].toBool();
        EXPECT_LE(u["FirePower"].toInt(), u["Men"].toInt());
    }
    EXPECT_TRUE(sawGun) << "the large sample brings guns";
}

TEST(K2Tool, DumpOfALegacyBattle) {
    ToolRun r = Tool({"dump", Legacy});
    ASSERT_EQ(r.exitCode, 0);
    QJsonObject o = Json(r);
    EXPECT_EQ(o["Legacy"], QJsonValue(true));
    EXPECT_EQ(o["TerrainSetName"].toString(), QString("k2t"));
}

int32_t TerrainSetCount() {
    std::ifstream in(Stock / "scenarios" / "K2T.ter", std::ios::binary);
    unsigned char h[6] = {};
    in.read(reinterpret_cast<char*>(h), 6);
    return h[4] * 256 + h[5];
}

TEST(K2Tool, ConvertWritesACurrentBattleWithSortedUnits) {
    QTemporaryDir dir;
    for (const QString& in : {Legacy, Small}) {
        const QString out = dir.filePath("out.k2s");
        ToolRun r = Tool({"convert", in, out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        ToolRun dump = Tool({"dump", out});
        ASSERT_EQ(dump.exitCode, 0);
        QJsonObject o = Json(dump);
        EXPECT_EQ(o["Legacy"], QJsonValue(false));
        EXPECT_EQ(o["TerrainDefs"].toArray().size(), TerrainSetCount());
        const QJsonArray units = o["Units"].toArray();
        const QJsonArray hexes = o["Hexes"].toArray();
        for (int i = 0; i < units.size(); ++i) {
            const QJsonObject u = units[i].toObject();
            EXPECT_EQ(hexes[u["Hex"].toInt()].toArray()[7].toInt(), i + 1) << "hexes follow the new order";
            if (i == 0) continue;
            const QJsonObject prev = units[i - 1].toObject();
            EXPECT_LE(prev["Side"].toInt(), u["Side"].toInt());
            if (prev["Side"] == u["Side"]) {
                EXPECT_LE(prev["Wing"].toInt(), u["Wing"].toInt());
            }
        }
    }
    ToolRun r = Tool({"convert", Small, "/nonexistent/dir/out.k2s"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Could not open selected file."));
    r = Tool({"convert", dir.filePath("missing.scn"), dir.filePath("x.k2s")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.k2s")));
}

} // namespace
