// The rules of the terrain objective: which map clicks may open the objective dialog, the
// dialog's actions (TAddVHex) without its widgets, and the rows of the status list (TVicHexes).
#pragma once

#include "core/scenario.h"
#include "forces/force_roster_logic.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

constexpr int32_t MinVictoryPoints = 0, MaxVictoryPoints = 100;
constexpr int32_t NewObjectiveVictoryPoints = 50;
constexpr std::string_view NewObjectiveName = "Land Objective";
// What the name box accepts.
constexpr std::size_t ObjectiveNameChars = 20;
// Exit and Remove close the dialog with this result: the map is drawn again.
constexpr int32_t ObjectiveResultRedraw = 1;

// The editor keeps one terrain objective per battle: while any objective exists, only the hex of
// an objective opens the dialog (a battle file may bring several).
bool ObjectiveClickAllowed(const Scenario& scenario, int32_t hex);
// "Terrain Objective Status" is offered exactly while the battle has an objective.
bool ObjectiveListEnabled(const Scenario& scenario);

// Removes the objective of `hex` as the dialog's Remove does (for scripts); false when the hex
// has none.
bool RemoveObjectiveAt(Scenario& scenario, int32_t hex);

class ObjectiveLogic {
  public:
    explicit ObjectiveLogic(Scenario& scenario) : scenario_(scenario) {}

    // Fills the dialog for the objective of `hex` (or for none).
    void Activate(int32_t hex);

    // Add: the objective is created at once with its defaults; the name box keeps its text.
    void Add();
    // The name box changed: the text is the objective's name at once.
    void SetName(std::string_view text);
    void PointsUp() { StepPoints(+1); }
    void PointsDown() { StepPoints(-1); }
    // Remove: takes the objective out of the table (later objectives move down one number).
    int32_t Remove();
    int32_t Exit() { return ObjectiveResultRedraw; }

    // What the dialog shows.
    int32_t Hex() const { return hex_; }
    int32_t ObjectiveNumber() const { return number_; }
    // The name box as activation fills it ("" for a hex without an objective).
    const std::string& NameBox() const { return nameBox_; }
    int32_t VictoryPoints() const;
    std::string PointsText() const { return "Victory Points: " + std::to_string(VictoryPoints()); }
    // The name group SymBox.
    bool NameEnabled() const { return number_ != 0; }
    bool AddEnabled() const { return number_ == 0 && scenario_.ObjectiveCount < MaxObjectives; }
    bool RemoveEnabled() const { return number_ != 0; }

  private:
    void StepPoints(int32_t delta);

    Scenario& scenario_;
    int32_t hex_ = 0;
    int32_t number_ = 0;
    std::string nameBox_;
};

// One row of the objective status list.
struct ObjectiveStatusRow {
    std::string Name;
    std::string Owner; // the force of the unit standing on the hex, "None" without one
    std::string Value;
    std::string Hex;
};

constexpr int32_t StatusResultOk = 1;

// The rows of TVicHexes, one per objective in table order.
std::vector<ObjectiveStatusRow> ObjectiveStatusRows(const Scenario& scenario);

} // namespace k2
