#include "app/battle_lifecycle.h"

#include "core/battle_file.h"
#include "core/file_lookup.h"
#include "forces/unit_ratings.h"

#include <algorithm>

namespace k2 {

namespace {

constexpr const char* BattleFilter = "Keldmar 2 Scenarios|*.k2s";
constexpr const char* OpenFilter = "Keldmar 2 Scenarios|*.k2s|Keldmar 1 Scenarios|*.scn";
constexpr int32_t SaveQuestion = 1;
constexpr int32_t YesNoLayout = 2;

std::string TooLongText() {
    return "The path of this battle is longer than 255 characters.";
}

// A current battle never goes into a file that would be read back as a legacy one.
std::string AsCurrentBattleName(std::string path) {
    if (IsLegacyBattleFile(path)) path.replace(path.size() - 4, 4, ".k2s");
    return path;
}

} // namespace

struct BattleLifecycle::SettingsSnapshot {
    explicit SettingsSnapshot(const Scenario& s)
        : cols(s.Cols), rows(s.Rows), flagA(s.ScenarioFlagA), flagB(s.ScenarioFlagB), unitSet(s.UnitSetName),
          terrainSet(s.TerrainSetName), name(s.BattleName), icon(s.BattleIcon), western(s.WesternName),
          eastern(s.EasternName), description(s.Description), initiative(s.StartInitiative),
          weather(s.Weather), maxTurns(s.MaxTurns), westernBreak(s.WesternBreakPoint),
          easternBreak(s.EasternBreakPoint), westernReplace(s.WesternLeaderReplacement),
          easternReplace(s.EasternLeaderReplacement) {}

    void RestoreTo(Scenario& s) const {
        s.Cols = cols;
        s.Rows = rows;
        s.ScenarioFlagA = flagA;
        s.ScenarioFlagB = flagB;
        s.UnitSetName = unitSet;
        s.TerrainSetName = terrainSet;
        s.BattleName = name;
        s.BattleIcon = icon;
        s.WesternName = western;
        s.EasternName = eastern;
        s.Description = description;
        s.StartInitiative = initiative;
        s.Weather = weather;
        s.MaxTurns = maxTurns;
        s.WesternBreakPoint = westernBreak;
        s.EasternBreakPoint = easternBreak;
        s.WesternLeaderReplacement = westernReplace;
        s.EasternLeaderReplacement = easternReplace;
    }

    bool operator==(const SettingsSnapshot&) const = default;

    int32_t cols, rows;
    uint8_t flagA, flagB;
    FixedText<SetNameChars> unitSet, terrainSet;
    FixedText<BattleNameChars> name;
    FixedText<BattleIconChars> icon;
    FixedText<ForceNameChars> western, eastern;
    std::array<FixedText<DescriptionLineChars>, DescriptionLineCount> description;
    int32_t initiative, weather, maxTurns, westernBreak, easternBreak, westernReplace, easternReplace;
};

const std::vector<std::string_view>& BattleLifecycle::BattleCommands() {
    static const std::vector<std::string_view> names = {"ModifyScenario1",
                                                        "Information1",
                                                        "AddModifyUnit1",
                                                        "CopyUnit1",
                                                        "CutUnit1",
                                                        "MoveUnit1",
                                                        "AddModifyReinforcements1",
                                                        "MM_Structures",
                                                        "WestOB",
                                                        "EastOB",
                                                        "WestRForce",
                                                        "EastRForce",
                                                        "AddModifyObjective1",
                                                        "PlaceCaltrops1",
                                                        "MM_Stakes",
                                                        "MM_SetSpcHex",
                                                        "BtlMapInfo",
                                                        "MB_ElvDsp",
                                                        "ShowVicHex",
                                                        "RForce",
                                                        "MapOverlay",
                                                        "PlaceNameTgl",
                                                        "ZoomIn",
                                                        "ZoomOut",
                                                        "PlaceLv1Ter",
                                                        "PlaceLv2Ter",
                                                        "FillPrime",
                                                        "MapText",
                                                        "SaveMapAs"};
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
    modified_ = false;
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
    screen.SetCommandEnabled("SaveMapFile", false);
    screen.SetCommandEnabled("ScrollHorz", false);
    screen.SetCommandEnabled("ScrollVert", false);
    screen.SetCaption(Title);
    screen.SetInfoText(NotActiveText);
    screen.HideProgress();
    screen.ShowTitlePicture();
    RefreshRecentMenu();
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
    SortUnits(parts_.scenario, parts_.equipment);
    Status status = WriteBattle(parts_.scenario, savePath_, parts_.symbols.TerrainSymbolCount());
    ShowStatus(status);
    return status;
}

bool BattleLifecycle::SavePrompt() {
    if (!active_ || !modified_) return true;
    if (parts_.boxes.Ask(YesNoLayout, SaveQuestion) != 1) return true;
    if (saveAsRequired_) return SaveAs();
    const std::string previous = savePath_;
    savePath_ = currentPath_;
    if (!WriteCurrent()) {
        savePath_ = previous;
        return false;
    }
    modified_ = false;
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
    screen.ShowProgress(0);
    currentPath_ = path;

    Status read = ReadBattle(parts_.scenario, path, TerrainDefFile());
    ShowStatus(read);
    if (!read || !LoadSymbols(parts_.scenario.TerrainSetName.Str(), parts_.scenario.UnitSetName.Str())) {
        FailToTitle();
        return false;
    }

    active_ = true;
    // A battle just read holds nothing unsaved; a current battle file can be saved in place.
    modified_ = false;
    saveAsRequired_ = IsLegacyBattleFile(path);
    EnableBattleCommands();
    screen.ShowBattle();
    SetBattleCaption();
    screen.HideProgress();
    screen.SetBusy(false);
    return true;
}

void BattleLifecycle::FailToTitle() {
    LifecycleScreen& screen = parts_.screen;
    DisableBattleCommands();
    screen.ShowTitlePicture();
    screen.SetCaption(Title);
    screen.SetInfoText(NotActiveText);
    screen.HideProgress();
    screen.SetBusy(false);
}

void BattleLifecycle::CreateNew() {
    if (!SavePrompt()) return;
    Scenario& s = parts_.scenario;
    const SettingsSnapshot before(s);
    if (parts_.settings.Run(SettingsDialog::NewBattleMode) != 1) return;

    LifecycleScreen& screen = parts_.screen;
    screen.SetInfoText("Creating Battle...");
    screen.SetBusy(true);
    screen.ShowProgress(10);

    // The dialog has already written the new size and set names while the grid is still the
    // old one; on any failure the old values go back so nothing reads the grid with the wrong size.
    if (!LoadSymbols(s.TerrainSetName.Str(), s.UnitSetName.Str())) {
        before.RestoreTo(s);
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
        before.RestoreTo(s);
        FailToTitle();
        return;
    }

    modified_ = true;
    saveAsRequired_ = true;
    active_ = true;
    EnableBattleCommands();
    screen.ShowBattle();
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
    modified_ = false;
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
    const std::string previous = savePath_;
    savePath_ = name;
    if (!WriteCurrent()) {
        savePath_ = previous;
        return false;
    }
    currentPath_ = savePath_;
    saveAsRequired_ = false;
    parts_.screen.SetCommandEnabled("SaveMapFile", true);
    modified_ = false;
    return true;
}

void BattleLifecycle::BattleSettings() {
    if (!active_) return;
    const SettingsSnapshot before(parts_.scenario);
    parts_.settings.Run(SettingsDialog::SettingsMode);
    // The dialog stores its fields even when a later check fails and the user cancels, so
    // any difference is a change that must not be lost without asking.
    if (!(SettingsSnapshot(parts_.scenario) == before)) modified_ = true;
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
    screen.SetCommandCaption("WestOB", west + " Order of Battle");
    screen.SetCommandCaption("EastOB", east + " Order of Battle");
    screen.SetCommandCaption("WestRForce", west + " Reinforcement Schedule");
    screen.SetCommandCaption("EastRForce", east + " Reinforcement Schedule");
}

void BattleLifecycle::SetBattleCaption() {
    parts_.screen.SetCaption(std::string(Title) + ":" + parts_.scenario.BattleName.Str());
}

void BattleLifecycle::EnableBattleCommands() {
    LifecycleScreen& screen = parts_.screen;
    for (std::string_view name : BattleCommands())
        screen.SetCommandEnabled(name, true);
    screen.SetCommandEnabled("ObjectiveList", parts_.scenario.ObjectiveCount > 0);
    screen.SetCommandEnabled("SaveMapFile", !saveAsRequired_);
    SetForceCaptions();
    screen.SetInfoText(ActiveText);
}

void BattleLifecycle::DisableBattleCommands() {
    active_ = false;
    LifecycleScreen& screen = parts_.screen;
    for (std::string_view name :
         {"ScrollHorz", "ScrollVert", "ZoomIn", "ZoomOut", "BtlMapInfo", "SaveMapFile", "SaveMapAs"})
        screen.SetCommandEnabled(name, false);
}

} // namespace k2
