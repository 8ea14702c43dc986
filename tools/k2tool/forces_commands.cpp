#include "forces_commands.h"

#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "forces/army_stats_logic.h"
#include "forces/equipment_defs.h"
#include "forces/force_roster_logic.h"
#include "forces/unit_ratings.h"
#include "graphics/ansi_text.h"
#include "tool_commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <iostream>
#include <memory>

namespace k2tool {

namespace fs = std::filesystem;

namespace {

constexpr const char* StatsUsage = "usage: k2tool stats FILE\n";
constexpr const char* OobUsage = "usage: k2tool oob FILE --side 1|2 [--schedule]\n";

QString Text(const std::string& ansi) {
    return k2::FromAnsi(ansi);
}

// The battle and the equipment tables as the editor has them after opening the battle.
bool LoadForces(const fs::path& installDir, const fs::path& file, k2::Scenario& scenario,
                k2::EquipmentTables& tables, std::ostream& err) {
    const k2::Status read = k2::ReadBattle(scenario, file, k2::FindFile(installDir / "sysdefs", "K2Ter.Def"));
    for (const auto& w : read.warnings)
        err << "warning: " << w << "\n";
    if (!read) {
        err << file.string() << ": " << read.message << "\n";
        return false;
    }
    const k2::Status equipment = k2::LoadEquipment(tables, installDir / "sysdefs");
    if (!equipment) {
        err << equipment.title << ": " << equipment.message << "\n";
        return false;
    }
    return true;
}

QJsonObject ForceJson(const k2::ForceTotals& t) {
    return QJsonObject{{"name", Text(t.Name)},
                       {"men", t.Men},
                       {"units", t.Units},
                       {"avgMorale", t.AvgMorale},
                       {"firePower", t.FirePower},
                       {"combatStrength", t.CombatStrength},
                       {"totalPoints", t.TotalPoints}};
}

QJsonArray TextArray(const std::vector<std::string>& texts) {
    QJsonArray array;
    for (const std::string& t : texts)
        array.append(Text(t));
    return array;
}

bool Print(std::ostream& out, const QJsonObject& object) {
    out << QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
    return static_cast<bool>(out.flush());
}

} // namespace

int StatsCommand(const fs::path& installDir, const std::vector<std::string>& args, std::ostream& out,
                 std::ostream& err) {
    if (args.size() != 1 || args[0].starts_with("--")) {
        err << StatsUsage;
        return ExitUsage;
    }
    auto scenario = std::make_unique<k2::Scenario>();
    auto tables = std::make_unique<k2::EquipmentTables>();
    if (!LoadForces(installDir, args[0], *scenario, *tables, err)) return ExitRefused;
    const k2::ArmyStatistics stats = k2::ComputeArmyStatistics(*scenario, *tables);
    return Print(out,
                 QJsonObject{{"western", ForceJson(stats.Western)}, {"eastern", ForceJson(stats.Eastern)}})
               ? ExitOk
               : ExitRefused;
}

int OobCommand(const fs::path& installDir, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
    fs::path file;
    int32_t side = 0;
    bool schedule = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--schedule") {
            schedule = true;
        } else if (a == "--side" && i + 1 < args.size() && side == 0 &&
                   (args[i + 1] == "1" || args[i + 1] == "2")) {
            side = args[++i] == "1" ? k2::SideWestern : k2::SideEastern;
        } else if (file.empty() && !a.starts_with("--")) {
            file = a;
        } else {
            err << "oob: unexpected argument " << a << "\n" << OobUsage;
            return ExitUsage;
        }
    }
    if (file.empty() || side == 0) {
        err << OobUsage;
        return ExitUsage;
    }
    auto scenario = std::make_unique<k2::Scenario>();
    auto tables = std::make_unique<k2::EquipmentTables>();
    if (!LoadForces(installDir, file, *scenario, *tables, err)) return ExitRefused;

    const k2::RosterKind kind = schedule ? k2::RosterKind::Schedule : k2::RosterKind::OrderOfBattle;
    if (!k2::CanShowRoster(*scenario, kind, side)) {
        err << k2::RefusalFor(kind).Text << "\n";
        return ExitRefused;
    }
    // The order of battle lists the units as the editor's dialog does: sorted first.
    if (kind == k2::RosterKind::OrderOfBattle) k2::SortUnits(*scenario, *tables);
    const k2::RosterGrid grid = k2::BuildRoster(*scenario, *tables, kind, side);
    QJsonArray rows;
    for (const auto& row : grid.Table.Rows)
        rows.append(TextArray(row));
    return Print(out, QJsonObject{{"title", Text(grid.Table.Title)},
                                  {"headers", TextArray(grid.Table.Headers)},
                                  {"rows", rows}})
               ? ExitOk
               : ExitRefused;
}

int StatsCommand(const fs::path& installDir, const std::vector<std::string>& args) {
    return StatsCommand(installDir, args, std::cout, std::cerr);
}

int OobCommand(const fs::path& installDir, const std::vector<std::string>& args) {
    return OobCommand(installDir, args, std::cout, std::cerr);
}

} // namespace k2tool
