// Fuzzes the edit history through the script runner of `k2tool edit`. The input becomes a small
// battle (map size, terrain, units, structures, objectives, map text, markers) and then a
// sequence of ops with arguments valid for the battle as it stands when each op runs. After the
// ops, undoing every step must give back the start exactly, redoing every step must give back
// the edited battle, and the edited battle written and read again must be the same.
//
// The symbol sets and definitions come from the stock installation: the directory named by
// K2_FUZZ_INSTALL, else the one the build generated (K2_STOCK_DIR).
#include "core/battle_file.h"
#include "core/scenario.h"
#include "core/scenario_diff.h"
#include "edit/marker_logic.h"
#include "edit/terrain_picker_logic.h"
#include "forces/equipment_defs.h"
#include "graphics/symbol_set.h"
#include "k2tool/edit_script.h"

#include <QJsonArray>
#include <QJsonObject>
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace k2;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "edit_undo: %s\n", what.c_str());
    std::abort();
}

// What every run shares: the stock sets and tables, a template battle with the stock terrain
// definitions, and the terrains and marker symbols the pickers offer.
struct Stock {
    SymbolSet symbols;
    EquipmentTables equipment;
    std::unique_ptr<Scenario> templateBattle = std::make_unique<Scenario>();
    std::vector<int32_t> primary, secondary, fill, anyTerrain, markerSymbols, structureSymbols;
    std::vector<int32_t> unitSymbols; // the even (east-facing) symbols of the unit set
    EditScript script;
};

std::vector<int32_t> PickerTerrains(ScriptSession& session, const Stock& stock, int8_t use) {
    TerrainPickerLogic picker(session.Battle(), stock.symbols, session.Edit(), session.History(),
                              session.Boxes());
    picker.Activate(use);
    std::vector<int32_t> out;
    for (const TerrainPickerRow& row : picker.Rows())
        if (!row.Heading) out.push_back(row.Terrain);
    return out;
}

const Stock& LoadStock() {
    static Stock* stock = [] {
        auto* s = new Stock;
        const char* env = std::getenv("K2_FUZZ_INSTALL");
        const fs::path install = env && *env ? fs::path(env) : fs::path(K2_STOCK_DIR);
        if (Status st = LoadSymbolSet(s->symbols, install, "K2T", "K2U", {}); !st)
            Fail("cannot load the stock symbol sets from " + install.string() + ": " + st.message);
        if (Status st = LoadEquipment(s->equipment, install / "sysdefs"); !st)
            Fail("cannot load the equipment tables: " + st.message);

        Scenario& t = *s->templateBattle;
        t.Cols = t.Rows = 10;
        StdRandomSource random(1);
        Status made = InitNewBattle(t, random, install / "sysdefs" / "K2Ter.Def");
        if (!made || !made.warnings.empty()) Fail("cannot read the stock terrain definitions");
        t.WingNames[1] = "Second";
        t.WingNames[2] = "Third";
        t.WingCount = 3;
        t.MaxTurns = 12;

        {
            auto copy = std::make_unique<Scenario>(t);
            ScriptSession session(*copy, random, s->symbols, s->equipment);
            s->primary = PickerTerrains(session, *s, PickerUsePrimary);
            s->secondary = PickerTerrains(session, *s, PickerUseSecondary);
            s->fill = PickerTerrains(session, *s, PickerUseFill);
        }
        s->anyTerrain = s->primary;
        s->anyTerrain.insert(s->anyTerrain.end(), s->secondary.begin(), s->secondary.end());
        for (const MarkerRow& row : MarkerSymbolRows(s->symbols)) {
            s->markerSymbols.push_back(row.Terrain);
            if (s->symbols.Terrain(row.Terrain).Name.View().starts_with("3"))
                s->structureSymbols.push_back(row.Terrain);
        }
        for (int32_t u = 0; u < s->symbols.UnitCount(); u += 2)
            s->unitSymbols.push_back(u);
        if (s->primary.empty() || s->secondary.empty() || s->fill.empty() || s->markerSymbols.empty() ||
            s->structureSymbols.empty() || s->unitSymbols.empty())
            Fail("the stock installation lacks terrains, markers, structures or units");
        return s;
    }();
    return *stock;
}

template <typename T> T Pick(FuzzedDataProvider& in, const std::vector<T>& from) {
    return from[in.ConsumeIntegralInRange<std::size_t>(0, from.size() - 1)];
}

// A hex of the battle: most often one that holds something, so that the ops on records find them.
int32_t PickHex(FuzzedDataProvider& in, const Scenario& s) {
    const uint8_t how = in.ConsumeIntegral<uint8_t>();
    if (how & 1) {
        std::vector<int32_t> busy;
        for (int32_t h = 0; h < s.HexCount; ++h) {
            const HexCell& c = s.Hexes[h];
            if (c.Unit || c.Structure || c.Objective || c.MapText || c.Stakes || c.Caltrops)
                busy.push_back(h);
        }
        if (!busy.empty()) return busy[std::size_t(how >> 1) % busy.size()];
    }
    return in.ConsumeIntegralInRange<int32_t>(0, s.HexCount - 1);
}

int32_t FreeHex(FuzzedDataProvider& in, const Scenario& s, int32_t HexCell::*field) {
    for (int tries = 0; tries < 4; ++tries) {
        const int32_t h = in.ConsumeIntegralInRange<int32_t>(0, s.HexCount - 1);
        if (s.Hexes[h].*field == 0) return h;
    }
    return -1;
}

std::string Name(FuzzedDataProvider& in, std::size_t max) {
    std::string text = in.ConsumeRandomLengthString(max);
    for (char& c : text)
        if (c == '\0') c = ' ';
    return text;
}

// The battle the input describes, consistent in every reference, as the editor would save it.
std::unique_ptr<Scenario> BuildBattle(FuzzedDataProvider& in, const Stock& stock) {
    auto battle = std::make_unique<Scenario>(*stock.templateBattle);
    Scenario& s = *battle;
    s.Cols = in.ConsumeIntegralInRange<int32_t>(3, 14);
    s.Rows = in.ConsumeIntegralInRange<int32_t>(3, 14);
    s.HexCount = s.Cols * s.Rows;
    s.Hexes.assign(std::size_t(s.HexCount), HexCell{});
    for (int32_t h = 0; h < s.HexCount; ++h)
        s.Hexes[h].PrimaryTerrain = s.IsBorderHex(h) ? BorderTerrain : 0;

    // Patches of terrain.
    for (int n = in.ConsumeIntegralInRange<int>(0, 12); n > 0; --n) {
        HexCell& c = s.Hexes[std::size_t(in.ConsumeIntegralInRange<int32_t>(0, s.HexCount - 1))];
        c.PrimaryTerrain = Pick(in, stock.primary);
        for (int slot = in.ConsumeIntegralInRange<int>(0, 2); slot > 0; --slot)
            c.SecondaryTerrain[std::size_t(slot - 1)] = Pick(in, stock.secondary);
    }

    for (int n = in.ConsumeIntegralInRange<int>(0, 8); n > 0; --n) {
        const int32_t h = FreeHex(in, s, &HexCell::Unit);
        if (h < 0) continue;
        const int32_t k = ++s.UnitCount;
        UnitRecord& u = s.Units[k];
        u.Name = Name(in, RecordNameChars);
        u.Symbol = Pick(in, stock.unitSymbols);
        u.Side = in.ConsumeBool() ? SideWestern : SideEastern;
        u.Hex = h;
        u.ActivationTurn = in.ConsumeIntegralInRange<int32_t>(1, 4);
        u.UnitType = in.ConsumeIntegralInRange<int32_t>(1, 3);
        u.Class = in.ConsumeIntegralInRange<int32_t>(0, UnitClassCount - 1);
        u.Men = in.ConsumeIntegralInRange<int32_t>(1, 400);
        u.Morale = in.ConsumeIntegralInRange<int32_t>(1, 10);
        u.CombatWeapon = in.ConsumeIntegralInRange<int32_t>(0, std::max(0, stock.equipment.CombatCount - 1));
        u.MissileWeapon =
            in.ConsumeIntegralInRange<int32_t>(0, std::max(0, stock.equipment.MissileCount - 1));
        u.Wing = in.ConsumeIntegralInRange<int32_t>(0, s.WingCount - 1);
        u.WingLeader = in.ConsumeBool();
        u.HasStakes = in.ConsumeBool();
        s.Hexes[h].Unit = k;
        if (u.ActivationTurn > 1)
            s.Hexes[h].ReinforcementMarker =
                s.MarkerSymbols[u.Side == SideWestern ? MarkerWesternReinforcement
                                                      : MarkerEasternReinforcement];
        if (u.HasStakes && in.ConsumeBool())
            s.Hexes[h].Stakes = s.MarkerSymbols[MarkerStakes] + (u.Side == SideWestern ? 0 : 1);
    }
    for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0; --n) {
        const int32_t h = FreeHex(in, s, &HexCell::Structure);
        if (h < 0) continue;
        const int32_t k = ++s.StructureCount;
        StructureRecord& r = s.Structures[k];
        r.Name = Name(in, RecordNameChars);
        r.Symbol = Pick(in, stock.structureSymbols);
        r.Side = in.ConsumeBool() ? SideWestern : SideEastern;
        r.Hex = h;
        r.DefenseMod = in.ConsumeIntegralInRange<int32_t>(0, 4);
        s.Hexes[h].Structure = k;
    }
    for (int n = in.ConsumeIntegralInRange<int>(0, 2); n > 0; --n) {
        const int32_t h = FreeHex(in, s, &HexCell::Objective);
        if (h < 0) continue;
        const int32_t k = ++s.ObjectiveCount;
        s.Objectives[k].Hex = h;
        s.Objectives[k].Name = Name(in, RecordNameChars);
        s.Objectives[k].VictoryPoints = in.ConsumeIntegralInRange<int32_t>(0, 200);
        s.Hexes[h].Objective = k;
    }
    for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0; --n) {
        const int32_t h = FreeHex(in, s, &HexCell::MapText);
        if (h < 0) continue;
        const int32_t k = ++s.MapTextCount;
        PlaceName& m = s.MapTexts[k];
        m.Hex = h;
        m.Text = Name(in, MapTextChars);
        m.FontName = "Arial";
        m.Colour = in.ConsumeIntegral<uint32_t>() & 0xFFFFFFu;
        m.Size = {8, 12, 16};
        m.Style = in.ConsumeIntegral<uint8_t>() & 0x70;
        s.Hexes[h].MapText = k;
    }
    for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0; --n)
        s.Hexes[std::size_t(in.ConsumeIntegralInRange<int32_t>(0, s.HexCount - 1))].Caltrops =
            s.MarkerSymbols[MarkerCaltrops];
    return battle;
}

// Every reference between the grid and the record tables points both ways.
void CheckReferences(const Scenario& s, const char* when) {
    const auto fail = [&](const std::string& what) { Fail(std::string(when) + ": " + what); };
    if (s.HexCount != s.Cols * s.Rows || s.Hexes.size() != std::size_t(s.HexCount)) fail("the grid size");
    for (int32_t h = 0; h < s.HexCount; ++h) {
        const HexCell& c = s.Hexes[std::size_t(h)];
        if (c.Unit && (c.Unit > s.UnitCount || s.Units[c.Unit].Hex != h))
            fail("hex " + std::to_string(h) + " unit");
        if (c.Structure && (c.Structure > s.StructureCount || s.Structures[c.Structure].Hex != h))
            fail("hex " + std::to_string(h) + " structure");
        if (c.Objective && (c.Objective > s.ObjectiveCount || s.Objectives[c.Objective].Hex != h))
            fail("hex " + std::to_string(h) + " objective");
        if (c.MapText && (c.MapText > s.MapTextCount || s.MapTexts[c.MapText].Hex != h))
            fail("hex " + std::to_string(h) + " map text");
    }
    for (int32_t k = 1; k <= s.UnitCount; ++k)
        if (!s.IsValidHex(s.Units[k].Hex) || s.Hexes[s.Units[k].Hex].Unit != k)
            fail("unit " + std::to_string(k));
    for (int32_t k = 1; k <= s.StructureCount; ++k)
        if (!s.IsValidHex(s.Structures[k].Hex) || s.Hexes[s.Structures[k].Hex].Structure != k)
            fail("structure " + std::to_string(k));
    for (int32_t k = 1; k <= s.ObjectiveCount; ++k)
        if (!s.IsValidHex(s.Objectives[k].Hex) || s.Hexes[s.Objectives[k].Hex].Objective != k)
            fail("objective " + std::to_string(k));
}

// Every field, grid cell and table slot equal. No op touches the view and save bookkeeping, so
// it must be equal too; a difference that ScenarioDiff misses is named as such.
void ExpectSame(const Scenario& expected, const Scenario& actual, const char* what) {
    if (expected == actual) return;
    Fail(std::string(what) + (ScenarioDiff::Between(expected, actual).Empty()
                                  ? " (a difference that ScenarioDiff does not see)"
                                  : ""));
}

QJsonObject Op(const char* name) {
    return QJsonObject{{"op", name}};
}

const char* const Edges[] = {"bottom", "top", "right", "left"};
const char* const MarkerKinds[] = {"western", "eastern", "objective"};

// The next op, its arguments drawn for the battle as it is now.
QJsonObject NextOp(FuzzedDataProvider& in, const Stock& stock, const Scenario& s) {
    const auto hexOp = [&](const char* name) {
        QJsonObject op = Op(name);
        op["hex"] = PickHex(in, s);
        return op;
    };
    switch (in.ConsumeIntegralInRange<int>(0, 21)) {
    case 0:
    case 1:
        return Op("undo");
    case 2:
        return Op("redo");
    case 3: {
        QJsonObject op = hexOp("primary");
        op["terrain"] = Pick(in, stock.primary);
        return op;
    }
    case 4: {
        QJsonObject op = hexOp("secondary");
        op["terrain"] = Pick(in, stock.secondary);
        return op;
    }
    case 5:
        return hexOp("remove-secondary");
    case 6: {
        QJsonObject op = hexOp("fill");
        op["terrain"] = Pick(in, stock.fill);
        op["keep"] = in.ConsumeBool();
        return op;
    }
    case 7: {
        QJsonObject op = Op("terrain-def");
        op["terrain"] = Pick(in, stock.anyTerrain);
        const uint8_t which = in.ConsumeIntegral<uint8_t>();
        if (which & 1)
            op["elevation"] = in.ConsumeIntegralInRange<int>(TerrainPickerLogic::MinElevation,
                                                             TerrainPickerLogic::MaxElevation);
        if (which & 2)
            op["cost"] =
                in.ConsumeIntegralInRange<int>(TerrainPickerLogic::MinCost, TerrainPickerLogic::MaxCost);
        if (which & 4)
            op["defense"] = in.ConsumeIntegralInRange<int>(TerrainPickerLogic::MinDefense,
                                                           TerrainPickerLogic::MaxDefense);
        if (which & 8) op["name"] = QString::fromLatin1(Name(in, 24).c_str());
        return op;
    }
    case 8:
        return hexOp("caltrops");
    case 9:
        return hexOp("stakes");
    case 10: {
        QJsonObject op = Op("marker");
        op["kind"] = MarkerKinds[in.ConsumeIntegralInRange<int>(0, 2)];
        op["symbol"] = Pick(in, stock.markerSymbols);
        return op;
    }
    case 11:
        return hexOp("remove-map-text");
    case 12:
        return hexOp("copy");
    case 13:
        return hexOp("cut");
    case 14:
    case 15:
        return hexOp("paste");
    case 16: {
        QJsonObject op = Op("move");
        op["from"] = PickHex(in, s);
        op["to"] = in.ConsumeIntegralInRange<int32_t>(0, s.HexCount - 1);
        return op;
    }
    case 17:
        return hexOp("remove-unit");
    case 18:
        return Op("sort");
    case 19: {
        QJsonObject op = Op(in.ConsumeBool() ? "trim" : "grow");
        op["edge"] = Edges[in.ConsumeIntegralInRange<int>(0, 3)];
        return op;
    }
    case 20:
        return hexOp("remove-structure");
    default:
        return hexOp("remove-objective");
    }
}

// With K2_FUZZ_OP_STATS set, how often each op changed the battle, changed nothing or was
// refused, printed at exit (run over a corpus with -runs=0 to see what the decoding reaches).
struct OpStats {
    std::map<std::string, std::array<long, 3>> counts;
    ~OpStats() {
        for (const auto& [op, n] : counts)
            std::fprintf(stderr, "%-18s changed %8ld  unchanged %8ld  refused %8ld\n", op.c_str(), n[0], n[1],
                         n[2]);
    }
};

OpStats* Stats() {
    static const std::unique_ptr<OpStats> stats(std::getenv("K2_FUZZ_OP_STATS") ? new OpStats : nullptr);
    return stats.get();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Stock& stock = LoadStock();
    FuzzedDataProvider in(data, size);

    std::unique_ptr<Scenario> battle = BuildBattle(in, stock);
    CheckReferences(*battle, "the battle as built");
    const auto start = std::make_unique<Scenario>(*battle);
    StdRandomSource random(in.ConsumeIntegral<uint32_t>());
    auto session = std::make_unique<ScriptSession>(*battle, random, stock.symbols, stock.equipment);

    // The ops run one at a time, each drawn against the battle left by the one before.
    for (int n = 0; n < 24 && in.remaining_bytes() > 0; ++n) {
        QJsonArray ops{NextOp(in, stock, *battle)};
        const ScriptRun run = stock.script.Run(ops, *session);
        if (run.Error) Fail("an op the decoder drew was refused as a usage error: " + run.Error->Message);
        if (session->History().InSession())
            Fail("op " + run.Reports.front().Op + " left a history session open");
        CheckReferences(*battle, ("after op " + run.Reports.front().Op).c_str());
        if (OpStats* stats = Stats())
            ++stats->counts[run.Reports.front().Op][std::size_t(run.Reports.front().Result)];
    }

    // Undo to the start, then redo as many steps as were undone (the ops may have left steps to
    // redo beyond the edited battle).
    const auto edited = std::make_unique<Scenario>(*battle);
    EditHistory& history = session->History();
    std::size_t undone = 0;
    while (history.CanUndo()) {
        if (++undone > history.StepCount()) Fail("undo never runs out of steps");
        history.Undo();
    }
    ExpectSame(*start, *battle, "undoing every step does not give back the battle as it started");
    for (std::size_t i = 0; i < undone; ++i) {
        if (!history.CanRedo()) Fail("fewer steps to redo than were undone");
        history.Redo();
    }
    ExpectSame(*edited, *battle, "redoing every step does not give back the edited battle");

    // Saved and read again, the edited battle is the same.
    std::vector<uint8_t> bytes;
    if (Status st = EncodeBattle(*edited, stock.symbols.TerrainCount(), bytes); !st)
        Fail("the edited battle cannot be written: " + st.message);
    auto again = std::make_unique<Scenario>(*stock.templateBattle);
    if (Status st = ParseBattle(*again, bytes, false); !st)
        Fail("the written battle is refused: " + st.message);
    again->SaveCount -= 1;
    ExpectSame(*edited, *again, "the edited battle read back from its file differs");
    return 0;
}
