#include "app/battle_lifecycle.h"

#include "common/battle_builder.h"
#include "common/recorders.h"
#include "core/battle_file.h"
#include "core/terrain_defs.h"

#include <gmock/gmock.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

struct RecordingScreen : k2::LifecycleScreen {
    void SetCaption(const std::string& text) override { caption = text; }
    void SetInfoText(const std::string& text) override { info = text; }
    void ShowNotice(const std::string& text) override { notices.push_back(text); }
    std::vector<std::string> notices;
    void ShowProgress(int32_t position) override {
        progressVisible = true;
        progress.push_back(position);
    }
    void HideProgress() override { progressVisible = false; }
    void SetBusy(bool b) override {
        busy = b;
        if (b) ++busySpells;
    }
    void SetCommandEnabled(std::string_view name, bool enabled) override {
        enabled_[std::string(name)] = enabled;
    }
    void SetCommandCaption(std::string_view name, const std::string& caption) override {
        captions[std::string(name)] = caption;
    }
    void SetRecentBattles(const std::vector<std::string>& paths) override { recent = paths; }
    void ShowTitlePicture() override {
        titleShown = true;
        battleShown = false;
    }
    void ShowBattle() override {
        battleShown = true;
        titleShown = false;
    }
    bool Enabled(const std::string& name) const {
        auto it = enabled_.find(name);
        return it != enabled_.end() && it->second;
    }

    std::string caption, info;
    std::vector<int32_t> progress;
    bool progressVisible = false, busy = false, titleShown = false, battleShown = false;
    int busySpells = 0;
    std::map<std::string, bool> enabled_;
    std::map<std::string, std::string> captions;
    std::vector<std::string> recent;
};

// Stands in for the settings dialog: answers with `result` and, like the real one on OK,
// writes the values it holds into the scenario.
struct ScriptedSettings : k2::SettingsDialog {
    explicit ScriptedSettings(k2::Scenario& s) : scenario(s) {}
    k2::DialogResult Run(int32_t mode) override {
        modes.push_back(mode);
        if (edit) edit(scenario, mode);
        return result;
    }
    k2::Scenario& scenario;
    static void WriteNewBattleValues(k2::Scenario& s, int32_t mode) {
        if (mode == NewBattleMode) {
            s.Cols = 24;
            s.Rows = 18;
            s.UnitSetName = "K2U";
            s.TerrainSetName = "K2T";
        }
        s.BattleName = "Fresh Field";
        s.WesternName = "Blue";
        s.EasternName = "Red";
    }
    void Reset() {
        result = k2::DialogResult::Ok;
        edit = WriteNewBattleValues;
        modes.clear();
    }
    k2::DialogResult result = k2::DialogResult::Ok;
    std::function<void(k2::Scenario&, int32_t)> edit = WriteNewBattleValues;
    std::vector<int32_t> modes;
};

struct FakeSymbols : k2::SymbolSetSource {
    k2::Status Load(const std::string& terrain, const std::string& unit,
                    const std::function<void(int32_t)>& progress) override {
        loads.push_back(terrain + "/" + unit);
        progress(50);
        progress(100);
        return fail ? k2::Status::Fail("Could not open " + unit + ".set") : k2::Status::Ok();
    }
    int32_t TerrainSymbolCount() const override { return 130; }
    bool fail = false;
    std::vector<std::string> loads;
};

using RecordingBoxes = k2::test::MessageBoxRecorder;
using ScriptedChooser = k2::test::ScriptedFileChooser;

class LifecycleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scenario_ = k2::Scenario{};
        screen_ = RecordingScreen{};
        settings_.Reset();
        symbols_ = FakeSymbols{};
        boxes_ = RecordingBoxes{};
        chooser_ = ScriptedChooser{};
        install_ = fs::temp_directory_path() / ("k2_life_" + std::to_string(std::random_device{}()));
        fs::create_directories(install_ / "scenarios");
        fs::create_directories(install_ / "sysdefs");
        k2::Scenario defs;
        for (int i = 0; i < 130; ++i)
            defs.TerrainDefs[static_cast<size_t>(i)].name = "1 Ground";
        defs.TerrainDefCount = 130;
        ASSERT_TRUE(k2::WriteTerrainDefs(defs, install_ / "sysdefs" / "K2Ter.Def", 130).ok);
        life_ = std::make_unique<k2::BattleLifecycle>(k2::LifecycleParts{scenario_, equipment_, screen_,
                                                                         settings_, symbols_, boxes_,
                                                                         chooser_, random_, history_},
                                                      install_);
        life_->Start();
    }
    void TearDown() override { fs::remove_all(install_); }

    // A current battle file written by the core writer.
    std::string MakeBattle(const std::string& file, const std::string& name, const fs::path& dir = {}) {
        return k2::test::WriteNewBattle((dir.empty() ? install_ / "scenarios" : dir) / file, 12, 10, name, 7,
                                        install_ / "sysdefs" / "K2Ter.Def");
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void OpenThroughMenu(const std::string& path) {
        chooser_.openAnswers.push_back(fs::path(path));
        life_->Open();
    }
    void OpenSaved(const std::string& path) {
        OpenThroughMenu(path);
        ASSERT_TRUE(life_->BattleActive()) << path;
    }

    fs::path install_;
    k2::Scenario scenario_;
    k2::EditHistory history_{scenario_};
    k2::EquipmentTables equipment_;
    RecordingScreen screen_;
    ScriptedSettings settings_{scenario_};
    FakeSymbols symbols_;
    RecordingBoxes boxes_;
    ScriptedChooser chooser_;
    k2::StdRandomSource random_{3};
    std::unique_ptr<k2::BattleLifecycle> life_;
};

TEST_F(LifecycleTest, StartsWithNoBattleTitleAndInfoText) {
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2");
    EXPECT_EQ(screen_.info, "Battle not active");
    EXPECT_TRUE(screen_.titleShown);
    for (const char* name :
         {"SaveMapFile", "SaveMapAs", "ModifyScenario1", "MB_ElvDsp", "ShowVicHex", "RForce", "MapOverlay",
          "PlaceNameTgl", "ZoomIn", "ZoomOut", "ScrollHorz", "ScrollVert"})
        EXPECT_FALSE(screen_.Enabled(name)) << name;
    EXPECT_EQ(scenario_.EditorFormatNumber, 105);
    EXPECT_EQ(scenario_.MarkerSymbols[7], 9);
    EXPECT_EQ(scenario_.MarkerSymbols[8], 7);
    EXPECT_FALSE(life_->BattleActive());
}

TEST_F(LifecycleTest, OpenLoadsTheBattleAndEnablesItsCommands) {
    const std::string path = MakeBattle("field.k2s", "Hill Fight");
    OpenThroughMenu(path);

    ASSERT_EQ(chooser_.openRequests.size(), 1u);
    const k2::FileDialogRequest& r = chooser_.openRequests[0];
    EXPECT_EQ(r.title, "Open Battle File");
    EXPECT_EQ(r.filter, "All battles|*.k2s *.scn|Keldmar 2 Scenarios|*.k2s|Keldmar 1 Scenarios|*.scn");
    EXPECT_EQ(r.defaultExtension, ".scn");
    EXPECT_EQ(r.initialDir, install_ / "scenarios");

    EXPECT_TRUE(life_->BattleActive());
    EXPECT_FALSE(life_->BattleModified());
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2:Hill Fight");
    EXPECT_EQ(screen_.info, "Battle Active.");
    EXPECT_TRUE(screen_.battleShown);
    EXPECT_FALSE(screen_.progressVisible);
    EXPECT_FALSE(screen_.busy);
    EXPECT_THAT(symbols_.loads, ElementsAre("K2T/K2U"));
    EXPECT_EQ(life_->CurrentPath(), path);
    EXPECT_EQ(life_->SavePath(), path);
    EXPECT_TRUE(screen_.Enabled("SaveMapFile"));
    EXPECT_TRUE(screen_.Enabled("SaveMapAs"));
    EXPECT_TRUE(screen_.Enabled("ModifyScenario1"));
    EXPECT_FALSE(screen_.Enabled("ObjectiveList"));
    EXPECT_EQ(screen_.captions["WestOB"], "Westmen Order of Battle");
    EXPECT_EQ(screen_.captions["EastRForce"], "Eastmen Reinforcement Schedule");
    EXPECT_EQ(scenario_.Cols, 12);
    EXPECT_THAT(boxes_.asked, IsEmpty());
}

TEST_F(LifecycleTest, FailedOpenShowsTheTitleAgainAndDisablesSaving) {
    const std::string good = MakeBattle("good.k2s", "Good");
    OpenSaved(good);
    const fs::path bad = install_ / "scenarios" / "broken.k2s";
    std::ofstream(bad, std::ios::binary) << "\x00\xc8\x00";
    OpenThroughMenu(bad.string());

    EXPECT_FALSE(life_->BattleActive());
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2");
    EXPECT_EQ(screen_.info, "Battle not active");
    EXPECT_TRUE(screen_.titleShown);
    EXPECT_FALSE(screen_.Enabled("SaveMapFile"));
    EXPECT_FALSE(screen_.Enabled("SaveMapAs"));
    EXPECT_FALSE(screen_.Enabled("ZoomIn"));
    EXPECT_FALSE(screen_.progressVisible);
    ASSERT_EQ(boxes_.plain.size(), 1u);
    EXPECT_THAT(boxes_.plain[0], ::testing::StartsWith("Warning: "));
    // The refused file left the scenario as it was; the dialog proposes the path tried last.
    EXPECT_EQ(scenario_.BattleName, "Good");
    EXPECT_EQ(life_->SavePath(), bad.string());
    // Battle Settings is inert without an active battle.
    life_->BattleSettings();
    EXPECT_THAT(settings_.modes, IsEmpty());
}

TEST_F(LifecycleTest, SymbolSetFailureOnOpenLeavesNoBattleActive) {
    symbols_.fail = true;
    OpenThroughMenu(MakeBattle("a.k2s", "A"));
    EXPECT_FALSE(life_->BattleActive());
    EXPECT_TRUE(screen_.titleShown);
    EXPECT_THAT(boxes_.plain, ElementsAre("Warning: Could not open K2U.set"));
}

TEST_F(LifecycleTest, OverlongPathsAreRefusedAndChangeNothing) {
    const std::string path = MakeBattle("a.k2s", "A");
    OpenSaved(path);
    EXPECT_FALSE(life_->LoadBattle("/" + std::string(300, 'x') + ".k2s"));
    EXPECT_TRUE(life_->BattleActive());
    EXPECT_EQ(life_->CurrentPath(), path);
    ASSERT_EQ(boxes_.plain.size(), 1u);

    chooser_.saveAnswers.push_back(fs::path("/" + std::string(300, 'y') + ".k2s"));
    EXPECT_FALSE(life_->SaveAs());
    EXPECT_EQ(life_->CurrentPath(), path);
    EXPECT_EQ(boxes_.plain.size(), 2u);

    EXPECT_TRUE(k2::BattleLifecycle::CheckInstallDir("/opt/k2").ok);
    EXPECT_FALSE(k2::BattleLifecycle::CheckInstallDir("/" + std::string(255, 'd')).ok);
}

TEST_F(LifecycleTest, CreateNewNeedsSaveAsBeforeSaveBattle) {
    life_->CreateNew();
    ASSERT_THAT(settings_.modes, ElementsAre(k2::SettingsDialog::NewBattleMode));
    EXPECT_TRUE(life_->BattleActive());
    EXPECT_TRUE(life_->BattleModified());
    EXPECT_TRUE(life_->SaveAsRequired());
    EXPECT_EQ(scenario_.HexCount, 24 * 18);
    EXPECT_EQ(scenario_.SaveCount, 0);
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2:Fresh Field");
    EXPECT_EQ(life_->SavePath(), "");
    EXPECT_FALSE(screen_.Enabled("SaveMapFile"));
    EXPECT_TRUE(screen_.Enabled("SaveMapAs"));
    EXPECT_EQ(screen_.progress.front(), 10);

    // Save Battle does nothing until a Save As has given the battle a file.
    life_->Save();
    EXPECT_TRUE(life_->BattleModified());
    const fs::path target = install_ / "scenarios" / "fresh.k2s";
    chooser_.saveAnswers.push_back(target);
    ASSERT_TRUE(life_->SaveAs());
    const k2::FileDialogRequest& r = chooser_.saveRequests.back();
    EXPECT_EQ(r.title, "Save Battle File");
    EXPECT_EQ(r.filter, "Keldmar 2 Scenarios|*.k2s");
    EXPECT_EQ(r.defaultExtension, ".k2s");
    EXPECT_TRUE(fs::exists(target));
    EXPECT_FALSE(life_->BattleModified());
    EXPECT_FALSE(life_->SaveAsRequired());
    EXPECT_TRUE(screen_.Enabled("SaveMapFile"));
    EXPECT_EQ(life_->CurrentPath(), target.string());
    // Save As does not touch the recent list.
    EXPECT_THAT(life_->RecentList(), IsEmpty());
}

TEST_F(LifecycleTest, CancelledNewBattleChangesNothing) {
    OpenSaved(MakeBattle("a.k2s", "Alpha"));
    settings_.result = k2::DialogResult::Cancel;
    settings_.edit = nullptr;
    life_->CreateNew();
    EXPECT_TRUE(life_->BattleActive());
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2:Alpha");
    EXPECT_EQ(symbols_.loads.size(), 1u);
}

TEST_F(LifecycleTest, NewBattleWhoseSymbolSetsFailKeepsTheShownBattleOnItsOwnGrid) {
    OpenSaved(MakeBattle("a.k2s", "Alpha"));
    symbols_.fail = true;
    life_->CreateNew();
    // The size and names the dialog wrote are taken back, so they match the grid still held.
    EXPECT_EQ(scenario_.Cols, 12);
    EXPECT_EQ(scenario_.Rows, 10);
    EXPECT_EQ(static_cast<int32_t>(scenario_.Hexes.size()), scenario_.Cols * scenario_.Rows);
    EXPECT_EQ(scenario_.BattleName, "Alpha");
    EXPECT_EQ(scenario_.WesternName, "Westmen");
    EXPECT_TRUE(life_->BattleActive());
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2:Alpha");
    EXPECT_EQ(screen_.info, "Battle Active.");
    EXPECT_FALSE(screen_.progressVisible);
    EXPECT_FALSE(screen_.busy);
    EXPECT_THAT(boxes_.plain, ElementsAre("Warning: Could not open K2U.set"));
}

TEST_F(LifecycleTest, NewBattleWhoseSymbolSetsFailWithoutABattleStaysOnTheTitle) {
    symbols_.fail = true;
    life_->CreateNew();
    EXPECT_FALSE(life_->BattleActive());
    EXPECT_TRUE(screen_.titleShown);
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2");
    EXPECT_EQ(screen_.info, "Battle not active");
    EXPECT_EQ(scenario_.Cols, 0);
    EXPECT_FALSE(screen_.Enabled("SaveMapAs"));
}

TEST_F(LifecycleTest, LegacyBattleIsSavedOnlyThroughSaveAs) {
    const fs::path stock = fs::path(K2_STOCK_DIR) / "scenarios";
    fs::path legacy;
    if (fs::exists(stock))
        for (const auto& e : fs::directory_iterator(stock))
            if (k2::IsLegacyBattleFile(e.path())) legacy = e.path();
    ASSERT_FALSE(legacy.empty()) << "the stock installation has a legacy battle";
    const fs::path copy = install_ / "scenarios" / "old.scn";
    fs::copy_file(legacy, copy);

    OpenSaved(copy.string());
    EXPECT_TRUE(life_->SaveAsRequired());
    EXPECT_FALSE(screen_.Enabled("SaveMapFile"));
    EXPECT_TRUE(screen_.Enabled("SaveMapAs"));

    chooser_.saveAnswers.push_back(std::nullopt);
    EXPECT_FALSE(life_->SaveAs());
    // The dialog proposes a current battle file, never the legacy name.
    EXPECT_EQ(chooser_.saveRequests.back().proposedName, install_ / "scenarios" / "old.k2s");
    EXPECT_FALSE(screen_.Enabled("SaveMapFile"));

    chooser_.saveAnswers.push_back(install_ / "scenarios" / "old.k2s");
    ASSERT_TRUE(life_->SaveAs());
    EXPECT_TRUE(screen_.Enabled("SaveMapFile"));
    EXPECT_FALSE(k2::IsLegacyBattleFile(life_->CurrentPath()));
    k2::Scenario back;
    EXPECT_TRUE(k2::ReadBattle(back, life_->CurrentPath(), install_ / "sysdefs" / "K2Ter.Def").ok);
}

// The save prompt, by answer: what is asked, what is written, whether the open goes on.
TEST_F(LifecycleTest, SavePromptAnswers) {
    struct Case {
        const char* what;
        bool newBattle;    // save-as required
        int answer;        // 1 Yes, 2 No
        bool saveDirGone;  // the battle's folder has gone, so the write fails
        bool cancelSaveAs; // the Save As the prompt opens is cancelled
        bool openGoesOn;
        bool written;
    } cases[] = {
        {"No discards", false, 2, false, false, true, false},
        {"Yes writes in place", false, 1, false, false, true, true},
        {"Yes with a failing write abandons", false, 1, true, false, false, false},
        {"Yes on a new battle asks for a name", true, 1, false, false, true, true},
        {"Yes on a new battle, Save As cancelled, abandons", true, 1, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        const std::string next = MakeBattle("next.k2s", "Next");
        const fs::path sub = install_ / "scenarios" / "sub";
        fs::create_directories(sub);
        std::string current;
        if (c.newBattle) {
            life_->CreateNew();
            chooser_.saveAnswers.push_back(c.cancelSaveAs ? std::nullopt
                                                          : std::optional<fs::path>(sub / "named.k2s"));
            current = (sub / "named.k2s").string();
        } else {
            current = MakeBattle("cur.k2s", "Current", sub);
            OpenSaved(current);
            life_->MarkModified();
            if (c.saveDirGone) fs::remove_all(sub);
        }
        const auto before = fs::exists(current) ? fs::last_write_time(current) : fs::file_time_type{};
        boxes_.answers.push_back(c.answer);
        const size_t opens = chooser_.openRequests.size();
        OpenThroughMenu(next);

        ASSERT_EQ(boxes_.asked.size(), 1u);
        EXPECT_EQ(boxes_.asked[0], std::make_pair(2, 1));
        EXPECT_EQ(chooser_.openRequests.size() > opens, c.openGoesOn);
        EXPECT_EQ(scenario_.BattleName == "Next", c.openGoesOn);
        const bool written = fs::exists(current) && (c.newBattle || fs::last_write_time(current) != before);
        EXPECT_EQ(written, c.written);
        if (!c.openGoesOn) {
            EXPECT_TRUE(life_->BattleModified());
            EXPECT_TRUE(life_->BattleActive());
        }
    }
}

TEST_F(LifecycleTest, UnmodifiedOrInactiveBattlesAreNotAskedAbout) {
    EXPECT_TRUE(life_->SavePrompt());
    OpenSaved(MakeBattle("a.k2s", "A"));
    EXPECT_TRUE(life_->SavePrompt());
    EXPECT_THAT(boxes_.asked, IsEmpty());
}

TEST_F(LifecycleTest, FailedSaveBattleStaysModifiedAndIsNotListed) {
    const fs::path sub = install_ / "scenarios" / "sub";
    fs::create_directories(sub);
    OpenSaved(MakeBattle("a.k2s", "A", sub));
    life_->MarkModified();
    fs::remove_all(sub);
    life_->Save();
    EXPECT_TRUE(life_->BattleModified());
    EXPECT_THAT(life_->RecentList(), IsEmpty());
    ASSERT_EQ(boxes_.plain.size(), 1u);
}

TEST_F(LifecycleTest, SaveBattleListsNewestFirstAtMostFiveWithoutDuplicates) {
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i)
        paths.push_back(MakeBattle("b" + std::to_string(i) + ".k2s", "B"));
    for (const std::string& p : paths) {
        OpenSaved(p);
        life_->MarkModified();
        life_->Save();
        EXPECT_FALSE(life_->BattleModified());
    }
    EXPECT_THAT(life_->RecentList(), ElementsAre(paths[5], paths[4], paths[3], paths[2], paths[1]));
    EXPECT_EQ(screen_.recent, life_->RecentList());
    life_->Save();
    EXPECT_EQ(life_->RecentList().size(), 5u);
    EXPECT_EQ(life_->RecentList()[0], paths[5]);

    // The list survives a restart; a recent item opens its battle without a file dialog.
    k2::BattleLifecycle again(k2::LifecycleParts{scenario_, equipment_, screen_, settings_, symbols_, boxes_,
                                                 chooser_, random_, history_},
                              install_);
    again.Start();
    EXPECT_EQ(screen_.recent, life_->RecentList());
    const size_t opens = chooser_.openRequests.size();
    again.OpenRecent(3);
    EXPECT_EQ(chooser_.openRequests.size(), opens);
    EXPECT_EQ(again.CurrentPath(), paths[2]);
    EXPECT_TRUE(again.BattleActive());
    EXPECT_EQ(again.SavePath(), "");
}

TEST_F(LifecycleTest, RecentBattleAsksBeforeReplacingUnsavedWork) {
    const std::string a = MakeBattle("a.k2s", "A"), b = MakeBattle("b.k2s", "B");
    OpenSaved(b);
    life_->Save();
    OpenSaved(a);
    life_->MarkModified();
    boxes_.answers.push_back(2);
    life_->OpenRecent(0);
    EXPECT_EQ(boxes_.asked.size(), 1u);
    EXPECT_EQ(scenario_.BattleName, "B");
}

TEST_F(LifecycleTest, BattleSettingsUsesSettingsModeAndMarksRealChanges) {
    OpenSaved(MakeBattle("a.k2s", "Alpha"));
    settings_.edit = nullptr;
    life_->BattleSettings();
    EXPECT_THAT(settings_.modes, ElementsAre(k2::SettingsDialog::SettingsMode));
    EXPECT_FALSE(life_->BattleModified());
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2:Alpha");

    settings_.result = k2::DialogResult::Cancel; // cancelled after the dialog had already stored a new name
    settings_.edit = [](k2::Scenario& s, int32_t) {
        s.BattleName = "Renamed";
        s.WesternName = "North";
    };
    life_->BattleSettings();
    EXPECT_TRUE(life_->BattleModified());
    EXPECT_EQ(screen_.caption, "Tessary Keldmar 2:Renamed");
    EXPECT_EQ(screen_.captions["WestOB"], "North Order of Battle");
    EXPECT_EQ(screen_.captions["WestRForce"], "North Reinforcement Schedule");
    EXPECT_EQ(scenario_.Cols, 12);
    EXPECT_EQ(scenario_.UnitSetName, "K2U");
}

TEST_F(LifecycleTest, BattleSettingsIsAnUndoableStepAndUndoingItUnmarksTheBattle) {
    OpenSaved(MakeBattle("a.k2s", "Alpha"));
    EXPECT_EQ(screen_.progress.front(), 10);
    settings_.edit = [](k2::Scenario& s, int32_t) { s.BattleName = "Renamed"; };
    life_->BattleSettings();
    EXPECT_TRUE(life_->BattleModified());
    EXPECT_EQ(history_.UndoName(), "Battle Settings");
    history_.Undo();
    EXPECT_EQ(scenario_.BattleName, "Alpha");
    EXPECT_FALSE(life_->BattleModified());
    history_.Redo();
    EXPECT_TRUE(life_->BattleModified());

    // Saving sorts the units as a step of its own and makes this state the saved one.
    const int spells = screen_.busySpells;
    life_->Save();
    EXPECT_EQ(screen_.busySpells, spells + 1);
    EXPECT_FALSE(screen_.busy);
    EXPECT_FALSE(life_->BattleModified());
    history_.Undo();
    EXPECT_TRUE(life_->BattleModified());

    // What the save itself changes (the definition count the file carries) is part of its
    // step, so undoing a later edit gives back the battle as saved.
    history_.Redo();
    history_.Record("Edit Terrain Definition", [&] { scenario_.TerrainDefCount = 100; });
    life_->Save();
    EXPECT_EQ(scenario_.TerrainDefCount, 130);
    history_.Record("Place Primary Terrain", [&] { scenario_.Hexes[13].PrimaryTerrain = 4; });
    history_.Undo();
    EXPECT_EQ(scenario_.TerrainDefCount, 130);
    EXPECT_FALSE(life_->BattleModified());

    // Opening another battle starts a new history.
    OpenSaved(MakeBattle("b.k2s", "Beta"));
    EXPECT_FALSE(history_.CanUndo());
    EXPECT_FALSE(history_.CanRedo());
}

TEST_F(LifecycleTest, SaveAsAsksBeforeTheCurrentNameReplacesAnotherFile) {
    OpenSaved(MakeBattle("a.k2s", "Alpha"));
    const std::string existing = MakeBattle("old.k2s", "Existing");
    const auto bytes = ReadFile(existing);
    life_->MarkModified();

    // "old.scn" is saved as "old.k2s", a file the chooser never asked about.
    chooser_.saveAnswers.push_back(install_ / "scenarios" / "old.scn");
    EXPECT_FALSE(life_->SaveAs());
    ASSERT_EQ(chooser_.replaceAsked.size(), 1u);
    EXPECT_EQ(chooser_.replaceAsked[0], install_ / "scenarios" / "old.k2s");
    EXPECT_EQ(ReadFile(existing), bytes);
    EXPECT_TRUE(life_->BattleModified());

    chooser_.saveAnswers.push_back(install_ / "scenarios" / "old.scn");
    chooser_.replaceAnswers.push_back(true);
    EXPECT_TRUE(life_->SaveAs());
    EXPECT_NE(ReadFile(existing), bytes);
    EXPECT_EQ(life_->CurrentPath(), existing);

    // A name the chooser itself returned is not asked about again.
    chooser_.saveAnswers.push_back(fs::path(existing));
    EXPECT_TRUE(life_->SaveAs());
    EXPECT_EQ(chooser_.replaceAsked.size(), 2u);
}

TEST_F(LifecycleTest, CloseAsksAndAFailedSaveKeepsTheWindowOpen) {
    const fs::path sub = install_ / "scenarios" / "sub";
    fs::create_directories(sub);
    OpenSaved(MakeBattle("a.k2s", "A", sub));
    life_->MarkModified();
    fs::remove_all(sub);
    life_->RequestExit();
    boxes_.answers = {1};
    EXPECT_FALSE(life_->Close());
    EXPECT_FALSE(life_->Exiting());
    EXPECT_TRUE(life_->BattleActive());

    life_->RequestExit();
    boxes_.answers = {2};
    EXPECT_TRUE(life_->Close());
    EXPECT_TRUE(life_->Exiting());
    EXPECT_FALSE(life_->BattleActive());
}

// Which commands each state of the battle offers.
TEST_F(LifecycleTest, StateTable) {
    struct Row {
        const char* state;
        std::function<void()> enter;
        bool active, saveBattle, saveAs, settings;
    };
    std::vector<Row> rows = {
        {"no battle", [] {}, false, false, false, false},
        {"active, saved", [&] { OpenSaved(MakeBattle("a.k2s", "A")); }, true, true, true, true},
        {"active, modified",
         [&] {
             OpenSaved(MakeBattle("a.k2s", "A"));
             life_->MarkModified();
         },
         true, true, true, true},
        {"save-as required", [&] { life_->CreateNew(); }, true, false, true, true},
        {"failed load after a battle",
         [&] {
             OpenSaved(MakeBattle("a.k2s", "A"));
             OpenThroughMenu((install_ / "scenarios" / "missing.k2s").string());
         },
         false, false, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state);
        TearDown();
        SetUp();
        row.enter();
        EXPECT_EQ(life_->BattleActive(), row.active);
        EXPECT_EQ(screen_.Enabled("SaveMapFile"), row.saveBattle);
        EXPECT_EQ(screen_.Enabled("SaveMapAs"), row.saveAs);
        EXPECT_EQ(screen_.Enabled("ModifyScenario1"), row.settings);
        for (const char* sw : {"MB_ElvDsp", "ShowVicHex", "RForce", "MapOverlay", "PlaceNameTgl"})
            EXPECT_EQ(screen_.Enabled(sw), row.active || row.settings) << sw;
    }
}

// The recovery copy kept beside the life cycle: there while the battle differs from its file,
// gone when saved or given up, and offered back to the next run.
class RecoveryLifecycleTest : public LifecycleTest {
  protected:
    void SetUp() override {
        LifecycleTest::SetUp();
        store_ = std::make_unique<k2::RecoveryStore>(install_ / "recovery", [this] { return now_; });
        life_->SetRecovery(store_.get());
    }
    void Edit(const char* name) {
        history_.Record("Rename", [&] { scenario_.BattleName = name; });
        life_->KeepRecoveryCopy();
        now_ += std::chrono::minutes(2);
    }
    // As the next run starts: a fresh battle, history and life cycle over the same folder.
    void Restart() {
        scenario_ = k2::Scenario{};
        history_.Reset();
        screen_ = RecordingScreen{};
        life_ = std::make_unique<k2::BattleLifecycle>(k2::LifecycleParts{scenario_, equipment_, screen_,
                                                                         settings_, symbols_, boxes_,
                                                                         chooser_, random_, history_},
                                                      install_);
        life_->Start();
        life_->SetRecovery(store_.get());
    }
    bool HasCopy() const { return store_->Pending().has_value(); }

    std::chrono::system_clock::time_point now_{std::chrono::hours(480000)};
    std::unique_ptr<k2::RecoveryStore> store_;
};

TEST_F(RecoveryLifecycleTest, CopyFollowsTheModifiedBattleAndGoesWhenSavedOrGivenUp) {
    const std::string path = MakeBattle("ford.k2s", "Ford");
    OpenSaved(path);
    life_->KeepRecoveryCopy();
    EXPECT_FALSE(HasCopy());
    Edit("Ford Changed");
    ASSERT_TRUE(HasCopy());
    EXPECT_EQ(store_->Pending()->originalPath, path);
    // Undone back to the file: nothing to recover.
    history_.Undo();
    life_->KeepRecoveryCopy();
    EXPECT_FALSE(HasCopy());

    Edit("Ford Changed");
    life_->Save();
    EXPECT_FALSE(HasCopy());

    Edit("Ford Again");
    boxes_.answers = {k2::MsgResultNo}; // do not save
    EXPECT_TRUE(life_->Close());
    EXPECT_FALSE(HasCopy());

    // Saving cancelled at the close: the window stays open, and so does the copy.
    life_->CreateNew();
    Edit("Fresh Field");
    boxes_.answers = {k2::MsgResultYes}; // save, but the Save As chooser is cancelled
    EXPECT_FALSE(life_->Close());
    EXPECT_TRUE(HasCopy());
}

TEST_F(RecoveryLifecycleTest, RecoveredBattleIsModifiedAndSavedOnlyUnderAChosenName) {
    const std::string path = MakeBattle("ford.k2s", "Ford");
    OpenSaved(path);
    Edit("Ford Changed");
    Restart();
    boxes_.confirmAnswers = {true};
    ASSERT_TRUE(life_->OfferRecovery());
    ASSERT_EQ(boxes_.confirmed.size(), 1u);
    EXPECT_THAT(boxes_.confirmed[0],
                ::testing::StartsWith("Recover Battle: Recover the unsaved battle Ford Changed from "));
    EXPECT_EQ(scenario_.BattleName.Str(), "Ford Changed");
    EXPECT_TRUE(life_->BattleModified());
    EXPECT_TRUE(life_->SaveAsRequired());
    EXPECT_FALSE(screen_.Enabled("SaveMapFile"));
    EXPECT_EQ(life_->SavePath(), path);
    EXPECT_EQ(scenario_.SaveCount, 1); // as in its file; the copy is not a save
    EXPECT_TRUE(HasCopy());

    chooser_.saveAnswers.push_back(fs::path(path));
    ASSERT_TRUE(life_->SaveAs());
    EXPECT_FALSE(HasCopy());
    k2::Scenario saved;
    ASSERT_TRUE(k2::ReadBattle(saved, path, install_ / "sysdefs" / "K2Ter.Def").ok);
    EXPECT_EQ(saved.BattleName.Str(), "Ford Changed");
    EXPECT_EQ(saved.SaveCount, 2);
}

TEST_F(RecoveryLifecycleTest, AnswersToTheOffer) {
    struct Row {
        const char* what;
        bool damaged;
        std::deque<bool> answers;
        bool keptCopy;
    };
    const Row rows[] = {
        {"declined", false, {false}, false},
        {"damaged, kept", true, {true, false}, true},
        {"damaged, deleted", true, {true, true}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TearDown();
        SetUp();
        OpenSaved(MakeBattle("ford.k2s", "Ford"));
        Edit("Ford Changed");
        if (row.damaged) std::ofstream(store_->BattleFile(), std::ios::binary | std::ios::trunc) << "K2 junk";
        Restart();
        boxes_.confirmAnswers = row.answers;
        EXPECT_FALSE(life_->OfferRecovery());
        EXPECT_FALSE(life_->BattleActive());
        EXPECT_EQ(boxes_.confirmed.size(), row.answers.size());
        EXPECT_EQ(boxes_.plain.size(), row.damaged ? 1u : 0u); // the reason the copy was refused
        EXPECT_EQ(HasCopy(), row.keptCopy);
    }
}

} // namespace
