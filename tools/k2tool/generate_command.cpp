#include "generate_command.h"

#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "core/random_source.h"
#include "core/scenario.h"
#include "generate/role_table.h"
#include "generate/terrain_generator.h"
#include "tool_commands.h"

#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <set>

namespace k2tool {

namespace fs = std::filesystem;

namespace {

constexpr const char* GenerateUsage =
    R"(usage: k2tool generate --cols C --rows R --seed N [--hills 0-100] [--woods 0-100] [--water 0-100]
                      [--fields 0-100] [--villages 0-100] [--roads 0-100] [--rivers 0-100] --out NEW.k2s

Writes a new battle as Create New Battle makes it with the stock terrain and unit sets (K2T, K2U):
a map of C columns and R rows (10 to 150), "New Battle" between the "Western Forces" and the
"Eastern Forces", 30 turns, break points 30 and leader replacement on both sides, clear weather,
Western initiative. Its terrain is laid by Terrain > Generate Terrain with seed N (0 to
4294967295) and the sliders given (--water is marsh and water); a slider not given takes the
dialog's first proposal. The same seed and sliders give the same battle on every machine.
Exit status: 0 the battle was written; 1 a file of the installation refused or NEW.k2s not
written; 2 a usage error.
)";

struct Options {
    std::optional<int32_t> cols, rows;
    std::optional<uint32_t> seed;
    k2::GeneratorSettings settings;
    fs::path out;
};

std::optional<int64_t> WholeNumber(const std::string& text) {
    int64_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

// Returns the one-line reason for a refusal, or nothing when the options are complete.
std::optional<std::string> Parse(const std::vector<std::string>& args, Options& o) {
    std::set<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) return "unexpected argument " + a;
        if (!given.insert(a).second) return a + " is given twice";
        if (i + 1 == args.size()) return a + " needs a value";
        const std::string value = args[++i];
        const std::optional<int64_t> n = WholeNumber(value);
        const auto size = [&](std::optional<int32_t>& into) -> std::optional<std::string> {
            if (!n || *n < k2::MinMapSide || *n > k2::MaxMapSide)
                return a + " takes a whole number from " + std::to_string(k2::MinMapSide) + " to " +
                       std::to_string(k2::MaxMapSide);
            into = int32_t(*n);
            return std::nullopt;
        };
        if (a == "--cols" || a == "--rows") {
            if (auto e = size(a == "--cols" ? o.cols : o.rows)) return e;
        } else if (a == "--seed") {
            if (!n || *n < 0 || *n > int64_t(UINT32_MAX))
                return "--seed takes a whole number from 0 to 4294967295";
            o.seed = uint32_t(*n);
        } else if (a == "--out") {
            if (value.empty()) return "--out needs a file name";
            o.out = value;
        } else {
            const k2::SliderInfo* slider = nullptr;
            for (const k2::SliderInfo& s : k2::Sliders)
                if (a == "--" + std::string(s.Name)) slider = &s;
            if (!slider) return "unknown option " + a;
            if (!n || *n < 0 || *n > k2::GeneratorSettings::MaxSlider)
                return a + " takes a whole number from 0 to " +
                       std::to_string(k2::GeneratorSettings::MaxSlider);
            o.settings.*slider->Value = int32_t(*n);
        }
    }
    if (!o.cols) return "--cols is required";
    if (!o.rows) return "--rows is required";
    if (!o.seed) return "--seed is required";
    if (o.out.empty()) return "--out is required";
    if (k2::IsLegacyBattleFile(o.out))
        return "--out must name a current battle file (.k2s), not a legacy one";
    o.settings.Seed = *o.seed;
    return std::nullopt;
}

} // namespace

int GenerateCommand(const fs::path& installDir, const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << GenerateUsage;
            return ExitOk;
        }
    Options o;
    if (auto error = Parse(args, o)) {
        std::cerr << "generate: " << *error << " (k2tool generate --help shows the usage)\n";
        return ExitUsage;
    }

    // The battle as Create New Battle leaves it with the dialog's proposals.
    auto battle = std::make_unique<k2::Scenario>();
    battle->Cols = *o.cols;
    battle->Rows = *o.rows;
    battle->BattleName = "New Battle";
    battle->WesternName = "Western Forces";
    battle->EasternName = "Eastern Forces";
    battle->Description[0] = "History";
    k2::StdRandomSource random(*o.seed);
    const k2::Status made =
        k2::InitNewBattle(*battle, random, k2::FindFile(installDir / "sysdefs", "K2Ter.Def"));
    for (const std::string& warning : made.warnings)
        std::cerr << "Warning: " << warning << "\n";
    if (!made) {
        std::cerr << made.message << "\n";
        return ExitRefused;
    }
    int32_t symbols = 0;
    if (!LoadTerrainSymbolCount(installDir, *battle, symbols)) return ExitRefused;
    k2::RoleTable roles;
    k2::Status read = k2::ReadRoleTable(k2::RoleTableFile(installDir, battle->TerrainSetName.View()), roles);
    if (read) read = k2::CheckRoleTableFits(roles, symbols, battle->TerrainSetName.View());
    if (!read) {
        std::cerr << read.message << "\n";
        return ExitRefused;
    }
    const k2::Status generated = k2::GenerateTerrain(*battle, roles, o.settings);
    if (!generated) {
        std::cerr << generated.message << "\n";
        return ExitRefused;
    }
    const k2::Status written = k2::WriteBattle(*battle, o.out, symbols);
    if (!written) {
        std::cerr << o.out.string() << ": " << written.message << "\n";
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace k2tool
