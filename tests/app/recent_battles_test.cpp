#include "app/recent_battles.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class RecentBattlesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("k2_recent_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string MakeBattle(const std::string& name) {
        const fs::path p = dir_ / name;
        std::ofstream(p) << "battle";
        return p.string();
    }
    void WriteList(const std::string& bytes) {
        std::ofstream out(dir_ / "battle.lst", std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string ListBytes() {
        std::ifstream in(dir_ / "battle.lst", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir_;
};

TEST_F(RecentBattlesTest, MissingFileGivesAnEmptyList) {
    k2::RecentBattles list(dir_ / "battle.lst");
    list.Read();
    EXPECT_THAT(list.Entries(), IsEmpty());
}

TEST_F(RecentBattlesTest, ReadsCountByteAndZeroTerminatedPaths) {
    const std::string a = MakeBattle("a.k2s"), b = MakeBattle("b.k2s");
    WriteList(std::string("\x02", 1) + a + '\0' + b + '\0');
    k2::RecentBattles list(dir_ / "battle.lst");
    list.Read();
    EXPECT_THAT(list.Entries(), ElementsAre(a, b));
}

TEST_F(RecentBattlesTest, DropsEntriesWhoseFileHasGoneWithoutRewritingTheFile) {
    const std::string a = MakeBattle("a.k2s"), c = MakeBattle("c.k2s");
    const std::string gone = (dir_ / "gone.k2s").string();
    const std::string bytes = std::string("\x03", 1) + a + '\0' + gone + '\0' + c + '\0';
    WriteList(bytes);
    k2::RecentBattles list(dir_ / "battle.lst");
    list.Read();
    EXPECT_THAT(list.Entries(), ElementsAre(a, c));
    EXPECT_EQ(ListBytes(), bytes);
}

TEST_F(RecentBattlesTest, MoreThanFiveEntriesAreCutToFive) {
    std::string bytes(1, '\x07');
    std::vector<std::string> all;
    for (int i = 0; i < 7; ++i) {
        all.push_back(MakeBattle("b" + std::to_string(i) + ".k2s"));
        bytes += all.back() + '\0';
    }
    WriteList(bytes);
    k2::RecentBattles list(dir_ / "battle.lst");
    list.Read();
    EXPECT_THAT(list.Entries(), ElementsAre(all[0], all[1], all[2], all[3], all[4]));
}

TEST_F(RecentBattlesTest, DamagedFilesKeepOnlyTheEntriesBeforeTheDamage) {
    const std::string a = MakeBattle("a.k2s");
    struct Case {
        const char* what;
        std::string bytes;
        size_t expected;
    } cases[] = {
        {"count larger than the entries", std::string("\x04", 1) + a + '\0', 1},
        {"last entry without terminator", std::string("\x02", 1) + a + '\0' + a, 1},
        {"entry longer than any path", std::string("\x02", 1) + a + '\0' + std::string(400, 'x') + '\0', 1},
        {"count zero", std::string("\x00", 1) + a + '\0', 0},
        {"empty file", std::string(), 0},
    };
    for (const Case& c : cases) {
        WriteList(c.bytes);
        k2::RecentBattles list(dir_ / "battle.lst");
        list.Read();
        EXPECT_EQ(list.Entries().size(), c.expected) << c.what;
    }
}

TEST_F(RecentBattlesTest, AddPutsNewestFirstKeepsFiveAndIgnoresDuplicates) {
    k2::RecentBattles list(dir_ / "battle.lst");
    list.Read();
    std::vector<std::string> b;
    for (int i = 0; i < 6; ++i)
        b.push_back(MakeBattle("s" + std::to_string(i) + ".k2s"));
    for (const std::string& p : b)
        ASSERT_TRUE(list.Add(p).ok);
    EXPECT_THAT(list.Entries(), ElementsAre(b[5], b[4], b[3], b[2], b[1]));

    // A path already listed stays where it is.
    ASSERT_TRUE(list.Add(b[3]).ok);
    EXPECT_THAT(list.Entries(), ElementsAre(b[5], b[4], b[3], b[2], b[1]));

    // The file holds exactly what the list shows, and a fresh reader sees the same.
    EXPECT_EQ(ListBytes(), k2::RecentBattles::Encode(list.Entries()));
    EXPECT_EQ(static_cast<unsigned char>(ListBytes()[0]), 5u);
    k2::RecentBattles again(dir_ / "battle.lst");
    again.Read();
    EXPECT_EQ(again.Entries(), list.Entries());
    EXPECT_FALSE(fs::exists(dir_ / "battle.lst.tmp"));
}

TEST_F(RecentBattlesTest, AddRefusesOverlongPathsAndReportsAnUnwritableList) {
    k2::RecentBattles list(dir_ / "battle.lst");
    EXPECT_FALSE(list.Add(std::string(256, 'p')).ok);
    EXPECT_THAT(list.Entries(), IsEmpty());

    k2::RecentBattles nowhere(dir_ / "missing-dir" / "battle.lst");
    const std::string a = MakeBattle("a.k2s");
    EXPECT_FALSE(nowhere.Add(a).ok);
    EXPECT_THAT(nowhere.Entries(), ElementsAre(a));
}

TEST(RecentBattlesCodec, EncodeAndDecodeAreInverse) {
    const std::vector<std::string> entries = {"/x/one.k2s", "/y/\xe9t\xe9.k2s", "/z/three.k2s"};
    const std::string bytes = k2::RecentBattles::Encode(entries);
    EXPECT_EQ(bytes.size(), 1 + entries[0].size() + entries[1].size() + entries[2].size() + 3);
    EXPECT_EQ(k2::RecentBattles::Decode(bytes), entries);
}

} // namespace
