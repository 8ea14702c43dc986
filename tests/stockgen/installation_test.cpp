// The rest of the installation (sounds, help) and the generator as a whole: reproducible output
// and a clear failure when it cannot write.
#include "stock_file_readers.h"

#include "stockgen/help_document.h"
#include "stockgen/stock_generator.h"

#include <QTemporaryDir>
#include <fstream>
#include <gmock/gmock.h>
#include <map>
#include <set>

namespace {

using namespace stocktest;
namespace fs = std::filesystem;

TEST(StockSounds, EveryNumberedSoundIsAShortSixteenBitMonoPcmWave) {
    std::vector<std::string> names = {"k2.wav", "k236.wav"};
    for (int n = 0; n <= 13; ++n)
        names.push_back("k2" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".wav");
    std::map<std::string, std::string> contents;
    for (const std::string& name : names) {
        const std::string bytes = ReadBytes(StockDir() / "sounds" / name);
        const auto wav = ParseWav(bytes);
        ASSERT_TRUE(wav.has_value()) << name << " is not a plain PCM wave file";
        EXPECT_EQ(wav->format, 1) << name;
        EXPECT_EQ(wav->channels, 1) << name;
        EXPECT_EQ(wav->bits, 16) << name;
        const double seconds = wav->dataBytes / 2.0 / wav->rate;
        EXPECT_GE(seconds, 0.05) << name;
        EXPECT_LE(seconds, 0.6) << name;
        for (const auto& [other, data] : contents)
            EXPECT_NE(data, bytes) << name << " sounds like " << other;
        contents[name] = bytes;
    }
}

TEST(StockHelp, HasAnAnchoredSectionForEveryCommandAndAnIndexLeadingToThem) {
    const std::string html = ReadBytes(StockDir() / "tkx2.hlp");
    ASSERT_FALSE(html.empty());
    std::set<std::string> ids;
    for (size_t at = html.find("id=\""); at != std::string::npos; at = html.find("id=\"", at + 1)) {
        const size_t from = at + 4, to = html.find('"', from);
        ASSERT_NE(to, std::string::npos);
        ids.insert(html.substr(from, to - from));
    }
    for (const char* section :
         {"open-battle", "new-battle", "save-battle", "save-battle-as", "recent-battles", "exit",
          "battle-settings", "preferences", "terrain", "units", "special-hexes", "map-text", "information",
          "help-menu", "keyboard-mouse", "index"})
        EXPECT_TRUE(ids.count(section)) << "no section " << section;
    for (const auto& k : k2stock::HelpKeywords()) {
        EXPECT_TRUE(ids.count(k.anchor)) << k.keyword << " leads nowhere";
        EXPECT_THAT(html, ::testing::HasSubstr("<a href=\"#" + k.anchor + "\">" + k.keyword + "</a>"));
    }
    for (const char* caption :
         {"Open Battle", "Create New Battle", "Save Battle As...", "Exit", "Map Overlay"})
        EXPECT_THAT(html, ::testing::HasSubstr(caption));
    EXPECT_LT(html.find("id=\"keyboard-mouse\""), html.find("id=\"index\"")) << "the index comes last";
}

std::map<std::string, std::string> ReadTree(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const std::string ext = entry.path().extension().string();
        if (ext == ".k2s" || ext == ".scn") continue; // the sample battles are not this generator's
        files[fs::relative(entry.path(), root).string()] = ReadBytes(entry.path());
    }
    return files;
}

TEST(StockGenerator, WritesTheSameBytesOnEveryRun) {
    QTemporaryDir first, second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    const fs::path a = fs::path(first.path().toStdString()) / "install";
    const fs::path b = fs::path(second.path().toStdString()) / "install";
    std::string error;
    ASSERT_TRUE(k2stock::GenerateStockInstallation(a, error)) << error;
    ASSERT_TRUE(k2stock::GenerateStockInstallation(b, error)) << error;
    const auto filesA = ReadTree(a), filesB = ReadTree(b);
    EXPECT_GT(filesA.size(), 30u);
    ASSERT_EQ(filesA.size(), filesB.size());
    for (const auto& [name, bytes] : filesA)
        EXPECT_TRUE(bytes == filesB.at(name)) << name << " differs";
    EXPECT_TRUE(fs::exists(fs::path(first.path().toStdString()) / "stock-contact-sheet.png"));
    // And the build's installation came from the same code.
    for (const char* name :
         {"scenarios/K2T.ter", "scenarios/K2T-t2.bmp", "sysdefs/K2Ter.Def", "sounds/k211.wav"})
        EXPECT_TRUE(filesA.at(name) == ReadBytes(StockDir() / name)) << name;
}

TEST(StockGenerator, ReportsADirectoryItCannotCreate) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path blocker = fs::path(dir.path().toStdString()) / "file";
    std::ofstream(blocker) << "not a directory";
    std::string error;
    EXPECT_FALSE(k2stock::GenerateStockInstallation(blocker / "install", error));
    EXPECT_THAT(error, ::testing::HasSubstr("Could not create directory"));
}

TEST(StockGenerator, PutsTheContactSheetBesideTheInstallation) {
    EXPECT_EQ(k2stock::ContactSheetPath("/a/b/install"), fs::path("/a/b/stock-contact-sheet.png"));
    EXPECT_EQ(k2stock::ContactSheetPath("/a/b/install/"), fs::path("/a/b/stock-contact-sheet.png"));
}

} // namespace
