#include "graphics/symbol_set.h"

#include "synthetic_symbols.h"

#include <QFile>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <fstream>

using namespace k2;
using namespace k2test;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SymbolSetLoad : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        root = tmp.path().toStdString();
        terrain = RendererTerrain();
        units = RendererUnits();
        WriteSets(root, "TST", terrain, "TSU", units);
    }
    std::filesystem::path Scen(const std::string& name) const { return root / "scenarios" / name; }
    Status Load(SymbolSet& set, const std::string& t = "TST", const std::string& u = "TSU") {
        progress.clear();
        return LoadSymbolSet(set, root, t, u, [this](int p) { progress.push_back(p); });
    }
    // A set loaded from the good files, to see that failures leave it alone.
    void LoadGood(SymbolSet& set) { ASSERT_TRUE(Load(set)); }

    QTemporaryDir tmp;
    std::filesystem::path root;
    SyntheticSet terrain;
    SyntheticSet units;
    std::vector<int> progress;
};

TEST_F(SymbolSetLoad, LoadsTablesBitmapsMasksAndCellSizes) {
    SymbolSet set;
    const Status s = Load(set);
    ASSERT_TRUE(s) << s.message;
    EXPECT_EQ(set.TerrainCount(), int32_t(terrain.symbols.size()));
    EXPECT_EQ(set.UnitCount(), 3);
    EXPECT_EQ(set.Terrain(4).Name, "4 Caltrops");
    EXPECT_EQ(set.Terrain(10).Masked, 0);
    EXPECT_EQ(set.Unit(2).Cells[1], (SymbolCell{20, 0, 39, 19}));
    EXPECT_EQ(set.TerrainFlags(), (std::array<uint8_t, 3>{7, 8, 9}));
    EXPECT_EQ(set.TerrainSizes()[1][0], 102u);
    EXPECT_EQ(set.UnitSizes()[2][1], 205u);
    for (int z = 0; z < 3; ++z) {
        EXPECT_EQ(set.CellSize(z), SyntheticCell[size_t(z)]);
        const QImage& bmp = set.TerrainBitmap(z);
        ASSERT_EQ(bmp.format(), QImage::Format_RGB16);
        ASSERT_EQ(set.TerrainMask(z).format(), QImage::Format_RGB16);
        ASSERT_EQ(set.UnitMask(z).format(), QImage::Format_RGB16);
        const int32_t s = SyntheticCell[size_t(z)];
        // Symbol 1 is solid red; symbol 11 has a transparent centre.
        const int32_t red = terrain.LeftAt(1, z) + s / 2;
        const int32_t holed = terrain.LeftAt(11, z);
        EXPECT_EQ(reinterpret_cast<const uint16_t*>(bmp.constScanLine(s / 2))[red], 0xF800);
        EXPECT_EQ(reinterpret_cast<const uint16_t*>(set.TerrainMask(z).constScanLine(s / 2))[red], 0);
        EXPECT_EQ(reinterpret_cast<const uint16_t*>(set.TerrainMask(z).constScanLine(s / 2))[holed + s / 2],
                  0xFFFF);
        EXPECT_EQ(reinterpret_cast<const uint16_t*>(set.TerrainMask(z).constScanLine(0))[holed], 0);
        EXPECT_EQ(set.UnitBitmap(z).size(), units.Bitmap(z).size());
    }
    // Ten steps, capped at the bar's end.
    EXPECT_THAT(progress, ElementsAre(20, 30, 40, 50, 60, 70, 80, 90, 100, 100, 100));
}

TEST_F(SymbolSetLoad, WithoutListOrderFilesPlacesFollowFileOrder) {
    SymbolSet set;
    ASSERT_TRUE(Load(set));
    ASSERT_EQ(set.TerrainListOrder().size(), terrain.symbols.size());
    for (int32_t k = 0; k < set.TerrainCount(); ++k) {
        EXPECT_EQ(set.TerrainListOrder()[size_t(k)], k + 1);
        EXPECT_EQ(set.TerrainAtPlace(k), k);
    }
    EXPECT_THAT(set.UnitListOrder(), ElementsAre(1, 2, 3));
}

TEST_F(SymbolSetLoad, ListOrderOutOfRangeOrMalformedFallsBackToNaturalOrder) {
    std::string lines;
    const std::vector<std::string> numbers = {"3", "0", "99999", "x7", "16", " 2 ", "1"};
    for (const auto& n : numbers)
        lines += n + "\r\n";
    WriteText(Scen("TST.sdx"), lines); // 15 symbols, only 7 lines
    SymbolSet set;
    ASSERT_TRUE(Load(set));
    const auto& order = set.TerrainListOrder();
    EXPECT_THAT(std::vector<int32_t>(order.begin(), order.begin() + 8), ElementsAre(3, 2, 3, 4, 5, 2, 1, 8));
    EXPECT_EQ(order.back(), 15);
}

TEST_F(SymbolSetLoad, FindsFilesWhateverTheCaseTheBattleUses) {
    SymbolSet set;
    const Status s = Load(set, "tst", "tsu");
    ASSERT_TRUE(s) << s.message;
    EXPECT_EQ(set.TerrainCount(), int32_t(terrain.symbols.size()));
    // The mask cache is named like the bitmaps it belongs to.
    EXPECT_TRUE(std::filesystem::exists(Scen("TST-x1.bmp")));
}

TEST_F(SymbolSetLoad, MaskCacheIsWrittenOnceAndReadBackIdentical) {
    for (int n = 1; n <= 3; ++n)
        ASSERT_FALSE(std::filesystem::exists(Scen("TST-x" + std::to_string(n) + ".bmp")));
    SymbolSet first;
    ASSERT_TRUE(Load(first));
    std::vector<std::vector<uint8_t>> cached;
    for (int n = 1; n <= 3; ++n) {
        const auto file = Scen("TST-x" + std::to_string(n) + ".bmp");
        ASSERT_TRUE(std::filesystem::exists(file));
        cached.push_back(ReadAll(file));
    }
    SymbolSet second;
    ASSERT_TRUE(Load(second));
    for (int z = 0; z < 3; ++z) {
        EXPECT_EQ(second.TerrainMask(z), first.TerrainMask(z)) << "zoom " << z;
        EXPECT_EQ(ReadAll(Scen("TST-x" + std::to_string(z + 1) + ".bmp")), cached[size_t(z)]);
    }
    // The second load really reads the cache: an all-opaque cache gives an all-zero mask.
    QImage black(first.TerrainMask(0).size(), QImage::Format_RGB16);
    black.fill(0);
    SaveBmp(black, Scen("TST-x1.bmp"));
    SymbolSet third;
    ASSERT_TRUE(Load(third));
    EXPECT_EQ(third.TerrainMask(0), black);
    EXPECT_EQ(third.TerrainMask(1), first.TerrainMask(1));
}

TEST_F(SymbolSetLoad, StaleMaskCacheOfAnotherSizeIsComputedAgain) {
    QImage wrong(3, 3, QImage::Format_RGB16);
    wrong.fill(0);
    SaveBmp(wrong, Scen("TST-x2.bmp"));
    SymbolSet set;
    ASSERT_TRUE(Load(set));
    EXPECT_EQ(set.TerrainMask(1).size(), set.TerrainBitmap(1).size());
    EXPECT_EQ(QImage(QString::fromStdString(Scen("TST-x2.bmp").string())).size(),
              set.TerrainBitmap(1).size());
}

TEST_F(SymbolSetLoad, UnitCountZeroLoadsNoUnitBitmaps) {
    WriteBytes(Scen("NONE.set"), EncodeSymbolFile({}, {}));
    SymbolSet set;
    const Status s = Load(set, "TST", "NONE");
    ASSERT_TRUE(s) << s.message;
    EXPECT_EQ(set.UnitCount(), 0);
    EXPECT_TRUE(set.UnitBitmap(0).isNull());
    EXPECT_TRUE(set.UnitListOrder().empty());
    // Step 5 still advances, but no per-level steps follow.
    EXPECT_THAT(progress, ElementsAre(20, 30, 40, 50, 60, 70, 80, 100));
}

TEST_F(SymbolSetLoad, SetFileTerrainSectionIsSkippedEntryByEntry) {
    // Three terrain entries of different name lengths, one of them 25 characters long.
    std::vector<SymbolEntry> skipped(3);
    skipped[0].Name = "a";
    skipped[1].Name = "1234567890123456789012345";
    skipped[1].Masked = 513;
    skipped[2].Name = "";
    WriteBytes(Scen("SKIP.set"), EncodeSymbolFile(skipped, units.Entries()));
    WriteText(Scen("SKIP.sdx"), "9\n9\n9\n3\n1\n2\n");
    for (int z = 0; z < 3; ++z)
        SaveBmp(units.Bitmap(z), Scen("SKIP-u" + std::to_string(z + 1) + ".bmp"));
    SymbolSet set;
    const Status s = Load(set, "TST", "SKIP");
    ASSERT_TRUE(s) << s.message;
    EXPECT_EQ(set.UnitFileTerrainCount(), 3);
    ASSERT_EQ(set.UnitCount(), 3);
    EXPECT_EQ(set.Unit(0).Name, "Small");
    EXPECT_EQ(set.Unit(2).Cells[2], (SymbolCell{30, 0, 59, 29}));
    EXPECT_THAT(set.UnitListOrder(), ElementsAre(3, 1, 2));
}

TEST(SymbolSetParse, NameOfTwentyFiveCharactersHasNoTerminator) {
    std::vector<SymbolEntry> entries(2);
    entries[0].Name = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    entries[0].Masked = 0x0102;
    entries[0].Cells[2] = {1, 2, 3, 4};
    entries[1].Name = "short";
    entries[1].Masked = 0;
    const auto bytes = EncodeSymbolFile(entries, {});
    // 25 name bytes, no zero, then the flag.
    const size_t first = 82;
    EXPECT_EQ(bytes[first + 24], 'Y');
    EXPECT_EQ(bytes[first + 25], 0x01);
    SymbolFileContents c;
    ASSERT_TRUE(ParseSymbolSetFile(bytes, SymbolFileKind::Terrain, c));
    ASSERT_EQ(c.Entries.size(), 2u);
    EXPECT_EQ(c.Entries[0].Name, "ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(c.Entries[0].Masked, 0x0102);
    EXPECT_EQ(c.Entries[0].Cells[2], (SymbolCell{1, 2, 3, 4}));
    EXPECT_EQ(c.Entries[1].Name, "short");
}

TEST(SymbolSetParse, EveryTruncationIsRefused) {
    std::vector<SymbolEntry> entries(2);
    entries[0].Name = "one";
    entries[1].Name = "two";
    for (auto kind : {SymbolFileKind::Terrain, SymbolFileKind::Unit}) {
        const auto bytes =
            kind == SymbolFileKind::Terrain ? EncodeSymbolFile(entries, {}) : EncodeSymbolFile({}, entries);
        SymbolFileContents c;
        ASSERT_TRUE(ParseSymbolSetFile(bytes, kind, c));
        for (size_t n = 0; n < bytes.size(); ++n) {
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(n));
            const Status s = ParseSymbolSetFile(cut, kind, c);
            EXPECT_FALSE(s) << n;
            if (n > 0) {
                EXPECT_THAT(s.message, HasSubstr("ends early")) << n;
            }
        }
    }
}

// Each refusal: the detail first, then the message of the step, and the old set unchanged.
struct Refusal {
    const char* name;
    std::function<void(SymbolSetLoad&)> damage;
    const char* detail;
    const char* message;
};

class SymbolSetRefusal : public SymbolSetLoad, public ::testing::WithParamInterface<int> {};

std::vector<SymbolEntry> WithCell(std::vector<SymbolEntry> entries, size_t i, int z, SymbolCell c) {
    entries[i].Cells[size_t(z)] = c;
    return entries;
}

const std::vector<Refusal>& Refusals() {
    static const std::vector<Refusal> all = {
        {"ter missing", [](SymbolSetLoad& t) { std::filesystem::remove(t.Scen("TST.ter")); },
         "Could not open Terrain files.", "SET File Load Error."},
        {"set missing", [](SymbolSetLoad& t) { std::filesystem::remove(t.Scen("TSU.set")); },
         "Cannot open the symbol SET file.", "SET File Load Error."},
        {"ter magic 251",
         [](SymbolSetLoad& t) {
             WriteBytes(t.Scen("TST.ter"), EncodeSymbolFile(t.terrain.Entries(), {}, 251));
         },
         "Unknown Symbol Set Format.", "SET File Load Error."},
        {"set magic 251",
         [](SymbolSetLoad& t) {
             WriteBytes(t.Scen("TSU.set"), EncodeSymbolFile({}, t.units.Entries(), 251));
         },
         "Unknown Symbol Set Format.", "SET File Load Error."},
        {"ter ends early",
         [](SymbolSetLoad& t) {
             auto b = EncodeSymbolFile(t.terrain.Entries(), {});
             b.resize(b.size() - 3);
             WriteBytes(t.Scen("TST.ter"), b);
         },
         "ends early", "SET File Load Error."},
        {"set ends early",
         [](SymbolSetLoad& t) {
             WriteBytes(t.Scen("TSU.set"), EncodeSymbolFile({}, t.units.Entries(), 252, -1, 4));
         },
         "ends early", "SET File Load Error."},
        {"501 terrain symbols",
         [](SymbolSetLoad& t) {
             std::vector<SymbolEntry> many(501, t.terrain.Entries()[0]);
             WriteBytes(t.Scen("TST.ter"), EncodeSymbolFile(many, {}));
         },
         "at most 500", "SET File Load Error."},
        {"2001 unit symbols",
         [](SymbolSetLoad& t) {
             std::vector<SymbolEntry> many(2001, t.units.Entries()[0]);
             WriteBytes(t.Scen("TSU.set"), EncodeSymbolFile({}, many));
         },
         "at most 2000", "SET File Load Error."},
        {"no terrain symbols",
         [](SymbolSetLoad& t) { WriteBytes(t.Scen("TST.ter"), EncodeSymbolFile({}, {})); },
         "holds no symbols", "SET File Load Error."},
        {"set name with a path",
         [](SymbolSetLoad& t) { WriteSets(t.root, "../evil", t.terrain, "TSU", t.units); },
         "Could not open Terrain files.", "SET File Load Error."},
        {"terrain bitmap missing", [](SymbolSetLoad& t) { std::filesystem::remove(t.Scen("TST-t2.bmp")); },
         "Could not read the terrain bitmap TST-t2.bmp.", "Terrain File Load Error."},
        {"terrain bitmap unreadable",
         [](SymbolSetLoad& t) { WriteText(t.Scen("TST-t1.bmp"), "BM not really"); },
         "Could not read the terrain bitmap TST-t1.bmp.", "Terrain File Load Error."},
        {"terrain cell outside its bitmap",
         [](SymbolSetLoad& t) {
             WriteBytes(t.Scen("TST.ter"),
                        EncodeSymbolFile(WithCell(t.terrain.Entries(), 3, 2, {0, 0, 29, 30}), {}));
         },
         "Terrain symbol 3 lies outside the bitmap TST-t3.bmp.", "Terrain File Load Error."},
        {"terrain cell at a negative place",
         [](SymbolSetLoad& t) {
             WriteBytes(t.Scen("TST.ter"),
                        EncodeSymbolFile(WithCell(t.terrain.Entries(), 5, 0, {-1, 0, 8, 9}), {}));
         },
         "Terrain symbol 5 lies outside", "Terrain File Load Error."},
        {"terrain square reaching past the bitmap",
         [](SymbolSetLoad& t) {
             const int32_t w = t.terrain.LeftAt(t.terrain.symbols.size(), 0);
             WriteBytes(t.Scen("TST.ter"),
                        EncodeSymbolFile(WithCell(t.terrain.Entries(), 7, 0, {w - 4, 0, w - 1, 3}), {}));
         },
         "Terrain symbol 7 lies outside the bitmap TST-t1.bmp.", "Terrain File Load Error."},
        {"cell size too small for a hex",
         [](SymbolSetLoad& t) {
             WriteBytes(t.Scen("TST.ter"),
                        EncodeSymbolFile(WithCell(t.terrain.Entries(), 0, 1, {0, 0, 1, 1}), {}));
         },
         "too small", "Terrain File Load Error."},
        {"unit bitmap missing", [](SymbolSetLoad& t) { std::filesystem::remove(t.Scen("TSU-u3.bmp")); },
         "Could not read the unit bitmap TSU-u3.bmp.", "Unit File Load Error."},
        {"unit cell outside its bitmap",
         [](SymbolSetLoad& t) {
             WriteBytes(t.Scen("TSU.set"),
                        EncodeSymbolFile({}, WithCell(t.units.Entries(), 1, 1, {0, 0, 1000, 5})));
         },
         "Unit symbol 1 lies outside the bitmap TSU-u2.bmp.", "Unit File Load Error."},
        {"unit cell upside down",
         [](SymbolSetLoad& t) {
             WriteBytes(t.Scen("TSU.set"),
                        EncodeSymbolFile({}, WithCell(t.units.Entries(), 2, 0, {5, 5, 4, 9})));
         },
         "Unit symbol 2 lies outside", "Unit File Load Error."},
    };
    return all;
}

TEST_P(SymbolSetRefusal, IsRefusedWithItsMessagesAndKeepsThePreviousSet) {
    const Refusal& r = Refusals()[size_t(GetParam())];
    SCOPED_TRACE(r.name);
    SymbolSet set;
    LoadGood(set);
    const SymbolEntry before = set.Terrain(1);
    const QImage mask = set.TerrainMask(2);
    r.damage(*this);
    const std::string terrainName = std::string(r.name) == "set name with a path" ? "../evil" : "TST";
    const Status s = Load(set, terrainName, "TSU");
    ASSERT_FALSE(s);
    EXPECT_EQ(s.message, r.message);
    EXPECT_EQ(s.title, "Warning");
    ASSERT_FALSE(s.warnings.empty());
    EXPECT_THAT(s.warnings.back(), HasSubstr(r.detail));
    EXPECT_EQ(set.TerrainCount(), int32_t(terrain.symbols.size()));
    EXPECT_EQ(set.UnitCount(), 3);
    EXPECT_EQ(set.Terrain(1), before);
    EXPECT_EQ(set.TerrainMask(2), mask);
    EXPECT_EQ(set.CellSize(2), 30);
}

INSTANTIATE_TEST_SUITE_P(AllRefusals, SymbolSetRefusal, ::testing::Range(0, int(Refusals().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string n = Refusals()[size_t(info.param)].name;
                             for (auto& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

} // namespace
