#include "core/battle_file.h"

#include "core/byte_codec.h"
#include "core/legacy_battle_writer.h"
#include "core/terrain_defs.h"
#include "core_test_support.h"
#include "tiny_battle.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

namespace {

using namespace k2;
using k2test::Bytes;
using k2test::NewScenario;
using k2test::ReadAll;
using k2test::TempDir;
using k2test::TinyBattle;
using k2test::TinyBattleBytes;
using k2test::TinyShape;
using k2test::WriteAll;

constexpr const char* NoDefs = "/nonexistent/K2Ter.Def";

TEST(FileInt, EncodingOfTheEdgeValues) {
    struct Case {
        int32_t value;
        uint8_t high, low;
    };
    for (Case c : {Case{-8, 255, 248}, Case{63000, 246, 24}, Case{-256, 255, 0}, Case{-1, 255, 255},
                   Case{0, 0, 0}, Case{255, 0, 255}, Case{256, 1, 0}, Case{65279, 254, 255}}) {
        auto b = EncodeFileInt(c.value);
        EXPECT_EQ(b[0], c.high) << c.value;
        EXPECT_EQ(b[1], c.low) << c.value;
        EXPECT_EQ(DecodeFileInt(c.high, c.low), c.value);
    }
    EXPECT_EQ(DecodeFileInt(254, 0), 65024) << "high byte 254 is a large positive value";
}

TEST(IsLegacyBattleFile, OnlyTheFileNameCountsWithoutCase) {
    struct Case {
        const char* path;
        bool legacy;
    };
    for (Case c : {Case{"old.scn", true}, Case{"OLD.SCN", true}, Case{"dir/Old.Scn", true},
                   Case{"maps.scn/battle.k2s", false}, Case{"x.scn.k2s", false}, Case{"scn", false},
                   Case{"battle.k2s", false}, Case{".scn", true}, Case{"a.scnx", false}}) {
        EXPECT_EQ(IsLegacyBattleFile(c.path), c.legacy) << c.path;
    }
}

TEST(ReadBattle, ReadsEveryFieldOfACurrentFile) {
    TempDir dir;
    WriteAll(dir / "tiny.k2s", TinyBattleBytes());
    auto s = NewScenario();
    Status st = ReadBattle(*s, dir / "tiny.k2s", NoDefs);
    ASSERT_TRUE(st.ok) << st.message;
    EXPECT_EQ(st.warnings, std::vector<std::string>{"Could not open K2Ter.Def"});
    EXPECT_TRUE(*s == *TinyBattle());
    EXPECT_EQ(s->MapTexts[1].Text.Length(), 25u) << "a full 25-byte text has no zero byte and reads whole";
}

TEST(ReadBattle, BattleDefinitionsReplaceOnlyTheEntriesTheyHold) {
    TempDir dir;
    Bytes def;
    def.Int(105).Int(4);
    for (const char* name : {"a", "b", "c", "d"})
        def.Text(name).Int(1).Int(1).Int(1).Int(1);
    WriteAll(dir / "K2Ter.Def", def.data);
    WriteAll(dir / "tiny.k2s", TinyBattleBytes());
    auto s = NewScenario();
    Status st = ReadBattle(*s, dir / "tiny.k2s", dir / "K2Ter.Def");
    ASSERT_TRUE(st.ok);
    EXPECT_TRUE(st.warnings.empty());
    EXPECT_EQ(s->TerrainDefCount, 2);
    EXPECT_EQ(s->TerrainDefs[1].name, "2 Wood");
    EXPECT_EQ(s->TerrainDefs[2].name, "c");
    EXPECT_EQ(s->TerrainDefs[3].name, "d");
}

TEST(ReadBattle, LoadRulesForFlagsZoomAndWings) {
    TinyShape shape;
    shape.flagB = 0;
    shape.zoomInFile = 258;
    shape.wingName1 = ""; // an empty wing 1: its unit joins wing 0
    auto s = NewScenario();
    ASSERT_TRUE(ParseBattle(*s, TinyBattleBytes(shape), false).ok);
    EXPECT_EQ(s->ScenarioFlagB, 1);
    EXPECT_EQ(s->ZoomLevel, 2);
    EXPECT_EQ(s->WingCount, 1);
    EXPECT_EQ(s->Units[1].Wing, 0);
}

TEST(ReadBattle, MapTextOffTheMapIsKept) {
    TinyShape shape;
    shape.mapTextHex = 500;
    auto s = NewScenario();
    ASSERT_TRUE(ParseBattle(*s, TinyBattleBytes(shape), false).ok);
    EXPECT_EQ(s->MapTexts[1].Hex, 500);
    EXPECT_FALSE(s->IsValidHex(s->MapTexts[1].Hex));
}

TEST(WriteBattle, WritesTheLayoutByteForByte) {
    TempDir dir;
    auto s = TinyBattle();
    s->SaveCount = 6;
    Status st = WriteBattle(*s, dir / "tiny.k2s", 2);
    ASSERT_TRUE(st.ok) << st.message;
    EXPECT_EQ(ReadAll(dir / "tiny.k2s"), TinyBattleBytes());
    EXPECT_EQ(s->SaveCount, 7);
    EXPECT_EQ(s->EditorFormatNumber, 200);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"tiny.k2s"});
}

TEST(WriteBattle, EmptyTablesStillWriteDescriptionWingsGridMarkersAndDefinitions) {
    TempDir dir;
    auto s = TinyBattle();
    s->SaveCount = 6;
    s->UnitCount = s->StructureCount = s->ObjectiveCount = s->MapTextCount = s->WingCount = 0;
    s->Units[1] = UnitRecord{};
    s->Structures[1] = StructureRecord{};
    s->Objectives[1] = ObjectiveRecord{};
    s->MapTexts[1] = PlaceName{};
    s->WingNames[0].Clear();
    s->WingNames[1].Clear();
    s->Hexes[0].Structure = s->Hexes[1].MapText = s->Hexes[1].Objective = s->Hexes[2].Unit = 0;
    ASSERT_TRUE(WriteBattle(*s, dir / "empty.k2s", 2).ok);
    TinyShape shape;
    shape.unitCount = shape.structureCount = shape.objectiveCount = shape.mapTextCount = shape.wingCount = 0;
    shape.hex0Structure = shape.hex1MapText = shape.hex1Objective = shape.hex2Unit = 0;
    EXPECT_EQ(ReadAll(dir / "empty.k2s"), TinyBattleBytes(shape));
    auto back = NewScenario();
    ASSERT_TRUE(ReadBattle(*back, dir / "empty.k2s", NoDefs).ok);
    back->EditorFormatNumber = 200;
    EXPECT_TRUE(*back == *s);
}

TEST(WriteBattle, ViewSettingsAreZeroWhenNoViewWasSaved) {
    TempDir dir;
    auto s = TinyBattle();
    s->SaveCount = 6;
    s->ViewSaved = 0;
    ASSERT_TRUE(WriteBattle(*s, dir / "t.k2s", 2).ok);
    TinyShape shape;
    shape.viewSaved = 0;
    EXPECT_EQ(ReadAll(dir / "t.k2s"), TinyBattleBytes(shape));
    EXPECT_EQ(s->ViewOriginHex, 2) << "memory keeps the view";
}

TEST(WriteBattle, TerrainDefinitionCountComesFromTheTerrainSet) {
    TempDir dir;
    auto s = TinyBattle();
    ASSERT_TRUE(WriteBattle(*s, dir / "t.k2s", 140).ok);
    EXPECT_EQ(s->TerrainDefCount, 140);
    auto back = NewScenario();
    ASSERT_TRUE(ReadBattle(*back, dir / "t.k2s", NoDefs).ok);
    EXPECT_EQ(back->TerrainDefCount, 140);
    EXPECT_EQ(back->TerrainDefs[1].defenseModifier, -8);
    EXPECT_EQ(back->SaveCount, 8) << "saved and reopened: one higher, as in memory";
    EXPECT_EQ(s->SaveCount, 8);
    ASSERT_TRUE(WriteBattle(*s, dir / "t.k2s", 0).ok);
    ASSERT_TRUE(ReadBattle(*back, dir / "t.k2s", NoDefs).ok);
    EXPECT_EQ(back->TerrainDefCount, 0);
}

TEST(WriteBattle, ARunThatSavedWritesDefinitionFilesWithFormat200) {
    TempDir dir;
    auto s = TinyBattle();
    EXPECT_EQ(s->EditorFormatNumber, 105);
    ASSERT_TRUE(WriteTerrainDefs(*s, dir / "K2Ter.Def", 2).ok);
    EXPECT_EQ(ReadAll(dir / "K2Ter.Def")[1], 105);
    ASSERT_TRUE(WriteBattle(*s, dir / "t.k2s", 2).ok);
    ASSERT_TRUE(WriteTerrainDefs(*s, dir / "K2Ter.Def", 2).ok);
    EXPECT_EQ(ReadAll(dir / "K2Ter.Def")[1], 200);
    // Reading a battle does not reset the run's format number.
    ASSERT_TRUE(ReadBattle(*s, dir / "t.k2s", NoDefs).ok);
    EXPECT_EQ(s->EditorFormatNumber, 200);
}

TEST(LegacyBattle, ReadsWithEveryDefaultAndConversion) {
    TempDir dir;
    TinyShape shape;
    shape.legacy = true;
    shape.cols = 3;
    shape.rows = 3;
    shape.markerFill = 321;
    WriteAll(dir / "OLD.SCN", TinyBattleBytes(shape));
    Bytes def;
    def.Int(105).Int(1).Text("fresh").Int(0).Int(2).Int(0).Int(0);
    WriteAll(dir / "K2Ter.Def", def.data);
    auto s = NewScenario();
    Status st = ReadBattle(*s, dir / "OLD.SCN", dir / "K2Ter.Def");
    ASSERT_TRUE(st.ok) << st.message;
    EXPECT_EQ(s->Weather, 0);
    EXPECT_EQ(s->WesternBreakPoint, 30);
    EXPECT_EQ(s->EasternBreakPoint, 30);
    EXPECT_EQ(s->WesternLeaderReplacement, 0);
    EXPECT_EQ(s->EasternLeaderReplacement, 0);
    EXPECT_EQ(s->StartInitiative, 1) << "the file held 2";
    EXPECT_EQ(s->TerrainSetName, "k2t");
    EXPECT_EQ(s->UnitSetName, "K2U");
    EXPECT_EQ(s->Units[1].SupplyLevel, 13);
    EXPECT_EQ(s->Units[1].FerociousAttack, 0);
    EXPECT_EQ(s->Units[1].HasStakes, 0);
    EXPECT_EQ(s->Units[1].StartsDisrupted, 0);
    EXPECT_EQ(s->Units[1].Hex, 2);
    for (int32_t h = 0; h < 9; ++h) {
        const HexCell& c = s->Hexes[h];
        SCOPED_TRACE(h);
        EXPECT_EQ(c.Stakes, 0);
        if (h == 4) {
            EXPECT_EQ(c.PrimaryTerrain, 0);
            EXPECT_EQ(c.SecondaryTerrain[0], 26) << "an inner hex's first slot converts";
        } else {
            EXPECT_EQ(c.PrimaryTerrain, 13);
            EXPECT_EQ(c.SecondaryTerrain[0], NoSymbol);
        }
        for (int slot = 1; slot < 6; ++slot)
            EXPECT_EQ(c.SecondaryTerrain[slot], NoSymbol);
    }
    EXPECT_EQ(s->Hexes[2].Unit, 1);
    EXPECT_EQ(s->Hexes[1].ReinforcementMarker, 29);
    EXPECT_EQ(s->Hexes[0].Caltrops, 30);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(s->MarkerSymbols[i], i <= 10 ? StockMarkerSymbols[i] : 321) << i;
    // The definition file is read again after the battle: its one entry wins, the battle's
    // second entry stays.
    EXPECT_EQ(s->TerrainDefCount, 1);
    EXPECT_EQ(s->TerrainDefs[0].name, "fresh");
    EXPECT_EQ(s->TerrainDefs[1].name, "2 Wood");
}

TEST(LegacyBattle, CurrentFileInAScnFolderAndUnmarkedLegacyBytes) {
    TempDir dir;
    std::filesystem::create_directory(dir / "maps.scn");
    WriteAll(dir / "maps.scn" / "tiny.k2s", TinyBattleBytes());
    auto s = NewScenario();
    ASSERT_TRUE(ReadBattle(*s, dir / "maps.scn" / "tiny.k2s", NoDefs).ok);
    EXPECT_TRUE(*s == *TinyBattle());
    TinyShape legacy;
    legacy.legacy = true;
    WriteAll(dir / "old.k2s", TinyBattleBytes(legacy));
    EXPECT_FALSE(ReadBattle(*s, dir / "old.k2s", NoDefs).ok)
        << "legacy bytes under a current name are refused";
    EXPECT_TRUE(*s == *TinyBattle());
}

TEST(LegacyBattle, WriterProducesTheLegacyLayout) {
    auto s = TinyBattle();
    TinyShape shape;
    shape.legacy = true;
    EXPECT_EQ(EncodeLegacyBattle(*s, 200), TinyBattleBytes(shape));
    TempDir dir;
    ASSERT_TRUE(WriteLegacyBattle(*s, dir / "x.scn").ok);
    EXPECT_EQ(ReadAll(dir / "x.scn")[1], 100);
}

TEST(LegacyBattle, WriterRefusesABattleTheReaderWouldRefuse) {
    auto s = TinyBattle();
    s->Hexes[2].Unit = 2; // past the one unit
    EXPECT_TRUE(EncodeLegacyBattle(*s).empty());
    TempDir dir;
    const Status st = WriteLegacyBattle(*s, dir / "x.scn");
    EXPECT_FALSE(st.ok);
    EXPECT_EQ(st.message, "Could not write selected file: hex 2 refers to unit 2, but the battle has 1.");
    EXPECT_TRUE(dir.Entries().empty());
}

// The damaged files the reader must refuse, each with a part of the reason it gives.
struct Refusal {
    const char* what;
    std::function<void(TinyShape&)> damage;
    const char* reason;
};

std::vector<Refusal> Refusals() {
    return {
        {"unit count 501", [](TinyShape& s) { s.unitCount = 501; }, "unit count 501"},
        {"negative unit count", [](TinyShape& s) { s.unitCount = -1; }, "unit count -1"},
        {"structure count 101", [](TinyShape& s) { s.structureCount = 101; }, "structure count 101"},
        {"objective count 100", [](TinyShape& s) { s.objectiveCount = 100; }, "objective count 100"},
        {"map text count 51", [](TinyShape& s) { s.mapTextCount = 51; }, "map text count 51"},
        {"wing count 51", [](TinyShape& s) { s.wingCount = 51; }, "wing count 51"},
        {"terrain definition count 501", [](TinyShape& s) { s.terrainDefCount = 501; },
         "terrain definition count 501"},
        {"battle name of 30", [](TinyShape& s) { s.battleName = std::string(30, 'b'); }, "BattleName"},
        {"description line of 100", [](TinyShape& s) { s.description0 = std::string(100, 'd'); },
         "Description line 1"},
        {"wing name of 25", [](TinyShape& s) { s.wingName1 = std::string(25, 'w'); }, "wing name 1"},
        {"unit name of 28", [](TinyShape& s) { s.unitName = std::string(28, 'u'); }, "name of unit 1"},
        {"terrain name of 28", [](TinyShape& s) { s.terrainDefName = std::string(28, 't'); },
         "terrain definition 1"},
        {"no columns", [](TinyShape& s) { s.cols = 0; }, "map size 0 x 1"},
        {"negative rows", [](TinyShape& s) { s.rows = -2; }, "map size 3 x -2"},
        {"more than 25000 hexes", [](TinyShape& s) { s.cols = 151, s.rows = 166; }, "map size 151 x 166"},
        {"hex refers past the units", [](TinyShape& s) { s.hex2Unit = 2; }, "hex 2 refers to unit 2"},
        {"hex refers past the structures", [](TinyShape& s) { s.hex0Structure = 2; }, "structure 2"},
        {"hex refers past the objectives", [](TinyShape& s) { s.hex1Objective = 5; }, "objective 5"},
        {"hex refers past the map texts", [](TinyShape& s) { s.hex1MapText = 2; }, "map text 2"},
        {"negative reference", [](TinyShape& s) { s.hex2Unit = -1; }, "unit -1"},
        {"unit off the map", [](TinyShape& s) { s.unitHex = 3; }, "unit 1 lies on hex 3"},
        {"unit on a negative hex", [](TinyShape& s) { s.unitHex = -4; }, "unit 1 lies on hex -4"},
        {"structure off the map", [](TinyShape& s) { s.structureHex = 63000; },
         "structure 1 lies on hex 63000"},
        {"objective off the map", [](TinyShape& s) { s.objectiveHex = 3; }, "objective 1 lies on hex 3"},
        {"unit in wing 50", [](TinyShape& s) { s.unitWing = 50; }, "wing 50"},
        {"unit in a negative wing", [](TinyShape& s) { s.unitWing = -1; }, "wing -1"},
    };
}

// A scenario that differs from every damaged file, so that any partial commit shows.
std::unique_ptr<Scenario> Before() {
    auto s = TinyBattle();
    s->BattleName = "Before";
    s->UnitCount = 0;
    s->Hexes.assign(6, HexCell{});
    s->Cols = 2;
    s->Rows = 3;
    s->HexCount = 6;
    s->TerrainDefs[0].name = "before";
    s->TerrainDefCount = 9;
    s->EditorFormatNumber = 200;
    return s;
}

TEST(ReadBattle, RefusesDamagedFilesAndChangesNothing) {
    TempDir dir;
    Bytes def;
    def.Int(105).Int(1).Text("from file").Int(0).Int(1).Int(0).Int(0);
    WriteAll(dir / "K2Ter.Def", def.data);
    for (const Refusal& r : Refusals()) {
        SCOPED_TRACE(r.what);
        TinyShape shape;
        r.damage(shape);
        WriteAll(dir / "bad.k2s", TinyBattleBytes(shape));
        auto s = Before();
        auto before = std::make_unique<Scenario>(*s);
        Status st = ReadBattle(*s, dir / "bad.k2s", dir / "K2Ter.Def");
        EXPECT_FALSE(st.ok);
        EXPECT_EQ(st.title, "Warning");
        EXPECT_NE(st.message.find("Could not read selected file: "), std::string::npos) << st.message;
        EXPECT_NE(st.message.find(r.reason), std::string::npos) << st.message;
        EXPECT_TRUE(*s == *before) << "terrain definitions included";
    }
}

TEST(ReadBattle, EveryTruncationIsRefused) {
    for (bool legacy : {false, true}) {
        TinyShape shape;
        shape.legacy = legacy;
        const auto bytes = TinyBattleBytes(shape);
        auto s = Before();
        auto before = std::make_unique<Scenario>(*s);
        for (std::size_t n = 0; n < bytes.size(); ++n) {
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + n);
            Status st = ParseBattle(*s, cut, legacy);
            ASSERT_FALSE(st.ok) << n;
            ASSERT_NE(st.message.find("ends early"), std::string::npos) << n << ": " << st.message;
            ASSERT_TRUE(*s == *before) << n;
        }
        EXPECT_TRUE(ParseBattle(*s, bytes, legacy).ok);
    }
}

TEST(ReadBattle, AGridLargerThanTheRestOfTheFileIsRefusedBeforeAllocation) {
    TinyShape shape;
    shape.cols = 150;
    shape.rows = 150;
    auto bytes = TinyBattleBytes(shape);
    bytes.resize(bytes.size() / 2);
    auto s = Before();
    Status st = ParseBattle(*s, bytes, false);
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.message.find("ends early"), std::string::npos);
}

TEST(ReadBattle, UnopenableAndOversizedFiles) {
    TempDir dir;
    auto s = Before();
    auto before = std::make_unique<Scenario>(*s);
    for (auto path : {dir / "missing.k2s", dir.Path()}) {
        Status st = ReadBattle(*s, path, NoDefs);
        EXPECT_EQ(st.message, "Could not open selected file.");
        EXPECT_EQ(st.title, "Warning");
        EXPECT_TRUE(*s == *before);
    }
    WriteAll(dir / "huge.k2s", std::vector<uint8_t>(5u << 20, 0));
    Status st = ReadBattle(*s, dir / "huge.k2s", NoDefs);
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.message.find("larger than any battle file"), std::string::npos);
    EXPECT_TRUE(*s == *before);
}

// File system calls that fail at one chosen step, as a full disk or a broken medium would.
class FailingOps : public FileOps {
  public:
    enum Step { OpenStep, WriteStep, FlushStep, CloseStep, RenameStep };
    explicit FailingOps(Step step) : step_(step) {}
    std::FILE* Open(const std::filesystem::path& f, const char* mode) override {
        if (step_ == OpenStep) return errno = EACCES, nullptr;
        return FileOps::Open(f, mode);
    }
    std::size_t Write(const uint8_t* d, std::size_t n, std::FILE* f) override {
        // The first chunk goes through, so a partial file exists when the failure comes.
        if (step_ == WriteStep && written_ > 0) return errno = ENOSPC, n / 2;
        written_ += n;
        return FileOps::Write(d, n, f);
    }
    int Flush(std::FILE* f) override {
        if (step_ == FlushStep) return errno = ENOSPC, EOF;
        return FileOps::Flush(f);
    }
    int Close(std::FILE* f) override {
        int r = FileOps::Close(f);
        if (step_ == CloseStep) return errno = EIO, EOF;
        return r;
    }
    bool Rename(const std::filesystem::path& a, const std::filesystem::path& b) override {
        if (step_ == RenameStep) return errno = EXDEV, false;
        return FileOps::Rename(a, b);
    }

  private:
    Step step_;
    std::size_t written_ = 0;
};

// A 150 x 150 battle: large enough for several write chunks.
std::unique_ptr<Scenario> BigBattle() {
    auto s = TinyBattle();
    s->Cols = s->Rows = 150;
    s->HexCount = 22500;
    auto first = s->Hexes;
    s->Hexes.assign(22500, HexCell{});
    std::copy(first.begin(), first.end(), s->Hexes.begin());
    return s;
}

TEST(WriteBattle, AnyFailingStepLeavesThePreviousFileAndTheScenario) {
    using Step = FailingOps::Step;
    struct Case {
        Step step;
        const char* message;
    };
    for (Case c : {Case{Step::OpenStep, "Could not open selected file."},
                   Case{Step::WriteStep, "Could not write selected file (No space left on device)."},
                   Case{Step::FlushStep, "Could not write selected file (No space left on device)."},
                   Case{Step::CloseStep, "Could not write selected file (Input/output error)."},
                   Case{Step::RenameStep, "Could not write selected file (Invalid cross-device link)."}}) {
        SCOPED_TRACE(c.message);
        TempDir dir;
        const std::vector<uint8_t> old = {1, 2, 3};
        WriteAll(dir / "b.k2s", old);
        auto s = BigBattle();
        auto before = std::make_unique<Scenario>(*s);
        FailingOps ops(c.step);
        Status st = WriteBattle(*s, dir / "b.k2s", 140, ops);
        EXPECT_FALSE(st.ok);
        EXPECT_EQ(st.message, c.message);
        EXPECT_EQ(st.title, "Warning");
        EXPECT_EQ(ReadAll(dir / "b.k2s"), old);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"b.k2s"}) << "no temporary file left";
        EXPECT_TRUE(*s == *before) << "SaveCount, TerrainDefCount and the format number included";
    }
}

// Writes go to the real /dev/full: the kernel's "disk full" must be caught by the checks.
class DevFullOps : public FileOps {
  public:
    std::FILE* Open(const std::filesystem::path&, const char*) override {
        return std::fopen("/dev/full", "wb");
    }
};

TEST(WriteBattle, ARealFullDeviceIsReported) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TempDir dir;
    auto s = TinyBattle();
    auto before = std::make_unique<Scenario>(*s);
    DevFullOps ops;
    Status st = WriteBattle(*s, dir / "b.k2s", 2, ops);
    EXPECT_FALSE(st.ok);
    EXPECT_EQ(st.message, "Could not write selected file (No space left on device).");
    EXPECT_FALSE(std::filesystem::exists(dir / "b.k2s"));
    EXPECT_TRUE(*s == *before);
}

TEST(WriteBattle, AFileSizeLimitMidWriteKeepsThePreviousFile) {
    TempDir dir;
    auto s = BigBattle();
    ASSERT_TRUE(WriteBattle(*s, dir / "b.k2s", 2).ok);
    const auto old = ReadAll(dir / "b.k2s");
    auto before = std::make_unique<Scenario>(*s);
    // The process may not grow a file past 100000 bytes: writes beyond fail with EFBIG.
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &small);
    Status st = WriteBattle(*s, dir / "b.k2s", 2);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.message.find("Could not write selected file"), std::string::npos) << st.message;
    EXPECT_EQ(ReadAll(dir / "b.k2s"), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"b.k2s"});
    EXPECT_TRUE(*s == *before);
}

TEST(WriteBattle, UnwritableFolder) {
    auto s = TinyBattle();
    auto before = std::make_unique<Scenario>(*s);
    Status st = WriteBattle(*s, "/nonexistent/dir/b.k2s", 2);
    EXPECT_EQ(st.message, "Could not open selected file.");
    EXPECT_TRUE(*s == *before);
}

TEST(WriteBattle, RefusesWhatTheReaderWouldRefuse) {
    struct Case {
        const char* what;
        std::function<void(Scenario&)> change;
        int32_t symbols;
        const char* reason;
    };
    std::vector<Case> cases = {
        {"value too large", [](Scenario& s) { s.Units[1].Men = 70000; }, 2, "70000 of unit 1"},
        {"value too small", [](Scenario& s) { s.Hexes[1].PrimaryTerrain = -300; }, 2, "-300 of hex 1"},
        {"save count at its limit", [](Scenario& s) { s.SaveCount = 65279; }, 2, "65280"},
        {"terrain set too large", [](Scenario&) {}, 501, "501 symbols"},
        {"negative terrain count", [](Scenario&) {}, -1, "-1 symbols"},
        {"reference past the units", [](Scenario& s) { s.Hexes[0].Unit = 2; }, 2, "hex 0 refers to unit 2"},
        {"unit off the map", [](Scenario& s) { s.Units[1].Hex = 3; }, 2, "unit 1 lies on hex 3"},
        {"grid of the wrong size", [](Scenario& s) { s.Hexes.pop_back(); }, 2, "map grid"},
        {"count beyond the table", [](Scenario& s) { s.UnitCount = 501; }, 2, "record count"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteAll(dir / "b.k2s", {9});
        auto s = TinyBattle();
        c.change(*s);
        auto before = std::make_unique<Scenario>(*s);
        Status st = WriteBattle(*s, dir / "b.k2s", c.symbols);
        EXPECT_FALSE(st.ok);
        EXPECT_NE(st.message.find("Could not write selected file: "), std::string::npos) << st.message;
        EXPECT_NE(st.message.find(c.reason), std::string::npos) << st.message;
        EXPECT_EQ(ReadAll(dir / "b.k2s"), std::vector<uint8_t>{9});
        EXPECT_TRUE(*s == *before);
    }
}

TEST(WriteBattle, ReplacingKeepsThePermissionsOfTheFile) {
    TempDir dir;
    WriteAll(dir / "b.k2s", {1});
    namespace fs = std::filesystem;
    fs::permissions(dir / "b.k2s", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    auto s = TinyBattle();
    ASSERT_TRUE(WriteBattle(*s, dir / "b.k2s", 2).ok);
    EXPECT_EQ(fs::status(dir / "b.k2s").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Every table at its capacity, every text at its limit, values from -256 to 63000.
std::unique_ptr<Scenario> FullBattle() {
    auto s = NewScenario();
    uint32_t seed = 12345;
    auto next = [&seed](int32_t lo, int32_t hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + int32_t((seed >> 8) % uint32_t(hi - lo + 1));
    };
    auto text = [&](std::size_t n) {
        std::string t;
        for (std::size_t i = 0; i < n; ++i)
            t.push_back(char(next(1, 255)));
        return t;
    };
    s->SaveCount = 41;
    s->BattleName = text(29);
    s->BattleIcon = text(31);
    s->MaxTurns = 300;
    s->StartInitiative = 2;
    s->Weather = 5;
    s->WesternBreakPoint = 70;
    s->EasternBreakPoint = 1;
    s->WesternName = text(49);
    s->EasternName = text(49);
    for (auto& line : s->Description)
        line = text(99);
    s->WingCount = MaxWings;
    for (auto& w : s->WingNames)
        w = text(24);
    s->TerrainSetName = text(255);
    s->UnitSetName = text(255);
    s->ScenarioFlagA = 200;
    s->ScenarioFlagB = 3;
    s->ScenarioFlagC = 255;
    s->ViewSaved = 1;
    s->ViewOriginHex = 22499;
    s->ZoomLevel = 1;
    for (auto& m : s->MarkerSymbols)
        m = next(-256, 63000);
    s->Cols = s->Rows = 150;
    s->HexCount = 22500;
    s->Hexes.assign(22500, HexCell{});
    for (HexCell& c : s->Hexes) {
        c.PrimaryTerrain = next(0, 499);
        for (auto& slot : c.SecondaryTerrain)
            slot = next(0, 3) == 0 ? next(-256, 65279) : NoSymbol;
        c.ReinforcementMarker = next(0, 1) ? 29 : 0;
        c.Caltrops = next(0, 1) ? 30 : 0;
        c.Stakes = next(0, 2) ? 0 : 123;
    }
    auto place = [&](int32_t HexCell::*field, int32_t k) {
        for (;;) {
            int32_t h = next(0, 22499);
            if (s->Hexes[h].*field == 0) {
                s->Hexes[h].*field = k;
                return h;
            }
        }
    };
    s->UnitCount = MaxUnits;
    for (int32_t k = 1; k <= MaxUnits; ++k) {
        UnitRecord& u = s->Units[k];
        u.Name = text(27);
        for (int32_t* f : {&u.Symbol,         &u.ActivationTurn,  &u.Side,
                           &u.UnitType,       &u.Class,           &u.Men,
                           &u.Morale,         &u.CombatWeapon,    &u.MissileWeapon,
                           &u.MissileAmmo,    &u.Armour,          &u.Shield,
                           &u.MovementPoints, &u.WingLeader,      &u.CommandRange,
                           &u.CommandRating,  &u.Value,           &u.SupplyLevel,
                           &u.HasStakes,      &u.FerociousAttack, &u.StartsDisrupted})
            *f = next(-256, 65279);
        u.Wing = next(0, MaxWings - 1);
        u.Hex = place(&HexCell::Unit, k);
    }
    s->StructureCount = MaxStructures;
    for (int32_t k = 1; k <= MaxStructures; ++k) {
        StructureRecord& r = s->Structures[k];
        r.Name = text(27);
        for (int32_t* f : {&r.Symbol, &r.Side, &r.SpareA, &r.SupplyLevel, &r.SpareB, &r.Capacity, &r.Height})
            *f = next(0, 63000);
        r.DefenseMod = next(-8, 8);
        r.Hex = place(&HexCell::Structure, k);
    }
    s->ObjectiveCount = MaxObjectives;
    for (int32_t k = 1; k <= MaxObjectives; ++k) {
        ObjectiveRecord& o = s->Objectives[k];
        o.Name = text(27);
        o.ObjectiveKind = next(-256, 100);
        o.VictoryPoints = next(0, 100);
        o.Hex = place(&HexCell::Objective, k);
    }
    s->MapTextCount = MaxMapTexts;
    for (int32_t k = 1; k <= MaxMapTexts; ++k) {
        PlaceName& m = s->MapTexts[k];
        m.Text = text(k % 2 ? 25 : 24);
        m.FontName = text(25);
        m.Colour = uint32_t(next(0, 0xFFFFFF)) | (uint32_t(next(0, 255)) << 24);
        for (auto& b : m.Size)
            b = uint8_t(next(0, 255));
        for (auto& b : m.Placement)
            b = uint8_t(next(1, 8));
        m.Style = uint8_t(next(0, 255));
        m.Hex = place(&HexCell::MapText, k);
    }
    s->TerrainDefCount = MaxTerrainDefs;
    for (auto& d : s->TerrainDefs) {
        d.name = text(27);
        d.elevation = next(0, 3);
        d.costPerMove = next(0, 13);
        d.defenseModifier = next(-8, 8);
        d.spare = next(-256, 65279);
    }
    return s;
}

TEST(RoundTrip, AFullBattleComesBackFieldForField) {
    TempDir dir;
    auto s = FullBattle();
    ASSERT_TRUE(WriteBattle(*s, dir / "full.k2s", MaxTerrainDefs).ok);
    auto back = NewScenario();
    Status st = ReadBattle(*back, dir / "full.k2s", NoDefs);
    ASSERT_TRUE(st.ok) << st.message;
    back->EditorFormatNumber = s->EditorFormatNumber;
    EXPECT_TRUE(*back == *s);
    EXPECT_EQ(back->SaveCount, 42);
    // And once more: what was read writes the same bytes again (apart from the save count).
    auto first = ReadAll(dir / "full.k2s");
    ASSERT_TRUE(WriteBattle(*back, dir / "again.k2s", MaxTerrainDefs).ok);
    auto second = ReadAll(dir / "again.k2s");
    ASSERT_EQ(first.size(), second.size());
    EXPECT_EQ(second[3], first[3] + 1);
    second[3] = first[3];
    EXPECT_TRUE(first == second);
}

TEST(RoundTrip, LegacyWriterAndReaderAgreeOnAFullBattle) {
    TempDir dir;
    auto s = FullBattle();
    ASSERT_TRUE(WriteLegacyBattle(*s, dir / "full.scn").ok);
    auto back = NewScenario();
    Status st = ReadBattle(*back, dir / "full.scn", NoDefs);
    ASSERT_TRUE(st.ok) << st.message;
    EXPECT_EQ(back->UnitCount, MaxUnits);
    EXPECT_EQ(back->Units[MaxUnits].Name, s->Units[MaxUnits].Name);
    EXPECT_EQ(back->Units[MaxUnits].SupplyLevel, s->Units[MaxUnits].SupplyLevel);
    EXPECT_EQ(back->MapTexts[MaxMapTexts], s->MapTexts[MaxMapTexts]);
    EXPECT_EQ(back->TerrainSetName, "k2t");
    EXPECT_EQ(back->Hexes[150 * 75 + 75].SecondaryTerrain[1], NoSymbol);
}

} // namespace
