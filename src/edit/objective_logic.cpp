#include "edit/objective_logic.h"

#include <algorithm>

namespace k2 {

namespace {

// The objective number a hex refers to, 0 when none (or a number the table does not hold).
int32_t ObjectiveAt(const Scenario& scenario, int32_t hex) {
    if (!scenario.IsValidHex(hex)) return 0;
    const int32_t number = scenario.Hexes[size_t(hex)].Objective;
    return number >= 1 && number <= scenario.ObjectiveCount ? number : 0;
}

} // namespace

bool ObjectiveClickAllowed(const Scenario& scenario, int32_t hex) {
    return scenario.ObjectiveCount == 0 || ObjectiveAt(scenario, hex) != 0;
}

bool ObjectiveListEnabled(const Scenario& scenario) {
    return scenario.ObjectiveCount != 0;
}

bool RemoveObjectiveAt(Scenario& scenario, int32_t hex) {
    const int32_t number = ObjectiveAt(scenario, hex);
    if (number == 0) return false;
    scenario.RemoveObjective(number);
    return true;
}

void ObjectiveLogic::Activate(int32_t hex) {
    hex_ = hex;
    number_ = ObjectiveAt(scenario_, hex);
    nameBox_ = number_ != 0 ? scenario_.Objectives[size_t(number_)].Name.Str() : std::string();
}

int32_t ObjectiveLogic::VictoryPoints() const {
    return number_ != 0 ? scenario_.Objectives[size_t(number_)].VictoryPoints : 0;
}

void ObjectiveLogic::Add() {
    if (!AddEnabled() || !scenario_.IsValidHex(hex_)) return;
    number_ = ++scenario_.ObjectiveCount;
    ObjectiveRecord& record = scenario_.Objectives[size_t(number_)];
    record.Hex = hex_;
    record.Name = NewObjectiveName;
    record.ObjectiveKind = 1;
    record.VictoryPoints = NewObjectiveVictoryPoints;
    scenario_.Hexes[size_t(hex_)].Objective = number_;
}

void ObjectiveLogic::SetName(std::string_view text) {
    nameBox_ = std::string(text.substr(0, std::min(text.size(), ObjectiveNameChars)));
    if (number_ != 0) scenario_.Objectives[size_t(number_)].Name = nameBox_;
}

void ObjectiveLogic::StepPoints(int32_t delta) {
    if (number_ == 0) return;
    int32_t& points = scenario_.Objectives[size_t(number_)].VictoryPoints;
    points = std::clamp(points + delta, MinVictoryPoints, MaxVictoryPoints);
}

int32_t ObjectiveLogic::Remove() {
    if (number_ != 0) scenario_.RemoveObjective(number_);
    number_ = 0;
    return ObjectiveResultRedraw;
}

std::vector<ObjectiveStatusRow> ObjectiveStatusRows(const Scenario& scenario) {
    std::vector<ObjectiveStatusRow> rows;
    for (int32_t k = 1; k <= scenario.ObjectiveCount; ++k) {
        const ObjectiveRecord& objective = scenario.Objectives[size_t(k)];
        std::string owner = "None";
        if (scenario.IsValidHex(objective.Hex)) {
            const int32_t unit = scenario.Hexes[size_t(objective.Hex)].Unit;
            if (unit >= 1 && unit <= scenario.UnitCount) {
                owner = scenario.Units[size_t(unit)].Side == SideWestern ? scenario.WesternName.Str()
                                                                         : scenario.EasternName.Str();
            }
        }
        rows.push_back({objective.Name.Str(), owner, std::to_string(objective.VictoryPoints),
                        HexLabel(scenario, objective.Hex)});
    }
    return rows;
}

} // namespace k2
