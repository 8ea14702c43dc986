#include "edit_command.h"

#include "core/battle_file.h"
#include "core/random_source.h"
#include "generate/role_table.h"
#include "json_text.h"
#include "k2tool/edit_script.h"
#include "tool_commands.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <iostream>
#include <memory>
#include <optional>

namespace k2tool {

namespace fs = std::filesystem;

namespace {

constexpr const char* EditUsage = R"(usage: k2tool edit FILE --script OPS.json --out NEW.k2s [--seed N]

Reads FILE (current or legacy) as the editor does, applies the ops of OPS.json in order through
the editor's own edit code, and writes the result to NEW.k2s as Save Battle As does (units
sorted, the previous file kept until the new one is complete). OPS.json is a JSON array of
objects, each naming its op in "op" with its arguments, hexes as hex indices:
  [{"op": "primary", "hex": 412, "terrain": 1}, {"op": "undo"}]
--seed N repeats the random picks (terrain variants) of an earlier run. The generate op
lays generated terrain as Terrain > Generate Terrain does, {"op": "generate", "seed": N} with
any of "hills", "woods", "water", "fields", "villages", "roads", "rivers" (0-100); it reads the
role table of the battle's terrain set (sysdefs/K2T.roles for the stock set).

primary and remove-secondary take "brush" (0-3): every hex within that many steps. The map area
ops share one selection and one area clipboard for the whole script: select ("from", "to",
"mode": replace, add or remove), select-region ("hex"), select-all, select-none,
invert-selection, copy-area, cut-area, delete-area, paste-area ("hex" takes the area's top-left
corner; the area moves by even numbers of columns only) and fill-selection ("terrain").

Standard output is a JSON array with one object per op: {"op": ..., "result": R}, R being
"changed", "unchanged" or "refused" (with "reason"). Ops are counted from 1 in messages.
Exit status: 0 the script ran and NEW.k2s was written (refusals included); 1 a file refused or
not written; 2 a usage error, malformed JSON, an unknown op, a missing or wrong argument or a hex
off the map. Nothing is written unless every op ran.
)";

// The usage with the names of every op the editor provides (README lists their arguments).
std::string Usage() {
    std::string ops = "Ops:";
    std::size_t line = ops.size();
    for (const std::string& name : k2::EditScript().OpNames()) {
        if (line + name.size() + 2 > 100) {
            ops += "\n    ";
            line = 4;
        }
        ops += " " + name + ",";
        line += name.size() + 2;
    }
    ops.back() = '.';
    return std::string(EditUsage) + "\n" + ops + "\n";
}

struct EditOptions {
    fs::path file;
    fs::path script;
    fs::path out;
    std::optional<uint32_t> seed;
};

// Returns an error text, or nothing when the options are complete.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, EditOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--script" || a == "--out") {
            if (!hasValue || args[i + 1].empty()) return a + " needs a file name";
            (a == "--script" ? o.script : o.out) = args[++i];
        } else if (a == "--seed") {
            uint32_t seed = 0;
            const std::string v = hasValue ? args[++i] : std::string();
            auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), seed);
            if (v.empty() || ec != std::errc() || end != v.data() + v.size())
                return "--seed takes a whole number from 0 to 4294967295";
            o.seed = seed;
        } else if (a.starts_with("--")) {
            return "unknown option " + a;
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            return "unexpected argument " + a;
        }
    }
    if (o.file.empty()) return "no battle file given";
    if (o.script.empty()) return "--script is required";
    if (o.out.empty()) return "--out is required";
    // The editor would take a file of that name for a legacy battle and misread it.
    if (k2::IsLegacyBattleFile(o.out))
        return "--out must name a current battle file (.k2s), not a legacy one";
    return std::nullopt;
}

} // namespace

int EditCommand(const fs::path& installDir, const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << Usage();
            return ExitOk;
        }
    EditOptions o;
    if (auto error = ParseOptions(args, o)) {
        std::cerr << "edit: " << *error << "\n" << Usage();
        return ExitUsage;
    }

    QFile scriptFile(QString::fromStdString(o.script.string()));
    if (!scriptFile.open(QIODevice::ReadOnly)) {
        std::cerr << "edit: could not read the script " << o.script.string() << "\n";
        return ExitRefused;
    }
    const k2::EditScript script;
    QJsonArray ops;
    if (auto error = script.Parse(scriptFile.readAll(), ops)) {
        std::cerr << "edit: " << o.script.string() << ": " << error->Message << "\n";
        return ExitUsage;
    }

    auto scenario = std::make_unique<k2::Scenario>();
    std::string message;
    if (!LoadBattle(installDir, o.file, *scenario, message)) {
        std::cerr << o.file.string() << ": " << message << "\n";
        return ExitRefused;
    }
    auto equipment = std::make_unique<k2::EquipmentTables>();
    if (!LoadEquipment(installDir, *equipment)) return ExitRefused;
    // The battle's symbol sets, as the editor loads them: ops check the symbols they name, and
    // the terrain count goes into the definitions written with the battle.
    auto symbols = std::make_unique<k2::SymbolSet>();
    const k2::Status loaded = k2::LoadSymbolSet(*symbols, installDir, scenario->TerrainSetName.View(),
                                                scenario->UnitSetName.View(), {});
    if (!loaded) {
        std::cerr << o.file.string() << ": " << loaded.message << "\n";
        return ExitRefused;
    }

    std::unique_ptr<k2::RandomSource> random =
        o.seed ? std::make_unique<k2::StdRandomSource>(*o.seed) : std::make_unique<k2::StdRandomSource>();
    // Only a script that generates terrain needs the role table; a missing or damaged one
    // refuses the whole script before any op runs.
    auto roles = std::make_unique<k2::RoleTable>();
    auto session = std::make_unique<k2::ScriptSession>(*scenario, *random, *symbols, *equipment);
    if (std::any_of(ops.begin(), ops.end(), [](const QJsonValue& op) {
            return op.toObject().value(QLatin1String("op")).toString() == QLatin1String("generate");
        })) {
        k2::Status read =
            k2::ReadRoleTable(k2::RoleTableFile(installDir, scenario->TerrainSetName.View()), *roles);
        if (read)
            read = k2::CheckRoleTableFits(*roles, symbols->TerrainCount(), scenario->TerrainSetName.View());
        if (!read) {
            std::cerr << o.file.string() << ": " << read.message << "\nnothing was written\n";
            return ExitRefused;
        }
        session->SetRoleTable(roles.get());
    }
    const k2::ScriptRun run = script.Run(ops, *session);
    if (run.Error) {
        std::cerr << "edit: " << o.script.string() << ": " << run.Error->Message << "\nnothing was written\n";
        return ExitUsage;
    }

    const k2::Status saved = session->SaveAs(o.out, symbols->TerrainCount());
    if (!saved) {
        std::cerr << o.out.string() << ": " << saved.message << "\n";
        return ExitRefused;
    }
    const QByteArray json = JsonText(k2::EditScript::ReportJson(run.Reports));
    std::cout.write(json.constData(), json.size());
    return std::cout.flush() ? ExitOk : ExitRefused;
}

} // namespace k2tool
