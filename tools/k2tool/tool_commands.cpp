#include "tool_commands.h"

#include "battle_json.h"
#include "check/battle_check.h"
#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "forces/equipment_defs.h"
#include "forces/unit_ratings.h"
#include "graphics/ansi_text.h"
#include "json_text.h"
#include "terrain_set_header.h"

#include <QJsonArray>
#include <QJsonObject>

#include <iostream>
#include <memory>

namespace k2tool {

namespace fs = std::filesystem;

namespace {

fs::path TerrainDefFile(const fs::path& installDir) {
    return k2::FindFile(installDir / "sysdefs", "K2Ter.Def");
}

void PrintWarnings(const k2::Status& status) {
    for (const auto& w : status.warnings)
        std::cerr << "warning: " << w << "\n";
}

// [{"severity": "error"|"warning", "rule": ..., "text": ..., "hex": N or null}]
QJsonArray FindingsJson(const std::vector<k2::CheckFinding>& findings) {
    QJsonArray array;
    for (const k2::CheckFinding& f : findings) {
        QJsonObject o;
        o["severity"] = QString::fromLatin1(k2::CheckSeverityName(f.Severity));
        o["rule"] = QString::fromStdString(f.Rule);
        o["text"] = k2::FromAnsi(f.Text);
        o["hex"] = f.Hex >= 0 ? QJsonValue(f.Hex) : QJsonValue(QJsonValue::Null);
        array.append(o);
    }
    return array;
}

} // namespace

bool LoadBattle(const fs::path& installDir, const fs::path& file, k2::Scenario& scenario,
                std::string& message) {
    k2::Status st = k2::ReadBattle(scenario, file, TerrainDefFile(installDir));
    PrintWarnings(st);
    if (!st) message = st.message;
    return st.ok;
}

bool LoadEquipment(const fs::path& installDir, k2::EquipmentTables& tables) {
    k2::Status st = k2::LoadEquipment(tables, installDir / "sysdefs");
    if (!st) std::cerr << st.title << ": " << st.message << "\n";
    return st.ok;
}

bool LoadTerrainSymbolCount(const fs::path& installDir, const k2::Scenario& scenario, int32_t& count) {
    const fs::path set =
        k2::FindFile(installDir / "scenarios", std::string(scenario.TerrainSetName.View()) + ".ter");
    std::string error;
    if (ReadTerrainSymbolCount(set, count, error)) return true;
    std::cerr << error << "\n";
    return false;
}

int DumpCommand(const fs::path& installDir, const std::vector<std::string>& args) {
    fs::path file;
    bool ratings = false;
    for (const auto& a : args) {
        if (a == "--ratings") {
            ratings = true;
        } else if (file.empty() && !a.starts_with("--")) {
            file = a;
        } else {
            std::cerr << "dump: unexpected argument " << a << "\nusage: k2tool dump FILE [--ratings]\n";
            return ExitUsage;
        }
    }
    if (file.empty()) {
        std::cerr << "usage: k2tool dump FILE [--ratings]\n";
        return ExitUsage;
    }
    auto scenario = std::make_unique<k2::Scenario>();
    std::string message;
    if (!LoadBattle(installDir, file, *scenario, message)) {
        std::cerr << file.string() << ": " << message << "\n";
        return ExitRefused;
    }
    std::unique_ptr<k2::EquipmentTables> tables;
    if (ratings) {
        tables = std::make_unique<k2::EquipmentTables>();
        if (!LoadEquipment(installDir, *tables)) return ExitRefused;
    }
    const QByteArray json = JsonText(BattleJson(*scenario, k2::IsLegacyBattleFile(file), tables.get()));
    std::cout.write(json.constData(), json.size());
    return std::cout.flush() ? ExitOk : ExitRefused;
}

int CheckCommand(const fs::path& installDir, const std::vector<std::string>& args) {
    constexpr const char* CheckUsage = "usage: k2tool check FILE [--rules]\n";
    fs::path file;
    bool rules = false;
    for (const auto& a : args) {
        if (a == "--rules" && !rules) {
            rules = true;
        } else if (file.empty() && !a.starts_with("--")) {
            file = a;
        } else {
            std::cerr << "check: unexpected argument " << a << "\n" << CheckUsage;
            return ExitUsage;
        }
    }
    if (file.empty()) {
        std::cerr << CheckUsage;
        return ExitUsage;
    }
    auto scenario = std::make_unique<k2::Scenario>();
    std::string message;
    if (!LoadBattle(installDir, file, *scenario, message)) {
        std::cout << message << "\n";
        return ExitRefused;
    }
    if (!rules) {
        std::cout << "ok\n";
        return ExitOk;
    }
    const std::vector<k2::CheckFinding> findings = k2::RunBattleCheck({*scenario});
    const QByteArray json = JsonText(FindingsJson(findings));
    std::cout.write(json.constData(), json.size());
    if (!std::cout.flush()) return ExitRefused;
    return k2::CountFindings(findings, k2::CheckSeverity::Error) > 0 ? ExitRefused : ExitOk;
}

int ConvertCommand(const fs::path& installDir, const std::vector<std::string>& args) {
    if (args.size() != 2 || args[0].starts_with("--") || args[1].starts_with("--")) {
        std::cerr << "usage: k2tool convert IN OUT\n";
        return ExitUsage;
    }
    const fs::path in = args[0], out = args[1];
    auto scenario = std::make_unique<k2::Scenario>();
    std::string message;
    if (!LoadBattle(installDir, in, *scenario, message)) {
        std::cerr << in.string() << ": " << message << "\n";
        return ExitRefused;
    }
    int32_t symbols = 0;
    if (!LoadTerrainSymbolCount(installDir, *scenario, symbols)) return ExitRefused;
    auto tables = std::make_unique<k2::EquipmentTables>();
    if (!LoadEquipment(installDir, *tables)) return ExitRefused;
    k2::SortUnits(*scenario, *tables);
    k2::Status st = k2::WriteBattle(*scenario, out, symbols);
    if (!st) {
        std::cerr << out.string() << ": " << st.message << "\n";
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace k2tool
