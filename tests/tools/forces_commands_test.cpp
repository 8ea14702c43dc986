// k2tool stats and k2tool oob, called as functions on the stock installation's small battle and
// on changed copies of it: the JSON they print, the refusals and the usage errors.
#include "core/battle_file.h"
#include "forces/army_stats_logic.h"
#include "forces/force_roster_logic.h"
#include "forces/unit_ratings.h"

#include "k2tool/forces_commands.h"
#include "k2tool/tool_commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <memory>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using k2tool::ExitOk;
using k2tool::ExitRefused;
using k2tool::ExitUsage;

const fs::path Stock = K2_STOCK_DIR;
const fs::path Small = Stock / "scenarios" / "Border Skirmish.k2s";

using Command = int (*)(const fs::path&, const std::vector<std::string>&, std::ostream&, std::ostream&);

struct CommandRun {
    int exitCode = -1;
    std::string out, err;
    QJsonObject Json() const {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out;
        return doc.object();
    }
};

CommandRun Call(Command command, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CommandRun r;
    r.exitCode = command(Stock, args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}
CommandRun Stats(const std::vector<std::string>& args) {
    return Call(&k2tool::StatsCommand, args);
}
CommandRun Oob(const std::vector<std::string>& args) {
    return Call(&k2tool::OobCommand, args);
}

struct Loaded {
    std::unique_ptr<k2::Scenario> scenario = std::make_unique<k2::Scenario>();
    std::unique_ptr<k2::EquipmentTables> tables = std::make_unique<k2::EquipmentTables>();
};

Loaded Load(const fs::path& file) {
    Loaded l;
    EXPECT_TRUE(k2::ReadBattle(*l.scenario, file, Stock / "sysdefs" / "K2Ter.Def").ok);
    EXPECT_TRUE(k2::LoadEquipment(*l.tables, Stock / "sysdefs").ok);
    return l;
}

QJsonArray Texts(const std::vector<std::string>& texts) {
    QJsonArray a;
    for (const std::string& t : texts)
        a.append(QString::fromStdString(t));
    return a;
}

} // namespace

TEST(StatsCommand, PrintsBothForcesAsNumbers) {
    const CommandRun r = Stats({Small.string()});
    ASSERT_EQ(r.exitCode, ExitOk) << r.err;
    const Loaded l = Load(Small);
    const k2::ArmyStatistics expected = k2::ComputeArmyStatistics(*l.scenario, *l.tables);
    ASSERT_GT(expected.Eastern.Units, 0);
    const QJsonObject json = r.Json();
    EXPECT_EQ(json.keys(), QStringList({"eastern", "western"}));
    for (const auto& [key, force] :
         {std::pair("western", expected.Western), std::pair("eastern", expected.Eastern)}) {
        const QJsonObject f = json[key].toObject();
        EXPECT_EQ(f["name"].toString().toStdString(), force.Name);
        const QJsonObject numbers{{"men", force.Men},
                                  {"units", force.Units},
                                  {"avgMorale", force.AvgMorale},
                                  {"firePower", force.FirePower},
                                  {"combatStrength", force.CombatStrength},
                                  {"totalPoints", force.TotalPoints}};
        EXPECT_EQ(f.size(), numbers.size() + 1);
        for (const QString& field : numbers.keys())
            EXPECT_EQ(f[field], numbers[field]) << key << "." << field.toStdString(); // numbers, not texts
    }
}

TEST(OobCommand, PrintsTheGridAsTheDialogShowsIt) {
    // A copy of the sample whose first two units stand out of order.
    QTemporaryDir dir;
    Loaded copy = Load(Small);
    k2::Scenario& s = *copy.scenario;
    std::swap(s.Units[1], s.Units[2]);
    s.Hexes[s.Units[1].Hex].Unit = 1;
    s.Hexes[s.Units[2].Hex].Unit = 2;
    const fs::path file = fs::path(dir.path().toStdString()) / "unsorted.k2s";
    ASSERT_TRUE(k2::WriteBattle(s, file, s.TerrainDefCount).ok);

    struct Case {
        std::vector<std::string> args;
        k2::RosterKind kind;
        int32_t side;
    };
    for (const Case& c : {Case{{file.string(), "--side", "1"}, k2::RosterKind::OrderOfBattle, 1},
                          Case{{"--side", "2", file.string()}, k2::RosterKind::OrderOfBattle, 2},
                          Case{{file.string(), "--schedule", "--side", "1"}, k2::RosterKind::Schedule, 1}}) {
        const CommandRun r = Oob(c.args);
        ASSERT_EQ(r.exitCode, ExitOk) << r.err;
        // The order of battle sorts the units first, as the dialog does; the schedule does not.
        Loaded l = Load(file);
        if (c.kind == k2::RosterKind::OrderOfBattle) k2::SortUnits(*l.scenario, *l.tables);
        const k2::RosterGrid expected = k2::BuildRoster(*l.scenario, *l.tables, c.kind, c.side);
        ASSERT_FALSE(expected.Rows.empty());
        QJsonArray rows;
        for (const auto& row : expected.Table.Rows)
            rows.append(Texts(row));
        EXPECT_EQ(r.Json(), QJsonObject({{"title", QString::fromStdString(expected.Table.Title)},
                                         {"headers", Texts(expected.Table.Headers)},
                                         {"rows", rows}}));
        if (c.side == 1 && c.kind == k2::RosterKind::OrderOfBattle) {
            EXPECT_EQ(rows[0].toArray()[0].toString().toStdString(), s.Units[2].Name.Str()) << "sorted";
        }
    }
}

TEST(OobCommand, AnEmptySideIsRefusedWithTheDialogsMessage) {
    QTemporaryDir dir;
    Loaded l = Load(Small);
    k2::Scenario& s = *l.scenario;
    for (int32_t u = s.UnitCount; u >= 1; --u)
        if (s.Units[u].Side == k2::SideEastern) s.RemoveUnit(u);
    for (int32_t u = 1; u <= s.UnitCount; ++u)
        s.Units[u].ActivationTurn = 1;
    const fs::path file = fs::path(dir.path().toStdString()) / "west only.k2s";
    ASSERT_TRUE(k2::WriteBattle(s, file, s.TerrainDefCount).ok);

    // The statistics of a side without units are zeros.
    const CommandRun stats = Stats({file.string()});
    ASSERT_EQ(stats.exitCode, ExitOk) << stats.err;
    const QJsonObject east = stats.Json()["eastern"].toObject();
    for (const char* field : {"men", "units", "avgMorale", "firePower", "combatStrength", "totalPoints"})
        EXPECT_EQ(east[field].toInt(-1), 0) << field;

    CommandRun r = Oob({file.string(), "--side", "2"});
    EXPECT_EQ(r.exitCode, ExitRefused);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Units for this faction have not been defined.\n");
    r = Oob({file.string(), "--side", "1", "--schedule"});
    EXPECT_EQ(r.exitCode, ExitRefused);
    EXPECT_EQ(r.err, "Reinforcements for this faction have not been defined.\n");

    const std::string missing = (Stock / "scenarios" / "missing.k2s").string();
    r = Oob({missing, "--side", "1"});
    EXPECT_EQ(r.exitCode, ExitRefused);
    EXPECT_NE(r.err.find("missing.k2s"), std::string::npos);
    EXPECT_EQ(Stats({missing}).exitCode, ExitRefused);
}

TEST(ForcesCommands, UsageErrors) {
    const std::string f = Small.string();
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{}, {f, f}, {"--side"}, {f, "--schedule"}}) {
        const CommandRun r = Stats(args);
        EXPECT_EQ(r.exitCode, ExitUsage);
        EXPECT_NE(r.err.find("usage: k2tool stats FILE"), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{f},
                                               {f, "--side"},
                                               {f, "--side", "3"},
                                               {"--side", "1"},
                                               {f, f, "--side", "1"},
                                               {f, "--side", "1", "--side", "2"},
                                               {f, "--side", "1", "--bogus"}}) {
        const CommandRun r = Oob(args);
        EXPECT_EQ(r.exitCode, ExitUsage);
        EXPECT_NE(r.err.find("usage: k2tool oob FILE --side 1|2 [--schedule]"), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
}
