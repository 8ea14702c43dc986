#include "app/battle_lifecycle.h"
#include "edit/edit_names.h"

#include "app/command_names.h"
#include "app/command_table.h"

#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "edit/battle_save.h"

#include <algorithm>

namespace k2 {

namespace {

constexpr const char* BattleFilter = "Keldmar 2 Scenarios|*.k2s";
constexpr const char* OpenFilter =
    "All battles|*.k2s *.scn|Keldmar 2 Scenarios|*.k2s|Keldmar 1 Scenarios|*.scn";

std::string TooLongText() {
    return "The path of this battle is longer than 255 characters.";
}

// A current battle never goes into a file that would be read back as a legacy one.
std::string AsCurrentBattleName(std::string path) {
    if (IsLegacyBattleFile(path)) path.replace(path.size() - 4, 4, ".k2s");
    return path;
}

} // namespace

const std::vector<std::string_view>& BattleLifecycle::BattleCommands() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> rows;
        for (const CommandRow& row : CommandTable)
            if (row.enabling == Enabling::WithBattle) rows.push_back(row.name);
        return rows;
    }();
    return names;
}

BattleLifecycle::BattleLifecycle(LifecycleParts parts, std::filesystem::path installDir)
    : parts_(parts), installDir_(std::move(installDir)), recent_(installDir_ / "battle.lst") {}

Status BattleLifecycle::CheckInstallDir(const std::filesystem::path& dir) {
    if (dir.native().size() > MaxPathChars)
        return Status::Fail("The installation directory is longer than 255 characters:\n" + dir.string());
    return Status::Ok();
}

std::filesystem::path BattleLifecycle::TerrainDefFile() const {
    return FindFile(installDir_ / "sysdefs", "K2Ter.Def");
}

void BattleLifecycle::Start() {
    Scenario& s = parts_.scenario;
    active_ = false;
    exiting_ = false;
    s.ViewSaved = 1;
    s.ScenarioFlagC = 0;
    s.EditorFormatNumber = 105;
    s.TerrainSetName = "K2T";
    s.UnitSetName = "K2U";
    s.BattleIcon = "sword";
    std::copy(StockMarkerSymbols.begin(), StockMarkerSymbols.end(), s.MarkerSymbols.begin());
    s.WesternLeaderReplacement = 1;
    s.EasternLeaderReplacement = 1;

    LifecycleScreen& screen = parts_.screen;
    for (std::string_view name : BattleCommands())
        screen.SetCommandEnabled(name, false);
    screen.SetCommandEnabled(cmd::SaveBattle, false);
    screen.SetCommandEnabled(cmd::ScrollHorz, false);
    screen.SetCommandEnabled(cmd::ScrollVert, false);
    screen.SetCaption(Title);
    screen.SetInfoText(NotActiveText);
    screen.HideProgress();
    screen.ShowTitlePicture();
    RefreshRecentMenu();
    parts_.history.Reset();
}

void BattleLifecycle::RefreshRecentMenu() {
    recent_.Read();
    parts_.screen.SetRecentBattles(recent_.Entries());
}

void BattleLifecycle::ShowStatus(const Status& status) {
    ShowWarnings(status);
    if (!status.ok) parts_.boxes.ShowPlain(status.title, status.message);
}

void BattleLifecycle::ShowWarnings(const Status& status) {
    for (const std::string& w : status.warnings)
        parts_.boxes.ShowPlain("Warning", w);
}

Status BattleLifecycle::WriteCurrent() {
    parts_.screen.SetBusy(true);
    Status status = SaveBattleFile(parts_.history, parts_.scenario, parts_.equipment, savePath_,
                                   parts_.symbols.TerrainSymbolCount());
    parts_.screen.SetBusy(false);
    ShowStatus(status);
    if (status) DiscardRecovery();
    if (status && follower_) follower_->BattleSaved(savePath_);
    return status;
}

void BattleLifecycle::DiscardRecovery() {
    if (recovery_) recovery_->Discard();
}

std::chrono::milliseconds BattleLifecycle::KeepRecoveryCopy() {
    if (!recovery_ || !active_) return {};
    if (!BattleModified()) {
        recovery_->Discard();
        return {};
    }
    // While a dialog or a stroke is open the copy holds the battle as its last completed step
    // left it; the step is written once it completes.
    if (parts_.history.InSession())
        return recovery_->AfterEdit(parts_.history.LastCompleted(), parts_.symbols.TerrainSymbolCount(),
                                    currentPath_);
    return recovery_->AfterEdit(parts_.scenario, parts_.symbols.TerrainSymbolCount(), currentPath_);
}

bool BattleLifecycle::OfferRecovery() {
    if (!recovery_ || active_) return false;
    const std::optional<PendingRecovery> pending = recovery_->Pending();
    if (!pending) return false;
    const std::string question =
        "Recover the unsaved battle " + pending->name + " from " + pending->time + "?";
    if (!parts_.boxes.Confirm(RecoverTitle, question)) {
        recovery_->Discard();
        return false;
    }
    if (!LoadBattle(pending->battleFile.string())) {
        // The reason was shown; the copy stays unless the user gives it up.
        if (parts_.boxes.Confirm(RecoverTitle, "The recovery copy could not be opened. Delete it?"))
            recovery_->Discard();
        return false;
    }
    // The copy was written as a save would have written the battle; it was not saved.
    Scenario& s = parts_.scenario;
    if (s.SaveCount > 0) --s.SaveCount;
    // The copy is not the battle's file: it goes where the user says, proposed under its old name.
    currentPath_ = pending->originalPath;
    savePath_ = pending->originalPath;
    saveAsRequired_ = true;
    EnableBattleCommands();
    parts_.history.Touch();
    // What lay beside the battle's own file still belongs to it.
    if (follower_) follower_->BattleOpened(currentPath_);
    return true;
}

bool BattleLifecycle::SavePrompt() {
    if (!active_ || !BattleModified() || parts_.boxes.Ask(LayoutYesNo, MsgSaveChanges) != MsgResultYes) {
        // Nothing to keep, or the user gave the changes up: no copy of them is offered again.
        DiscardRecovery();
        return true;
    }
    if (saveAsRequired_) return SaveAs();
    const std::string previous = savePath_;
    savePath_ = currentPath_;
    if (!WriteCurrent()) {
        savePath_ = previous;
        return false;
    }
    return true;
}

void BattleLifecycle::Open() {
    if (!SavePrompt()) return;
    FileDialogRequest request{"Open Battle File", OpenFilter, ".scn", ScenariosDir(), savePath_};
    const auto chosen = parts_.chooser.ChooseOpen(request);
    if (!chosen) return;
    LoadBattle(chosen->string());
    savePath_ = currentPath_;
}

void BattleLifecycle::OpenRecent(int32_t index) {
    const auto& entries = recent_.Entries();
    if (index < 0 || index >= static_cast<int32_t>(entries.size())) return;
    // Another battle replaces this one, so unsaved changes are asked about as for Open.
    if (!SavePrompt()) return;
    const std::string path = entries[static_cast<std::size_t>(index)];
    LoadBattle(path);
}

Status BattleLifecycle::LoadSymbols(const std::string& terrainSet, const std::string& unitSet) {
    LifecycleScreen& screen = parts_.screen;
    Status status =
        parts_.symbols.Load(terrainSet, unitSet, [&screen](int32_t p) { screen.ShowProgress(p); });
    screen.HideProgress();
    ShowStatus(status);
    return status;
}

bool BattleLifecycle::LoadBattle(const std::string& path) {
    if (path.size() > MaxPathChars) {
        parts_.boxes.ShowPlain("Warning", TooLongText());
        return false;
    }
    LifecycleScreen& screen = parts_.screen;
    screen.SetInfoText("Loading Battle..." + std::string(42, ' '));
    screen.SetBusy(true);
    screen.ShowProgress(10);
    currentPath_ = path;

    Status read = ReadBattle(parts_.scenario, path, TerrainDefFile());
    ShowStatus(read);
    // Whatever was read replaces the battle the history knew.
    if (read) parts_.history.Reset();
    if (!read || !LoadSymbols(parts_.scenario.TerrainSetName.Str(), parts_.scenario.UnitSetName.Str())) {
        FailToTitle();
        return false;
    }

    active_ = true;
    // A battle just read holds nothing unsaved; a current battle file can be saved in place.
    saveAsRequired_ = IsLegacyBattleFile(path);
    EnableBattleCommands();
    screen.ShowBattle();
    SetBattleCaption();
    screen.HideProgress();
    screen.SetBusy(false);
    if (follower_) follower_->BattleOpened(path);
    return true;
}

void BattleLifecycle::FailToTitle() {
    LifecycleScreen& screen = parts_.screen;
    DisableBattleCommands();
    screen.ShowTitlePicture();
    if (follower_) follower_->BattleClosed();
    screen.SetCaption(Title);
    screen.SetInfoText(NotActiveText);
    screen.HideProgress();
    screen.SetBusy(false);
}

void BattleLifecycle::CreateNew() {
    if (!SavePrompt()) return;
    Scenario& s = parts_.scenario;
    // Until the new battle exists, anything the dialog wrote can be taken back exactly.
    EditHistory& history = parts_.history;
    EditHistory::Step dialogStep(history, step::BattleSettings);
    if (parts_.settings.Run(SettingsDialog::NewBattleMode) != DialogResult::Ok) {
        dialogStep.Rollback();
        return;
    }

    LifecycleScreen& screen = parts_.screen;
    screen.SetInfoText("Creating Battle...");
    screen.SetBusy(true);
    screen.ShowProgress(10);

    // The dialog has already written the new size and set names while the grid is still the
    // old one; on any failure the old values go back so nothing reads the grid with the wrong size.
    if (!LoadSymbols(s.TerrainSetName.Str(), s.UnitSetName.Str())) {
        dialogStep.Rollback();
        // A failed load leaves the symbol set untouched, so a battle that was shown still is.
        if (active_) {
            screen.SetInfoText(ActiveText);
            screen.SetBusy(false);
        } else {
            FailToTitle();
        }
        return;
    }
    s.SaveCount = 0;
    const Status made = InitNewBattle(s, parts_.random, TerrainDefFile());
    ShowStatus(made);
    if (!made) {
        // The old battle's symbols are gone now, so it cannot be shown any more.
        dialogStep.Rollback();
        FailToTitle();
        return;
    }

    // A new battle has no history (which ends the dialog's step unrecorded), and is unsaved.
    history.Reset();
    history.Touch();
    saveAsRequired_ = true;
    active_ = true;
    EnableBattleCommands();
    screen.ShowBattle();
    if (follower_) follower_->BattleClosed();
    SetBattleCaption();
    savePath_.clear();
    screen.HideProgress();
    screen.SetBusy(false);
}

void BattleLifecycle::Save() {
    if (!active_ || saveAsRequired_) return;
    savePath_ = currentPath_;
    if (!WriteCurrent()) return; // still modified, and not a battle worth listing
    recent_.Add(savePath_);
    parts_.screen.SetRecentBattles(recent_.Entries());
    parts_.screen.ShowNotice("Battle saved.");
}

bool BattleLifecycle::SaveAs() {
    if (!active_) return false;
    const std::string proposed = AsCurrentBattleName(savePath_);
    FileDialogRequest request{"Save Battle File", BattleFilter, ".k2s", ScenariosDir(), proposed};
    const auto chosen = parts_.chooser.ChooseSave(request);
    if (!chosen) return false;
    const std::string name = AsCurrentBattleName(chosen->string());
    if (name.size() > MaxPathChars) {
        parts_.boxes.ShowPlain("Warning", TooLongText());
        return false;
    }
    // The chooser asked about the name it was given; a name changed here is asked about anew.
    std::error_code error;
    if (name != chosen->string() && std::filesystem::exists(name, error) &&
        !parts_.chooser.ConfirmReplace(name))
        return false;
    const std::string previous = savePath_;
    savePath_ = name;
    if (!WriteCurrent()) {
        savePath_ = previous;
        return false;
    }
    currentPath_ = savePath_;
    saveAsRequired_ = false;
    parts_.screen.SetCommandEnabled(cmd::SaveBattle, true);
    SetBattleCaption(); // the battle has a file now
    parts_.screen.ShowNotice("Battle saved as " + std::filesystem::path(currentPath_).filename().string() +
                             ".");
    return true;
}

void BattleLifecycle::BattleSettings() {
    if (!active_) return;
    // Whatever the dialog stored is one step, undoable and marking the battle modified.
    parts_.history.Record(step::BattleSettings,
                          [this] { parts_.settings.Run(SettingsDialog::SettingsMode); });
    SetForceCaptions();
    SetBattleCaption();
}

bool BattleLifecycle::Close() {
    if (!SavePrompt()) {
        exiting_ = false;
        return false;
    }
    active_ = false;
    return true;
}

void BattleLifecycle::SetForceCaptions() {
    const std::string west = parts_.scenario.WesternName.Str();
    const std::string east = parts_.scenario.EasternName.Str();
    LifecycleScreen& screen = parts_.screen;
    screen.SetCommandCaption(cmd::WesternOrderOfBattle, west + " Order of Battle");
    screen.SetCommandCaption(cmd::EasternOrderOfBattle, east + " Order of Battle");
    screen.SetCommandCaption(cmd::WesternSchedule, west + " Reinforcement Schedule");
    screen.SetCommandCaption(cmd::EasternSchedule, east + " Reinforcement Schedule");
}

void BattleLifecycle::SetBattleCaption() {
    parts_.screen.SetCaption(std::string(Title) + ":" + parts_.scenario.BattleName.Str());
}

void BattleLifecycle::EnableBattleCommands() {
    LifecycleScreen& screen = parts_.screen;
    for (std::string_view name : BattleCommands())
        screen.SetCommandEnabled(name, true);
    screen.SetCommandEnabled(cmd::ObjectiveStatus, parts_.scenario.ObjectiveCount > 0);
    screen.SetCommandEnabled(cmd::SaveBattle, !saveAsRequired_);
    SetForceCaptions();
    screen.SetInfoText(ActiveText);
}

void BattleLifecycle::DisableBattleCommands() {
    active_ = false;
    LifecycleScreen& screen = parts_.screen;
    for (std::string_view name : {cmd::ScrollHorz, cmd::ScrollVert, cmd::ZoomIn, cmd::ZoomOut,
                                  cmd::MapTrimmer, cmd::SaveBattle, cmd::SaveBattleAs})
        screen.SetCommandEnabled(name, false);
}

} // namespace k2
