// Finding the installation, and keeping the user's own copy in step with the packaged stock
// installation without ever overwriting what the user changed.
#include "core/install_locator.h"

#include <gmock/gmock.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace k2 {
namespace {
namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ScratchDir {
  public:
    ScratchDir()
        : root_(fs::temp_directory_path() / ("k2_locator_" + std::to_string(std::random_device{}()))) {
        fs::create_directories(root_);
    }
    ~ScratchDir() { fs::remove_all(root_); }
    const fs::path& Root() const { return root_; }

    // Writes `text` and moves the file's time on, so that each write is a visible change even
    // within one tick of the file system's clock.
    void Write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        fs::last_write_time(file, fs::file_time_type::clock::now() + std::chrono::seconds(++tick_));
    }
    void MakeInstallation(const fs::path& dir) {
        Write(dir / "sysdefs" / "K2Ter.Def", "definitions");
        Write(dir / "scenarios" / "K2T-t1.bmp", "terrain pictures");
        Write(dir / "scenarios" / "Border Skirmish.k2s", "a battle");
        Write(dir / "tkx2.hlp", "help");
    }

  private:
    fs::path root_;
    int tick_ = 0;
};

TEST(InstallLocator, AnInstallationHasItsDefinitionsAndBattlesFolder) {
    struct Case {
        const char* name;
        std::vector<std::string> files; // relative; a trailing "/" makes a folder
        bool holds;
    };
    const Case cases[] = {
        {"complete", {"sysdefs/K2Ter.Def", "scenarios/"}, true},
        {"definitions spelt in another case", {"sysdefs/k2ter.def", "scenarios/"}, true},
        {"no battles folder", {"sysdefs/K2Ter.Def"}, false},
        {"no terrain definitions", {"sysdefs/MWEAP.DEF", "scenarios/"}, false},
        {"definitions folder is a file", {"sysdefs", "scenarios/"}, false},
        {"empty", {}, false},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        for (const std::string& f : c.files) {
            if (f.ends_with('/'))
                fs::create_directories(dir.Root() / f);
            else
                dir.Write(dir.Root() / f, "x");
        }
        EXPECT_EQ(HoldsInstallation(dir.Root()), c.holds) << c.name;
    }
}

TEST(InstallLocator, StockLiesBesideTheProgramsFolder) {
    EXPECT_EQ(PackagedStockDir("/usr/bin/keldmar2-editor"), fs::path("/usr/share/keldmar2"));
    EXPECT_EQ(PackagedStockDir("/tmp/root/usr/bin/k2tool"), fs::path("/tmp/root/usr/share/keldmar2"));
    EXPECT_EQ(PackagedStockDir("/opt/k2/bin/../bin/k2tool"), fs::path("/opt/k2/share/keldmar2"));
    EXPECT_FALSE(RunningExecutable().empty());
}

TEST(InstallLocator, FirstSyncCopiesTheWholeStockInstallation) {
    ScratchDir dir;
    const fs::path stock = dir.Root() / "stock", user = dir.Root() / "home" / "install";
    dir.MakeInstallation(stock);
    const StockSyncReport first = SyncUserInstallation(stock, user);
    ASSERT_TRUE(first.status) << first.status.message;
    EXPECT_EQ(first.copied, 4);
    EXPECT_TRUE(HoldsInstallation(user));
    EXPECT_EQ(Read(user / "scenarios" / "Border Skirmish.k2s"), "a battle");
    EXPECT_TRUE(fs::exists(user / StockRecordName));
    for (auto it = fs::recursive_directory_iterator(user); it != fs::recursive_directory_iterator(); ++it)
        EXPECT_FALSE(it->path().string().ends_with(".part")) << it->path();

    // Nothing changed on either side: nothing to do, and the record stays as it was.
    const auto recordTime = fs::last_write_time(user / StockRecordName);
    const StockSyncReport again = SyncUserInstallation(stock, user);
    EXPECT_TRUE(again.status);
    EXPECT_EQ(again.copied + again.updated + again.kept, 0);
    EXPECT_EQ(fs::last_write_time(user / StockRecordName), recordTime);
}

// After a first sync, a change on one side or both, then the sync of the next start.
TEST(InstallLocator, LaterSyncsUpdateStockFilesButKeepTheUsers) {
    using Change = std::function<void(ScratchDir&, const fs::path& stock, const fs::path& user)>;
    struct Case {
        const char* name;
        Change change;
        std::string expectedDefs; // the user's K2Ter.Def afterwards
        int copied, updated, kept;
    };
    const fs::path defs = fs::path("sysdefs") / "K2Ter.Def";
    const Case cases[] = {
        {"a newer stock file replaces the untouched copy",
         [&](ScratchDir& d, const fs::path& s, const fs::path&) { d.Write(s / defs, "definitions v2"); },
         "definitions v2", 0, 1, 0},
        {"a same-sized newer stock file too",
         [&](ScratchDir& d, const fs::path& s, const fs::path&) { d.Write(s / defs, "DEFINITIONS"); },
         "DEFINITIONS", 0, 1, 0},
        {"the user's change stays",
         [&](ScratchDir& d, const fs::path&, const fs::path& u) { d.Write(u / defs, "mine"); }, "mine", 0, 0,
         1},
        {"the user's change stays when the stock file changes too",
         [&](ScratchDir& d, const fs::path& s, const fs::path& u) {
             d.Write(u / defs, "mine");
             d.Write(s / defs, "definitions v2");
         },
         "mine", 0, 0, 1},
        {"a deleted file comes back from the stock",
         [&](ScratchDir&, const fs::path&, const fs::path& u) { fs::remove(u / defs); }, "definitions", 1, 0,
         0},
        {"a file saved back as the stock one is the stock's again",
         [&](ScratchDir& d, const fs::path& s, const fs::path& u) {
             d.Write(u / defs, "definitions v2");
             d.Write(s / defs, "definitions v2");
         },
         "definitions v2", 0, 0, 0},
        {"a new stock file is added",
         [&](ScratchDir& d, const fs::path& s, const fs::path&) {
             d.Write(s / "sounds" / "k200.wav", "ding");
         },
         "definitions", 1, 0, 0},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const fs::path stock = dir.Root() / "stock", user = dir.Root() / "user";
        dir.MakeInstallation(stock);
        ASSERT_TRUE(SyncUserInstallation(stock, user).status);
        dir.Write(user / "battle.lst", "my recent battles");
        c.change(dir, stock, user);
        const StockSyncReport report = SyncUserInstallation(stock, user);
        EXPECT_TRUE(report.status) << c.name << ": " << report.status.message;
        EXPECT_EQ(Read(user / defs), c.expectedDefs) << c.name;
        EXPECT_EQ(report.copied, c.copied) << c.name;
        EXPECT_EQ(report.updated, c.updated) << c.name;
        EXPECT_EQ(report.kept, c.kept) << c.name;
        EXPECT_EQ(Read(user / "battle.lst"), "my recent battles") << c.name;
    }
}

TEST(InstallLocator, AChangedFileOutlastsSeveralPackageVersions) {
    ScratchDir dir;
    const fs::path stock = dir.Root() / "stock", user = dir.Root() / "user";
    const fs::path defs = fs::path("sysdefs") / "K2Ter.Def";
    dir.MakeInstallation(stock);
    ASSERT_TRUE(SyncUserInstallation(stock, user).status);
    dir.Write(user / defs, "mine");
    for (const char* version : {"v2", "v3"}) {
        dir.Write(stock / defs, version);
        EXPECT_EQ(SyncUserInstallation(stock, user).kept, 1) << version;
        EXPECT_EQ(Read(user / defs), "mine") << version;
    }
    // Deleting it is how the user gets the stock file back; later versions then update it again.
    fs::remove(user / defs);
    EXPECT_EQ(SyncUserInstallation(stock, user).copied, 1);
    EXPECT_EQ(Read(user / defs), "v3");
    dir.Write(stock / defs, "v4");
    EXPECT_EQ(SyncUserInstallation(stock, user).updated, 1);
    EXPECT_EQ(Read(user / defs), "v4");
}

TEST(InstallLocator, ANewTerrainBitmapDropsItsCachedMask) {
    ScratchDir dir;
    const fs::path stock = dir.Root() / "stock", user = dir.Root() / "user";
    dir.MakeInstallation(stock);
    ASSERT_TRUE(SyncUserInstallation(stock, user).status);
    const fs::path mask = user / "scenarios" / "K2T-x1.bmp";
    dir.Write(mask, "computed mask");
    dir.Write(user / "scenarios" / "K2U-x1.bmp", "not a terrain mask of a changed bitmap");
    dir.Write(stock / "tkx2.hlp", "help v2");
    ASSERT_TRUE(SyncUserInstallation(stock, user).status);
    EXPECT_TRUE(fs::exists(mask)) << "kept while its bitmap stays";
    dir.Write(stock / "scenarios" / "K2T-t1.bmp", "terrain pictures v2");
    ASSERT_EQ(SyncUserInstallation(stock, user).updated, 1);
    EXPECT_FALSE(fs::exists(mask));
    EXPECT_TRUE(fs::exists(user / "scenarios" / "K2U-x1.bmp"));
}

TEST(InstallLocator, ChoosesTheWorkingDirectoryThenTheUsersCopy) {
    using Source = InstallationChoice::Source;
    ScratchDir dir;
    const fs::path working = dir.Root() / "work", stock = dir.Root() / "stock", user = dir.Root() / "user";
    fs::create_directories(working);

    // Nothing anywhere: the working directory, as before there was a package.
    InstallationChoice choice = LocateInstallation(working, stock, user);
    EXPECT_EQ(choice.source, Source::Nothing);
    EXPECT_EQ(choice.dir, working);
    EXPECT_FALSE(fs::exists(user));

    // A stock installation: the user's copy is made from it.
    dir.MakeInstallation(stock);
    choice = LocateInstallation(working, stock, user);
    EXPECT_EQ(choice.source, Source::UserCopy);
    EXPECT_EQ(choice.dir, user);
    EXPECT_TRUE(choice.status);
    EXPECT_TRUE(HoldsInstallation(user));

    // The copy is used also when the stock installation is gone.
    choice = LocateInstallation(working, dir.Root() / "moved", user);
    EXPECT_EQ(choice.source, Source::UserCopy);
    EXPECT_EQ(choice.dir, user);

    // A working directory that holds an installation wins, and the user's copy is not touched.
    dir.MakeInstallation(working);
    dir.Write(stock / "tkx2.hlp", "help v2");
    choice = LocateInstallation(working, stock, user);
    EXPECT_EQ(choice.source, Source::WorkingDirectory);
    EXPECT_EQ(choice.dir, working);
    EXPECT_EQ(Read(user / "tkx2.hlp"), "help");
}

TEST(InstallLocator, ACopyThatCannotBeMadeIsReported) {
    ScratchDir dir;
    const fs::path working = dir.Root() / "work", stock = dir.Root() / "stock";
    fs::create_directories(working);
    dir.MakeInstallation(stock);
    // The user's folder cannot be created where a file stands.
    dir.Write(dir.Root() / "blocked", "a file");
    const InstallationChoice choice = LocateInstallation(working, stock, dir.Root() / "blocked" / "install");
    EXPECT_FALSE(choice.status);
    EXPECT_THAT(choice.status.message, ::testing::HasSubstr("blocked"));
    EXPECT_EQ(choice.source, InstallationChoice::Source::Nothing);
    EXPECT_EQ(choice.dir, working);
}

} // namespace
} // namespace k2
