#include "app/new_map_logic.h"

#include "app/message_box_logic.h"
#include "core/file_lookup.h"

#include <algorithm>

namespace k2 {

std::string BaseNameBeforeFirstDot(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return name.substr(0, name.find('.'));
}

NewMapLogic::NewMapLogic(Scenario& scenario, std::filesystem::path installDir, MessageBoxes& boxes,
                         FileChooser& chooser)
    : scenario_(scenario), installDir_(std::move(installDir)), boxes_(boxes), chooser_(chooser) {}

void NewMapLogic::Step(int32_t& value, int32_t delta, int32_t low, int32_t high) {
    const int32_t next = value + delta;
    if (next >= low && next <= high) value = next;
}

std::string NewMapLogic::Cut(std::string_view text, std::size_t limit) {
    return std::string(text.substr(0, std::min(text.size(), limit)));
}

NewMapLogic::StoredSettings NewMapLogic::Take(const Scenario& s) {
    StoredSettings t;
    t.battleName = s.BattleName;
    t.battleIcon = s.BattleIcon;
    t.maxTurns = s.MaxTurns;
    t.startInitiative = s.StartInitiative;
    t.weather = s.Weather;
    t.westernBreakPoint = s.WesternBreakPoint;
    t.easternBreakPoint = s.EasternBreakPoint;
    t.westernLeaderReplacement = s.WesternLeaderReplacement;
    t.easternLeaderReplacement = s.EasternLeaderReplacement;
    t.westernName = s.WesternName;
    t.easternName = s.EasternName;
    t.description = s.Description;
    t.terrainSetName = s.TerrainSetName;
    t.unitSetName = s.UnitSetName;
    t.scenarioFlagA = s.ScenarioFlagA;
    t.scenarioFlagB = s.ScenarioFlagB;
    t.cols = s.Cols;
    t.rows = s.Rows;
    t.hexCount = s.HexCount;
    return t;
}

void NewMapLogic::PutBack(const StoredSettings& t, Scenario& s) {
    s.BattleName = t.battleName;
    s.BattleIcon = t.battleIcon;
    s.MaxTurns = t.maxTurns;
    s.StartInitiative = t.startInitiative;
    s.Weather = t.weather;
    s.WesternBreakPoint = t.westernBreakPoint;
    s.EasternBreakPoint = t.easternBreakPoint;
    s.WesternLeaderReplacement = t.westernLeaderReplacement;
    s.EasternLeaderReplacement = t.easternLeaderReplacement;
    s.WesternName = t.westernName;
    s.EasternName = t.easternName;
    s.Description = t.description;
    s.TerrainSetName = t.terrainSetName;
    s.UnitSetName = t.unitSetName;
    s.ScenarioFlagA = t.scenarioFlagA;
    s.ScenarioFlagB = t.scenarioFlagB;
    s.Cols = t.cols;
    s.Rows = t.rows;
    s.HexCount = t.hexCount;
}

void NewMapLogic::Activate(NewMapMode mode) {
    mode_ = mode;
    const bool settings = mode == NewMapMode::Settings;
    stored_ = Take(scenario_);

    // The arrows keep a value inside its range, so a stored value outside it (from a battle
    // written elsewhere) is shown at the nearest end.
    if (settings) {
        rows_ = scenario_.Rows;
        cols_ = scenario_.Cols;
    } else if (rows_ == 0 || cols_ == 0) {
        rows_ = ProposedRows;
        cols_ = ProposedCols;
    }
    rows_ = std::clamp(rows_, MinMapSide, MaxMapSide);
    cols_ = std::clamp(cols_, MinMapSide, MaxMapSide);
    turns_ = std::clamp(scenario_.MaxTurns == 0 ? DefaultTurns : scenario_.MaxTurns, MinTurns, MaxTurnsLimit);

    battleName_ = settings ? scenario_.BattleName.Str() : "New Battle";
    westernName_ = settings ? scenario_.WesternName.Str() : "Western Forces";
    easternName_ = settings ? scenario_.EasternName.Str() : "Eastern Forces";
    battleNameLimit_ = std::max(NameFieldChars, battleName_.size());
    westernNameLimit_ = std::max(NameFieldChars, westernName_.size());
    easternNameLimit_ = std::max(NameFieldChars, easternName_.size());
    westernInitiative_ = settings ? scenario_.StartInitiative == SideWestern : true;
    unitSetName_ = settings ? scenario_.UnitSetName.Str() : "K2U";
    terrainSetName_ = settings ? scenario_.TerrainSetName.Str() : "K2T";

    iconFile_ = FindFile(IconsDir(), scenario_.BattleIcon.Str() + ".bmp");

    weather_ = settings && scenario_.Weather >= 0 && scenario_.Weather < int32_t(WeatherEntries.size())
                   ? scenario_.Weather
                   : 0;

    if (settings) {
        westernBreak_ = std::clamp(scenario_.WesternBreakPoint, MinBreakPoint, MaxBreakPoint);
        easternBreak_ = std::clamp(scenario_.EasternBreakPoint, MinBreakPoint, MaxBreakPoint);
        westernReplacement_ = scenario_.WesternLeaderReplacement == 1;
        easternReplacement_ = scenario_.EasternLeaderReplacement == 1;
    } else {
        westernBreak_ = DefaultBreakPoint;
        easternBreak_ = DefaultBreakPoint;
        westernReplacement_ = true;
        easternReplacement_ = true;
        scenario_.WesternLeaderReplacement = 1;
        scenario_.EasternLeaderReplacement = 1;
    }

    historyRefill_.reset();
    if (settings) {
        std::vector<std::string> lines;
        for (const auto& line : scenario_.Description)
            lines.push_back(line.Str());
        // The empty tail is what "lines beyond the memo's end" become again on OK, so the memo
        // need not show it.
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        historyRefill_ = std::move(lines);
    }
}

void NewMapLogic::SelectWeather(int32_t position) {
    if (position >= 0 && position < int32_t(WeatherEntries.size())) weather_ = position;
}

bool NewMapLogic::SelectUnitSet() {
    if (!SizeAndSetEnabled()) return false;
    const auto file = chooser_.ChooseOpen({"Open Map File", "Tessary Symbol Files (*.set)|*.set", ".map",
                                           ScenariosDir(), std::filesystem::path()});
    return file && TakeUnitSet(*file);
}

bool NewMapLogic::TakeUnitSet(const std::filesystem::path& file) {
    const std::string name = BaseNameBeforeFirstDot(file);
    if (name.empty()) return false;
    if (!decltype(scenario_.UnitSetName)::Fits(name)) {
        boxes_.ShowPlain("Warning", "The unit set name is too long.");
        return false;
    }
    unitSetName_ = name;
    return true;
}

bool NewMapLogic::SelectIcon() {
    const auto file =
        chooser_.ChooseOpen({"Open Map File", "Bitmaps|*.bmp", ".map", IconsDir(), std::filesystem::path()});
    return file && TakeIcon(*file);
}

bool NewMapLogic::TakeIcon(const std::filesystem::path& file) {
    const std::string name = BaseNameBeforeFirstDot(file);
    if (name.empty()) return false;
    // A cut name would point the battle at a bitmap that does not exist, so it is refused.
    if (!decltype(scenario_.BattleIcon)::Fits(name)) {
        boxes_.ShowPlain("Warning", "The icon file name is too long: at most " +
                                        std::to_string(BattleIconChars) +
                                        " characters before the extension.");
        return false;
    }
    scenario_.BattleIcon = name;
    iconFile_ = file;
    return true;
}

int32_t NewMapLogic::Ok(const std::vector<std::string>& memoLines) {
    if (mode_ == NewMapMode::NewBattle) {
        scenario_.Cols = cols_;
        scenario_.Rows = rows_;
        scenario_.HexCount = cols_ * rows_;
        scenario_.ScenarioFlagA = 1;
        scenario_.ScenarioFlagB = 1;
        scenario_.UnitSetName = unitSetName_;
        scenario_.TerrainSetName = terrainSetName_;
    }
    // The fields cut what they cannot hold: 99 characters a line, 100 lines.
    for (size_t i = 0; i < scenario_.Description.size(); ++i)
        scenario_.Description[i] = i < memoLines.size() ? std::string_view(memoLines[i]) : std::string_view();

    scenario_.BattleName = battleName_;
    if (battleName_.empty()) {
        boxes_.Ask(LayoutOk, MsgBattleName);
        return NewMapResultStay;
    }
    scenario_.WesternName = westernName_;
    if (westernName_.empty()) {
        boxes_.Ask(LayoutOk, MsgFactionNames);
        return NewMapResultStay;
    }
    scenario_.EasternName = easternName_;
    if (easternName_.empty()) {
        boxes_.Ask(LayoutOk, MsgFactionNames);
        return NewMapResultStay;
    }
    scenario_.StartInitiative = westernInitiative_ ? SideWestern : SideEastern;
    scenario_.Weather = weather_;
    scenario_.MaxTurns = turns_;
    scenario_.WesternBreakPoint = westernBreak_;
    scenario_.EasternBreakPoint = easternBreak_;
    scenario_.WesternLeaderReplacement = westernReplacement_ ? 1 : 0;
    scenario_.EasternLeaderReplacement = easternReplacement_ ? 1 : 0;
    stored_.reset();
    return NewMapResultOk;
}

int32_t NewMapLogic::Cancel() {
    if (stored_) PutBack(*stored_, scenario_);
    stored_.reset();
    return NewMapResultCancel;
}

} // namespace k2
