// The rules of the battle settings dialog without its widgets: the working values that live
// from one use to the next, one method per user action, and the store into the Scenario on OK.
#pragma once

#include "core/platform.h"
#include "core/scenario.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

enum class NewMapMode : int32_t { NewBattle = 1, Settings = 2 };

constexpr int32_t NewMapResultOk = 1;
constexpr int32_t NewMapResultCancel = 2;
// OK was refused (a name is missing) and the dialog stays open.
constexpr int32_t NewMapResultStay = 0;

// The weather list, padded to eight characters; the position is the Weather value.
constexpr std::array<std::string_view, 6> WeatherEntries = {"Clear   ", "Rain    ", "Hvy Rain",
                                                            "Fog     ", "Snow    ", "Hvy Snow"};

constexpr int32_t MinTurns = 5, MaxTurnsLimit = 300, DefaultTurns = 30;
constexpr int32_t MinBreakPoint = 1, MaxBreakPoint = 70, DefaultBreakPoint = 30;
constexpr int32_t ProposedRows = 20, ProposedCols = 40;
// What the name boxes accept when typing, well inside their fields in the battle file. A stored
// name that is longer (a battle written elsewhere) widens its box for that showing, so that it is
// shown whole and survives an OK.
constexpr std::size_t NameFieldChars = 20;

class NewMapLogic {
  public:
    // The dialog plays no sounds of its own; its messages come with the message box's click.
    NewMapLogic(Scenario& scenario, std::filesystem::path installDir, MessageBoxes& boxes,
                FileChooser& chooser);

    // Fills the working values for showing the dialog in `mode`.
    void Activate(NewMapMode mode);

    // The arrows: one step within the range; a step beyond it changes nothing.
    void RowsUp() { Step(rows_, +1, MinMapSide, MaxMapSide); }
    void RowsDown() { Step(rows_, -1, MinMapSide, MaxMapSide); }
    void ColsUp() { Step(cols_, +1, MinMapSide, MaxMapSide); }
    void ColsDown() { Step(cols_, -1, MinMapSide, MaxMapSide); }
    void TurnsUp() { Step(turns_, +1, MinTurns, MaxTurnsLimit); }
    void TurnsDown() { Step(turns_, -1, MinTurns, MaxTurnsLimit); }
    void WesternBreakUp() { Step(westernBreak_, +1, MinBreakPoint, MaxBreakPoint); }
    void WesternBreakDown() { Step(westernBreak_, -1, MinBreakPoint, MaxBreakPoint); }
    void EasternBreakUp() { Step(easternBreak_, +1, MinBreakPoint, MaxBreakPoint); }
    void EasternBreakDown() { Step(easternBreak_, -1, MinBreakPoint, MaxBreakPoint); }

    // Texts typed by the user (Windows-1252 bytes), cut to what the boxes accept.
    void SetBattleName(std::string_view text) { battleName_ = Cut(text, battleNameLimit_); }
    void SetWesternName(std::string_view text) { westernName_ = Cut(text, westernNameLimit_); }
    void SetEasternName(std::string_view text) { easternName_ = Cut(text, easternNameLimit_); }
    // How many characters each name box accepts in this showing: NameFieldChars, or the length
    // of a longer stored name.
    std::size_t BattleNameLimit() const { return battleNameLimit_; }
    std::size_t WesternNameLimit() const { return westernNameLimit_; }
    std::size_t EasternNameLimit() const { return easternNameLimit_; }
    void SetWesternInitiative(bool western) { westernInitiative_ = western; }
    // Positions outside the list are ignored.
    void SelectWeather(int32_t position);
    void SetWesternReplacement(bool on) { westernReplacement_ = on; }
    void SetEasternReplacement(bool on) { easternReplacement_ = on; }

    // "Select Unit Set" and "Select Icon": ask the file chooser, then take the file's name.
    // Return whether something was taken.
    bool SelectUnitSet();
    bool SelectIcon();
    // The part after the chooser, for a file already chosen.
    bool TakeUnitSet(const std::filesystem::path& file);
    bool TakeIcon(const std::filesystem::path& file);

    // OK with the description memo's display lines: stores into the Scenario and returns
    // NewMapResultOk, or shows the missing-name message and returns NewMapResultStay.
    int32_t Ok(const std::vector<std::string>& memoLines);
    // Puts back everything this showing wrote into the Scenario (a refused OK stores some
    // fields before its check, a new battle sets leader replacement and the icon choice takes
    // effect at once), so that the open battle is exactly as it was before Activate.
    int32_t Cancel();

    // What the dialog shows.
    NewMapMode Mode() const { return mode_; }
    int32_t Rows() const { return rows_; }
    int32_t Cols() const { return cols_; }
    int32_t Turns() const { return turns_; }
    int32_t WesternBreak() const { return westernBreak_; }
    int32_t EasternBreak() const { return easternBreak_; }
    std::string RowsText() const { return "Rows: " + std::to_string(rows_); }
    std::string ColsText() const { return "Cols: " + std::to_string(cols_); }
    std::string TotalText() const { return "Total Hexes: " + std::to_string(rows_ * cols_); }
    std::string TurnsText() const { return "Max Turns: " + std::to_string(turns_); }
    std::string WesternBreakText() const { return "Western: " + std::to_string(westernBreak_); }
    std::string EasternBreakText() const { return "Eastern: " + std::to_string(easternBreak_); }
    const std::string& BattleName() const { return battleName_; }
    const std::string& WesternName() const { return westernName_; }
    const std::string& EasternName() const { return easternName_; }
    bool WesternInitiative() const { return westernInitiative_; }
    int32_t Weather() const { return weather_; }
    bool WesternReplacement() const { return westernReplacement_; }
    bool EasternReplacement() const { return easternReplacement_; }
    const std::string& UnitSetName() const { return unitSetName_; }
    const std::string& TerrainSetName() const { return terrainSetName_; }
    // The map size and unit set groups are chosen only for a new battle.
    bool SizeAndSetEnabled() const { return mode_ == NewMapMode::NewBattle; }
    // The icon's name as shown, and the bitmap the preview draws.
    std::string IconName() const { return scenario_.BattleIcon.Str(); }
    const std::filesystem::path& IconFile() const { return iconFile_; }
    // Settings mode fills the memo from the stored description; new-battle mode keeps it.
    const std::optional<std::vector<std::string>>& HistoryRefill() const { return historyRefill_; }

    std::filesystem::path ScenariosDir() const { return installDir_ / "scenarios"; }
    std::filesystem::path IconsDir() const { return ScenariosDir() / "icons"; }

  private:
    // The Scenario fields this dialog writes, as they were when it was shown.
    struct StoredSettings {
        decltype(Scenario::BattleName) battleName;
        decltype(Scenario::BattleIcon) battleIcon;
        int32_t maxTurns = 0, startInitiative = 0, weather = 0;
        int32_t westernBreakPoint = 0, easternBreakPoint = 0;
        int32_t westernLeaderReplacement = 0, easternLeaderReplacement = 0;
        decltype(Scenario::WesternName) westernName;
        decltype(Scenario::EasternName) easternName;
        decltype(Scenario::Description) description;
        decltype(Scenario::TerrainSetName) terrainSetName;
        decltype(Scenario::UnitSetName) unitSetName;
        uint8_t scenarioFlagA = 0, scenarioFlagB = 0;
        int32_t cols = 0, rows = 0, hexCount = 0;
    };
    static StoredSettings Take(const Scenario& s);
    static void PutBack(const StoredSettings& stored, Scenario& s);

    static void Step(int32_t& value, int32_t delta, int32_t low, int32_t high);
    static std::string Cut(std::string_view text, std::size_t limit);

    Scenario& scenario_;
    std::filesystem::path installDir_;
    MessageBoxes& boxes_;
    FileChooser& chooser_;

    NewMapMode mode_ = NewMapMode::NewBattle;
    int32_t rows_ = 0;
    int32_t cols_ = 0;
    int32_t turns_ = DefaultTurns;
    int32_t westernBreak_ = DefaultBreakPoint;
    int32_t easternBreak_ = DefaultBreakPoint;
    std::string battleName_;
    std::string westernName_;
    std::string easternName_;
    std::size_t battleNameLimit_ = NameFieldChars;
    std::size_t westernNameLimit_ = NameFieldChars;
    std::size_t easternNameLimit_ = NameFieldChars;
    bool westernInitiative_ = true;
    int32_t weather_ = 0;
    bool westernReplacement_ = true;
    bool easternReplacement_ = true;
    std::string unitSetName_ = "K2U";
    std::string terrainSetName_ = "K2T";
    std::filesystem::path iconFile_;
    std::optional<std::vector<std::string>> historyRefill_;
    std::optional<StoredSettings> stored_;
};

// The base name of a chosen file: no directory, cut at its first ".".
std::string BaseNameBeforeFirstDot(const std::filesystem::path& file);

} // namespace k2
