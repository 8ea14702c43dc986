// The counts behind the reinforcement arrival chart: for every turn from 2 to the battle's
// last turn, how many units and how many men (each unit's Men, as the schedule lists it) each
// side receives, the arrivals after the last turn, and the axis arithmetic of the chart.
#pragma once

#include "core/scenario.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace k2 {

// The chart's turn axis ends at the battle's MaxTurns, but never beyond the longest battle
// the settings dialog offers: a damaged file must not ask for thousands of bars.
constexpr int32_t ChartTurnLimit = 300;
constexpr int32_t FirstArrivalTurn = 2;

enum class ArrivalMeasure { Units, Men };

struct SideArrivals {
    int32_t Units = 0;
    int32_t Men = 0;
    bool operator==(const SideArrivals&) const = default;
};

struct TurnArrivals {
    int32_t Turn = 0;
    std::array<SideArrivals, 2> Sides{}; // [0] Western, [1] Eastern
    bool operator==(const TurnArrivals&) const = default;
};

class ArrivalChartLogic {
  public:
    explicit ArrivalChartLogic(const Scenario& scenario) : scenario_(scenario) {}

    // Counts again from the scenario as it is now.
    void Refresh();

    // The last turn of the axis: MaxTurns, at most ChartTurnLimit; below FirstArrivalTurn the
    // chart has no turns.
    int32_t LastTurn() const { return lastTurn_; }
    // One entry per turn FirstArrivalTurn..LastTurn, in order.
    const std::vector<TurnArrivals>& Turns() const { return turns_; }
    // Arrivals after LastTurn, which the bars leave out (side 1 Western, 2 Eastern).
    const SideArrivals& Late(int32_t side) const;
    const SideArrivals& Total(int32_t side) const;

    static int32_t Value(const TurnArrivals& turn, int32_t side, ArrivalMeasure measure);
    // The largest bar of the measure (0 when nothing arrives).
    int32_t Largest(ArrivalMeasure measure) const;
    // The axis step (1, 2 or 5 times a power of ten) that divides the largest bar into at most
    // five steps, and the top of the axis: the first multiple of the step at or above it.
    static int32_t AxisStep(int32_t largest);
    int32_t AxisTop(ArrivalMeasure measure) const;
    // Every how many turns a turn number fits under the axis, with `pixelsPerTurn` of room
    // per turn and `labelPixels` for a number.
    static int32_t LabelStride(double pixelsPerTurn, int32_t labelPixels);

    // The line under the chart about arrivals it leaves out; empty when there are none.
    std::string LateNote() const;

  private:
    static size_t SideIndex(int32_t side) { return side == SideEastern ? 1 : 0; }

    const Scenario& scenario_;
    int32_t lastTurn_ = 0;
    std::vector<TurnArrivals> turns_;
    std::array<SideArrivals, 2> late_{};
    std::array<SideArrivals, 2> total_{};
};

} // namespace k2
