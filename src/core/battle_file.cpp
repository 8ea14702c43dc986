#include "core/battle_file.h"

#include "core/byte_codec.h"
#include "core/file_io.h"
#include "core/file_lookup.h"
#include "core/terrain_defs.h"

#include <memory>

namespace k2 {

namespace {

// Well above the largest valid battle (a full grid, 500 units and every text at its limit).
constexpr std::size_t MaxBattleFileBytes = 4u << 20;
constexpr const char* OpenError = "Could not open selected file.";
constexpr const char* AllocationError = "Hex Array Mem Allocation Error.";

// A refusal whose text is shown as it is rather than as the reason of a damaged file.
struct PlainRefusal {
    std::string message;
};

std::string Num(int32_t v) {
    return std::to_string(v);
}

int32_t ReadCount(ByteReader& in, const char* what, int32_t capacity) {
    int32_t count = in.Int();
    if (count < 0 || count > capacity) {
        throw FormatError{"the " + std::string(what) + " count " + Num(count) + " is outside 0 to " +
                          Num(capacity)};
    }
    return count;
}

void ReadUnit(ByteReader& in, UnitRecord& u, int32_t number, bool legacy) {
    u.Name = in.Text(RecordNameChars, "the name of unit " + Num(number));
    u.Symbol = in.Int();
    u.ActivationTurn = in.Int();
    u.Side = in.Int();
    u.Wing = in.Int();
    u.UnitType = in.Int();
    u.Class = in.Int();
    u.Men = in.Int();
    u.Morale = in.Int();
    u.CombatWeapon = in.Int();
    u.MissileWeapon = in.Int();
    u.MissileAmmo = in.Int();
    u.Armour = in.Int();
    u.Shield = in.Int();
    u.WingLeader = in.Int();
    u.CommandRange = in.Int();
    u.CommandRating = in.Int();
    u.MovementPoints = in.Int();
    u.Value = in.Int();
    u.Hex = in.Int();
    u.SupplyLevel = in.Int();
    if (legacy) {
        u.FerociousAttack = 0;
        u.HasStakes = 0;
        u.StartsDisrupted = 0;
    } else {
        u.FerociousAttack = in.Int();
        u.HasStakes = in.Int();
        u.StartsDisrupted = in.Int();
    }
}

void ReadStructure(ByteReader& in, StructureRecord& s, int32_t number) {
    s.Name = in.Text(RecordNameChars, "the name of structure " + Num(number));
    s.Symbol = in.Int();
    s.Side = in.Int();
    s.SpareA = in.Int();
    s.SupplyLevel = in.Int();
    s.SpareB = in.Int();
    s.Hex = in.Int();
    s.Capacity = in.Int();
    s.DefenseMod = in.Int();
    s.Height = in.Int();
}

void ReadObjective(ByteReader& in, ObjectiveRecord& o, int32_t number) {
    o.Name = in.Text(RecordNameChars, "the name of objective " + Num(number));
    o.Hex = in.Int();
    o.ObjectiveKind = in.Int();
    o.VictoryPoints = in.Int();
}

void ReadMapText(ByteReader& in, PlaceName& m) {
    m.Hex = in.Int();
    m.Text = in.FixedWidthText(MapTextChars);
    m.FontName = in.FixedWidthText(MapTextChars);
    uint8_t c[4];
    for (uint8_t& b : c)
        b = in.Byte();
    m.Colour = PackBytes(c[0], c[1], c[2], c[3]);
    for (uint8_t& b : m.Size)
        b = in.Byte();
    for (uint8_t& b : m.Placement)
        b = in.Byte();
    m.Style = in.Byte();
}

void ReadHexes(ByteReader& in, Scenario& s, bool legacy) {
    for (int32_t h = 0; h < s.HexCount; ++h) {
        HexCell& cell = s.Hexes[h];
        cell.PrimaryTerrain = in.Int();
        for (int32_t& slot : cell.SecondaryTerrain)
            slot = in.Int();
        cell.Structure = in.Int();
        cell.Unit = in.Int();
        cell.MapText = in.Int();
        cell.Objective = in.Int();
        cell.ReinforcementMarker = in.Int();
        cell.Caltrops = in.Int();
        cell.Stakes = legacy ? 0 : in.Int();
        if (legacy) {
            const bool border = s.IsBorderHex(h);
            if (border) cell.PrimaryTerrain = BorderTerrain;
            cell.SecondaryTerrain[0] =
                (!border && cell.SecondaryTerrain[0] != NoSymbol) ? LegacySecondaryTerrain : NoSymbol;
            for (int32_t slot = 1; slot < SecondarySlotCount; ++slot)
                cell.SecondaryTerrain[slot] = NoSymbol;
        }
    }
}

void CheckReference(int32_t value, int32_t count, const char* what, int32_t hex) {
    if (value < 0 || value > count) {
        throw FormatError{"hex " + Num(hex) + " refers to " + what + " " + Num(value) +
                          ", but the battle has " + Num(count)};
    }
}

void CheckRecordHex(const Scenario& s, int32_t hex, const char* what, int32_t number) {
    if (!s.IsValidHex(hex)) {
        throw FormatError{std::string(what) + " " + Num(number) + " lies on hex " + Num(hex) +
                          ", outside the " + Num(s.Cols) + " x " + Num(s.Rows) + " map"};
    }
}

// The references that later operations index with: every one must name a record or a hex that
// exists. Map texts are exempt from the hex test (a trim may leave them off the map); they stay
// inert because every operation checks their hex first.
void CheckReferences(const Scenario& s) {
    for (int32_t h = 0; h < s.HexCount; ++h) {
        const HexCell& cell = s.Hexes[h];
        CheckReference(cell.Unit, s.UnitCount, "unit", h);
        CheckReference(cell.Structure, s.StructureCount, "structure", h);
        CheckReference(cell.Objective, s.ObjectiveCount, "objective", h);
        CheckReference(cell.MapText, s.MapTextCount, "map text", h);
    }
    for (int32_t u = 1; u <= s.UnitCount; ++u) {
        CheckRecordHex(s, s.Units[u].Hex, "unit", u);
        if (s.Units[u].Wing < 0 || s.Units[u].Wing >= MaxWings) {
            throw FormatError{"unit " + Num(u) + " belongs to wing " + Num(s.Units[u].Wing) +
                              ", outside 0 to " + Num(MaxWings - 1)};
        }
    }
    for (int32_t k = 1; k <= s.StructureCount; ++k)
        CheckRecordHex(s, s.Structures[k].Hex, "structure", k);
    for (int32_t k = 1; k <= s.ObjectiveCount; ++k)
        CheckRecordHex(s, s.Objectives[k].Hex, "objective", k);
}

// Fills `s` from the bytes in file order. Throws FormatError or PlainRefusal; `s` is a scratch
// scenario that the caller discards then.
void ParseInto(Scenario& s, std::span<const uint8_t> bytes, bool legacy) {
    ByteReader in(bytes);
    in.Int(); // format number: the layout follows from the file's name, not from this
    s.SaveCount = in.Int();
    s.BattleName = in.Text(BattleNameChars, "BattleName");
    s.BattleIcon = in.Text(BattleIconChars, "BattleIcon");
    s.MaxTurns = in.Int();
    s.UnitCount = ReadCount(in, "unit", MaxUnits);
    s.StructureCount = ReadCount(in, "structure", MaxStructures);
    s.ObjectiveCount = ReadCount(in, "objective", MaxObjectives);
    s.StartInitiative = in.Int();
    if (legacy) {
        s.StartInitiative = SideWestern;
        s.Weather = 0;
        s.WesternBreakPoint = 30;
        s.EasternBreakPoint = 30;
        s.WesternLeaderReplacement = 0;
        s.EasternLeaderReplacement = 0;
    } else {
        s.Weather = in.Int();
        s.WesternBreakPoint = in.Int();
        s.EasternBreakPoint = in.Int();
        s.WesternLeaderReplacement = in.Int();
        s.EasternLeaderReplacement = in.Int();
    }
    s.WesternName = in.Text(ForceNameChars, "WesternName");
    s.EasternName = in.Text(ForceNameChars, "EasternName");
    for (int32_t i = 0; i < DescriptionLineCount; ++i) {
        s.Description[i] = in.Text(DescriptionLineChars, "Description line " + Num(i + 1));
    }
    s.WingCount = ReadCount(in, "wing", MaxWings);
    for (auto& name : s.WingNames)
        name.Clear();
    for (int32_t i = 0; i < s.WingCount; ++i)
        s.WingNames[i] = in.Text(WingNameChars, "wing name " + Num(i));

    for (auto& u : s.Units)
        u = UnitRecord{};
    for (int32_t u = 1; u <= s.UnitCount; ++u)
        ReadUnit(in, s.Units[u], u, legacy);
    for (auto& r : s.Structures)
        r = StructureRecord{};
    for (int32_t k = 1; k <= s.StructureCount; ++k)
        ReadStructure(in, s.Structures[k], k);
    for (auto& r : s.Objectives)
        r = ObjectiveRecord{};
    for (int32_t k = 1; k <= s.ObjectiveCount; ++k)
        ReadObjective(in, s.Objectives[k], k);

    s.TerrainSetName = legacy ? std::string("k2t") : in.Text(SetNameChars, "TerrainSetName");
    s.UnitSetName = in.Text(SetNameChars, "UnitSetName");
    s.ScenarioFlagA = in.Byte();
    s.Cols = in.Int();
    s.Rows = in.Int();
    if (s.Cols < 1 || s.Rows < 1 || int64_t(s.Cols) * s.Rows > MaxHexes) {
        throw FormatError{"the map size " + Num(s.Cols) + " x " + Num(s.Rows) + " is outside 1 x 1 to " +
                          Num(MaxHexes) + " hexes"};
    }
    s.HexCount = s.Cols * s.Rows;
    // Every hex record takes at least 26 bytes: a count the rest of the file cannot hold is
    // refused before the grid is allocated.
    if (in.Remaining() / (legacy ? 26u : 28u) < static_cast<std::size_t>(s.HexCount)) {
        throw FormatError{"the file ends early (after " + Num(int32_t(bytes.size())) + " bytes)"};
    }
    if (!s.AllocateHexes(s.HexCount)) throw PlainRefusal{AllocationError};
    ReadHexes(in, s, legacy);

    s.MapTextCount = ReadCount(in, "map text", MaxMapTexts);
    for (auto& m : s.MapTexts)
        m = PlaceName{};
    for (int32_t k = 1; k <= s.MapTextCount; ++k)
        ReadMapText(in, s.MapTexts[k]);
    s.ScenarioFlagB = in.Byte();
    if (s.ScenarioFlagB == 0) s.ScenarioFlagB = 1;
    s.ViewSaved = in.Byte();
    s.ViewOriginHex = in.Int();
    s.ZoomLevel = static_cast<uint8_t>(in.Int() & 0xff);
    s.ScenarioFlagC = in.Byte();
    s.TerrainDefCount = ReadTerrainDefRecords(in, s.TerrainDefs);
    for (int32_t& m : s.MarkerSymbols)
        m = in.Int();
    if (legacy) {
        for (std::size_t i = 0; i < StockMarkerSymbols.size(); ++i)
            s.MarkerSymbols[i] = StockMarkerSymbols[i];
    }

    CheckReferences(s);
    s.CompactWings();
}

// A scratch scenario that carries over what is not part of a battle file.
std::unique_ptr<Scenario> MakeScratch(const Scenario& from) {
    auto scratch = std::make_unique<Scenario>();
    scratch->TerrainDefs = from.TerrainDefs;
    scratch->TerrainDefCount = from.TerrainDefCount;
    scratch->EditorFormatNumber = from.EditorFormatNumber;
    return scratch;
}

Status ParseScratch(Scenario& scratch, std::span<const uint8_t> bytes, bool legacy) {
    try {
        ParseInto(scratch, bytes, legacy);
    } catch (const FormatError& e) {
        return Status::Fail("Could not read selected file: " + e.reason + ".");
    } catch (const PlainRefusal& e) {
        return Status::Fail(e.message);
    }
    return Status::Ok();
}

void AddWarning(Status& status, const std::string& text) {
    for (const auto& w : status.warnings)
        if (w == text) return;
    status.warnings.push_back(text);
}

} // namespace

bool IsLegacyBattleFile(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return name.size() >= 4 && EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".scn");
}

Status ParseBattle(Scenario& scenario, std::span<const uint8_t> bytes, bool legacy) {
    auto scratch = MakeScratch(scenario);
    Status status = ParseScratch(*scratch, bytes, legacy);
    if (status) scenario = std::move(*scratch);
    return status;
}

Status ReadBattle(Scenario& scenario, const std::filesystem::path& file,
                  const std::filesystem::path& terrainDefFile) {
    auto scratch = MakeScratch(scenario);
    Status status;
    if (Status defs = ReadTerrainDefs(*scratch, terrainDefFile); !defs) AddWarning(status, defs.message);

    std::vector<uint8_t> bytes;
    switch (ReadFileBytes(file, MaxBattleFileBytes, bytes)) {
    case ReadFileResult::Ok:
        break;
    case ReadFileResult::TooLarge:
        status.ok = false;
        status.message = "Could not read selected file: it is larger than any battle file.";
        return status;
    case ReadFileResult::CannotOpen:
    case ReadFileResult::ReadError:
        status.ok = false;
        status.message = OpenError;
        return status;
    }

    const bool legacy = IsLegacyBattleFile(file);
    if (Status parsed = ParseScratch(*scratch, bytes, legacy); !parsed) {
        status.ok = false;
        status.message = parsed.message;
        return status;
    }
    if (legacy) {
        if (Status defs = ReadTerrainDefs(*scratch, terrainDefFile); !defs) AddWarning(status, defs.message);
    }
    scenario = std::move(*scratch);
    return status;
}

Status EncodeBattle(const Scenario& s, const BattleEncoding& encoding, std::vector<uint8_t>& out) {
    const bool legacy = encoding.Layout == BattleLayout::Legacy;
    const auto refuse = [](const std::string& reason) {
        return Status::Fail("Could not write selected file: " + reason + ".");
    };
    if (encoding.TerrainDefCount < 0 || encoding.TerrainDefCount > MaxTerrainDefs)
        return refuse("the terrain set has " + Num(encoding.TerrainDefCount) +
                      " symbols, more than a battle can hold");
    if (s.UnitCount < 0 || s.UnitCount > MaxUnits || s.StructureCount < 0 ||
        s.StructureCount > MaxStructures || s.ObjectiveCount < 0 || s.ObjectiveCount > MaxObjectives ||
        s.MapTextCount < 0 || s.MapTextCount > MaxMapTexts || s.WingCount < 0 || s.WingCount > MaxWings)
        return refuse("a record count is outside its table");
    if (s.Cols < 1 || s.Rows < 1 || int64_t(s.Cols) * s.Rows > MaxHexes || s.HexCount != s.Cols * s.Rows ||
        s.Hexes.size() != static_cast<std::size_t>(s.HexCount))
        return refuse("the map grid does not match its size");

    ByteWriter w;
    w.SetContext("the battle settings");
    w.Int(encoding.FormatNumber);
    w.Int(encoding.SaveCount);
    w.Text(s.BattleName.View());
    w.Text(s.BattleIcon.View());
    w.Int(s.MaxTurns);
    w.Int(s.UnitCount);
    w.Int(s.StructureCount);
    w.Int(s.ObjectiveCount);
    w.Int(s.StartInitiative);
    if (!legacy) {
        w.Int(s.Weather);
        w.Int(s.WesternBreakPoint);
        w.Int(s.EasternBreakPoint);
        w.Int(s.WesternLeaderReplacement);
        w.Int(s.EasternLeaderReplacement);
    }
    w.Text(s.WesternName.View());
    w.Text(s.EasternName.View());
    for (const auto& line : s.Description)
        w.Text(line.View());
    w.Int(s.WingCount);
    for (int32_t i = 0; i < s.WingCount; ++i)
        w.Text(s.WingNames[i].View());

    for (int32_t k = 1; k <= s.UnitCount; ++k) {
        const UnitRecord& u = s.Units[k];
        w.SetContext("unit", k);
        w.Text(u.Name.View());
        for (int32_t v :
             {u.Symbol, u.ActivationTurn, u.Side,         u.Wing,          u.UnitType,       u.Class,
              u.Men,    u.Morale,         u.CombatWeapon, u.MissileWeapon, u.MissileAmmo,    u.Armour,
              u.Shield, u.WingLeader,     u.CommandRange, u.CommandRating, u.MovementPoints, u.Value,
              u.Hex,    u.SupplyLevel})
            w.Int(v);
        if (!legacy) {
            for (int32_t v : {u.FerociousAttack, u.HasStakes, u.StartsDisrupted})
                w.Int(v);
        }
    }
    for (int32_t k = 1; k <= s.StructureCount; ++k) {
        const StructureRecord& r = s.Structures[k];
        w.SetContext("structure", k);
        w.Text(r.Name.View());
        for (int32_t v :
             {r.Symbol, r.Side, r.SpareA, r.SupplyLevel, r.SpareB, r.Hex, r.Capacity, r.DefenseMod, r.Height})
            w.Int(v);
    }
    for (int32_t k = 1; k <= s.ObjectiveCount; ++k) {
        const ObjectiveRecord& o = s.Objectives[k];
        w.SetContext("objective", k);
        w.Text(o.Name.View());
        w.Int(o.Hex);
        w.Int(o.ObjectiveKind);
        w.Int(o.VictoryPoints);
    }
    if (!legacy) w.Text(s.TerrainSetName.View());
    w.Text(s.UnitSetName.View());
    w.Byte(s.ScenarioFlagA);
    w.SetContext("the map size");
    w.Int(s.Cols);
    w.Int(s.Rows);
    for (int32_t h = 0; h < s.HexCount; ++h) {
        const HexCell& c = s.Hexes[h];
        w.SetContext("hex", h);
        w.Int(c.PrimaryTerrain);
        for (int32_t slot : c.SecondaryTerrain)
            w.Int(slot);
        for (int32_t v : {c.Structure, c.Unit, c.MapText, c.Objective, c.ReinforcementMarker, c.Caltrops})
            w.Int(v);
        if (!legacy) w.Int(c.Stakes);
    }
    w.Int(s.MapTextCount);
    for (int32_t k = 1; k <= s.MapTextCount; ++k) {
        const PlaceName& m = s.MapTexts[k];
        w.SetContext("map text", k);
        w.Int(m.Hex);
        w.FixedWidthText(m.Text.View(), MapTextChars);
        w.FixedWidthText(m.FontName.View(), MapTextChars);
        for (uint8_t b : UnpackBytes(m.Colour))
            w.Byte(b);
        for (uint8_t b : m.Size)
            w.Byte(b);
        for (uint8_t b : m.Placement)
            w.Byte(b);
        w.Byte(m.Style);
    }
    w.SetContext("the view settings");
    w.Byte(s.ScenarioFlagB);
    w.Byte(s.ViewSaved);
    w.Int(s.ViewSaved ? s.ViewOriginHex : 0);
    w.Int(s.ViewSaved ? int32_t(s.ZoomLevel) : 0);
    w.Byte(s.ScenarioFlagC);
    WriteTerrainDefRecords(w, s, encoding.TerrainDefCount);
    w.SetContext("the marker symbols");
    for (int32_t m : s.MarkerSymbols)
        w.Int(m);

    if (w.HasRangeError()) return refuse(w.RangeError());
    // Never write a file that the editor would refuse to open again.
    auto check = MakeScratch(s);
    try {
        ParseInto(*check, w.Bytes(), legacy);
    } catch (const FormatError& e) {
        return refuse(e.reason);
    } catch (const PlainRefusal& e) {
        return Status::Fail(e.message);
    }
    out = std::move(w.Bytes());
    return Status::Ok();
}

Status EncodeBattle(const Scenario& s, int32_t terrainSymbolCount, std::vector<uint8_t>& out) {
    BattleEncoding encoding;
    encoding.SaveCount = s.SaveCount + 1;
    encoding.TerrainDefCount = terrainSymbolCount;
    return EncodeBattle(s, encoding, out);
}

Status WriteBattle(Scenario& scenario, const std::filesystem::path& file, int32_t terrainSymbolCount) {
    return WriteBattle(scenario, file, terrainSymbolCount, DefaultFileOps());
}

Status WriteBattle(Scenario& scenario, const std::filesystem::path& file, int32_t terrainSymbolCount,
                   FileOps& ops) {
    std::vector<uint8_t> bytes;
    if (Status encoded = EncodeBattle(scenario, terrainSymbolCount, bytes); !encoded) return encoded;
    WriteFileOutcome outcome = WriteFileAtomically(file, bytes, ops);
    switch (outcome.result) {
    case WriteFileResult::Ok:
        break;
    case WriteFileResult::CannotOpen:
        return Status::Fail(OpenError);
    case WriteFileResult::WriteFailed:
        return Status::Fail("Could not write selected file (" + outcome.detail + ").");
    }
    scenario.SaveCount += 1;
    scenario.TerrainDefCount = terrainSymbolCount;
    scenario.EditorFormatNumber = CurrentFormatNumber;
    return Status::Ok();
}

} // namespace k2
