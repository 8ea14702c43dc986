#include "forces/arrival_chart_logic.h"

#include <algorithm>

namespace k2 {

void ArrivalChartLogic::Refresh() {
    lastTurn_ = std::min(scenario_.MaxTurns, ChartTurnLimit);
    turns_.clear();
    late_ = {};
    total_ = {};
    for (int32_t turn = FirstArrivalTurn; turn <= lastTurn_; ++turn)
        turns_.push_back(TurnArrivals{turn, {}});
    for (int32_t u = 1; u <= std::min(scenario_.UnitCount, MaxUnits); ++u) {
        const UnitRecord& unit = scenario_.Units[static_cast<size_t>(u)];
        if (unit.ActivationTurn < FirstArrivalTurn) continue; // on the map from the start
        if (unit.Side != SideWestern && unit.Side != SideEastern) continue;
        // A damaged negative strength adds nothing rather than pulling a bar below the axis.
        const SideArrivals one{1, std::max(0, unit.Men)};
        SideArrivals& target = unit.ActivationTurn > lastTurn_
                                   ? late_[SideIndex(unit.Side)]
                                   : turns_[static_cast<size_t>(unit.ActivationTurn - FirstArrivalTurn)]
                                         .Sides[SideIndex(unit.Side)];
        target.Units += one.Units;
        target.Men += one.Men;
        total_[SideIndex(unit.Side)].Units += one.Units;
        total_[SideIndex(unit.Side)].Men += one.Men;
    }
}

const SideArrivals& ArrivalChartLogic::Late(int32_t side) const {
    return late_[SideIndex(side)];
}

const SideArrivals& ArrivalChartLogic::Total(int32_t side) const {
    return total_[SideIndex(side)];
}

int32_t ArrivalChartLogic::Value(const TurnArrivals& turn, int32_t side, ArrivalMeasure measure) {
    const SideArrivals& s = turn.Sides[SideIndex(side)];
    return measure == ArrivalMeasure::Units ? s.Units : s.Men;
}

int32_t ArrivalChartLogic::Largest(ArrivalMeasure measure) const {
    int32_t largest = 0;
    for (const TurnArrivals& t : turns_)
        largest = std::max({largest, Value(t, SideWestern, measure), Value(t, SideEastern, measure)});
    return largest;
}

int32_t ArrivalChartLogic::AxisStep(int32_t largest) {
    if (largest <= 5) return 1;
    for (int64_t power = 1;; power *= 10)
        for (int64_t factor : {1, 2, 5})
            if (factor * power * 5 >= largest) return static_cast<int32_t>(factor * power);
}

int32_t ArrivalChartLogic::AxisTop(ArrivalMeasure measure) const {
    const int32_t largest = Largest(measure);
    const int32_t step = AxisStep(largest);
    return std::max(step, (largest + step - 1) / step * step);
}

int32_t ArrivalChartLogic::LabelStride(double pixelsPerTurn, int32_t labelPixels) {
    if (pixelsPerTurn <= 0) return 1;
    for (int32_t stride : {1, 2, 5, 10, 20, 50, 100})
        if (stride * pixelsPerTurn >= labelPixels) return stride;
    return 100;
}

std::string ArrivalChartLogic::LateNote() const {
    const auto part = [](int32_t count, const char* side) {
        return std::to_string(count) + " " + side + (count == 1 ? " unit" : " units");
    };
    std::string text;
    if (late_[0].Units > 0) text = part(late_[0].Units, "Western");
    if (late_[1].Units > 0) text += (text.empty() ? "" : " and ") + part(late_[1].Units, "Eastern");
    if (text.empty()) return text;
    const bool one = late_[0].Units + late_[1].Units == 1;
    return text + (one ? " arrives" : " arrive") + " after the last turn (" + std::to_string(lastTurn_) +
           ") and " + (one ? "is" : "are") + " not shown.";
}

} // namespace k2
