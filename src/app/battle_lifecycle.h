// The main window's life cycle of a battle: opening (also legacy and recent battles), creating,
// saving, the save prompt, battle settings and closing, with the captions and the commands
// enabled while a battle is active. Talks to the window only through LifecycleScreen.
#pragma once

#include "app/command_screen.h"
#include "app/recent_battles.h"
#include "app/recovery_store.h"
#include "core/edit_state.h"
#include "core/platform.h"
#include "core/random_source.h"
#include "core/scenario.h"
#include "core/status.h"
#include "edit/edit_history.h"
#include "forces/equipment_defs.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

// What the life cycle asks of the main window.
class LifecycleScreen : public CommandScreen {
  public:
    virtual void SetCaption(const std::string& text) = 0;
    // Shows the info bar's progress bar at `position` (0..100) and repaints it at once.
    virtual void ShowProgress(int32_t position) = 0;
    virtual void HideProgress() = 0;
    virtual void SetBusy(bool busy) = 0;
    // Rebuilds the recent battle items MapA1..MapE1 and the separator N4.
    virtual void SetRecentBattles(const std::vector<std::string>& paths) = 0;
    virtual void ShowTitlePicture() = 0;
    // Sets up the view for the scenario (marking the view saved), renders the whole map and
    // sets the scrollbars and zoom buttons.
    virtual void ShowBattle() = 0;
};

// The battle settings dialog, in new-battle mode (1) or settings mode (2). Ok when OK stored the
// settings; the dialog writes its values into the scenario itself.
class SettingsDialog {
  public:
    static constexpr int32_t NewBattleMode = 1;
    static constexpr int32_t SettingsMode = 2;
    virtual ~SettingsDialog() = default;
    virtual DialogResult Run(int32_t mode) = 0;
};

// Loads the terrain and unit symbol sets a battle names.
class SymbolSetSource {
  public:
    virtual ~SymbolSetSource() = default;
    // `progress` receives positions 0..100 while loading. On failure the caller has nothing
    // usable to draw with; the message is in the status.
    virtual Status Load(const std::string& terrainSet, const std::string& unitSet,
                        const std::function<void(int32_t)>& progress) = 0;
    virtual int32_t TerrainSymbolCount() const = 0;
};

// What else lives beside a battle's file (the reference picture's settings) follows the battle
// through opening, saving under any name and closing.
class BattleFileFollower {
  public:
    virtual ~BattleFileFollower() = default;
    // `path` is the battle's file (for a recovered battle, the file it was recovered for).
    virtual void BattleOpened(const std::string& path) = 0;
    virtual void BattleSaved(const std::string& path) = 0;
    // No battle, or a new one without a file.
    virtual void BattleClosed() = 0;
};

// Everything the life cycle works on, owned by the application.
struct LifecycleParts {
    Scenario& scenario;
    const EquipmentTables& equipment;
    LifecycleScreen& screen;
    SettingsDialog& settings;
    SymbolSetSource& symbols;
    MessageBoxes& boxes;
    FileChooser& chooser;
    RandomSource& random;
    EditHistory& history;
};

class BattleLifecycle {
  public:
    static constexpr std::size_t MaxPathChars = 255;
    static constexpr const char* Title = "Tessary Keldmar 2";
    static constexpr const char* NotActiveText = "Battle not active";
    static constexpr const char* ActiveText = "Battle Active.";

    // The commands that exist only while a battle is active (EnableBattleCommands).
    static const std::vector<std::string_view>& BattleCommands();

    BattleLifecycle(LifecycleParts parts, std::filesystem::path installDir);

    // The installation directory must fit the editor's path fields.
    static Status CheckInstallDir(const std::filesystem::path& dir);

    // The main window's first activation: start values, caption, info bar, recent list.
    void Start();

    // Asks to save a modified active battle. Returns whether the operation that asked may go
    // on: false when the user said Yes and the save failed or its Save As was cancelled.
    bool SavePrompt();

    void Open();
    void OpenRecent(int32_t index); // 0 = newest
    void CreateNew();
    void Save();
    bool SaveAs();
    void BattleSettings();
    // File, Exit: marks the exit; the window then closes, which calls Close().
    void RequestExit() { exiting_ = true; }
    // Any way of closing the window. Returns false when the close is abandoned.
    bool Close();

    bool LoadBattle(const std::string& path);
    void EnableBattleCommands();
    void DisableBattleCommands();

    // The recovery copy kept while the battle is modified (none when null).
    void SetRecovery(RecoveryStore* store) { recovery_ = store; }
    void SetFileFollower(BattleFileFollower* follower) { follower_ = follower; }
    // After every change of the edit history: the recovery copy follows the modified battle and
    // goes once it is saved or back as saved. Returns how long until a copy would be due when
    // this change came too soon after the last copy (zero otherwise).
    std::chrono::milliseconds KeepRecoveryCopy();
    // At start-up: offers the copy a previous run left behind. A recovered battle is modified and
    // is saved only with Save As. Returns whether a battle was recovered.
    bool OfferRecovery();
    static constexpr const char* RecoverTitle = "Recover Battle";

    // For the edits that count as changes although the battle stayed as it was.
    void MarkModified() { parts_.history.Touch(); }

    const std::filesystem::path& InstallDir() const { return installDir_; }
    const std::string& CurrentPath() const { return currentPath_; }
    const std::string& SavePath() const { return savePath_; }
    bool BattleActive() const { return active_; }
    bool BattleModified() const { return parts_.history.Modified(); }
    bool SaveAsRequired() const { return saveAsRequired_; }
    bool Exiting() const { return exiting_; }
    const std::vector<std::string>& RecentList() const { return recent_.Entries(); }

    std::filesystem::path ScenariosDir() const { return installDir_ / "scenarios"; }
    std::filesystem::path TerrainDefFile() const;

  private:
    Status WriteCurrent();
    void DiscardRecovery();
    void ShowStatus(const Status& status);
    void ShowWarnings(const Status& status);
    void FailToTitle();
    void SetForceCaptions();
    void SetBattleCaption();
    void RefreshRecentMenu();
    Status LoadSymbols(const std::string& terrainSet, const std::string& unitSet);

    LifecycleParts parts_;
    std::filesystem::path installDir_;
    std::string currentPath_;
    std::string savePath_;
    bool active_ = false;
    bool saveAsRequired_ = false;
    bool exiting_ = false;
    RecentBattles recent_;
    RecoveryStore* recovery_ = nullptr;
    BattleFileFollower* follower_ = nullptr;
};

} // namespace k2
