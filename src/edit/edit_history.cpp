#include "edit/edit_history.h"

#include <utility>

namespace k2 {

EditHistory::EditHistory(Scenario& scenario, std::size_t maxBytes)
    : scenario_(scenario), shadow_(std::make_unique<Scenario>(scenario)), maxBytes_(maxBytes) {}

EditHistory::~EditHistory() = default;

void EditHistory::Reset() {
    *shadow_ = scenario_;
    steps_.clear();
    next_ = 0;
    dropped_ = 0;
    saved_ = 0;
    bytes_ = 0;
    depth_ = 0;
    touched_ = false;
    heldNotice_ = false;
    ++revision_;
    Notify();
}

StepChange EditHistory::Record(std::string_view name, const std::function<void()>& action,
                               std::string_view mergeKey) {
    Begin();
    try {
        action();
    } catch (...) {
        Rollback();
        throw;
    }
    return Commit(name, mergeKey);
}

void EditHistory::Begin() {
    ++depth_;
}

StepChange EditHistory::Commit(std::string_view name, std::string_view mergeKey) {
    if (depth_ == 0) return {};
    if (--depth_ > 0) return {};
    const uint64_t before = notices_;
    StepChange change = Push(name, mergeKey);
    // A touch inside the session was held back; the listeners hear of it now.
    if (std::exchange(heldNotice_, false) && notices_ == before) Notify();
    return change;
}

void EditHistory::Rollback() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    ScenarioDiff back = ScenarioDiff::Between(*shadow_, scenario_);
    back.Apply(scenario_);
    if (std::exchange(heldNotice_, false)) Notify();
}

StepChange EditHistory::Push(std::string_view name, std::string_view mergeKey) {
    ScenarioDiff diff = ScenarioDiff::Between(*shadow_, scenario_);
    if (diff.Empty()) return {};
    diff.CopyChangedParts(scenario_, *shadow_);
    StepChange change = Describe(diff);
    ++revision_;

    if (TryMerge(mergeKey, diff)) {
        Notify();
        return change;
    }

    // A new step ends the steps that were undone.
    while (steps_.size() > next_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (saved_ > dropped_ + int64_t(next_)) saved_ = -1;

    Step step{std::string(name), std::string(mergeKey), std::move(diff), 0};
    step.bytes = step.diff.Bytes() + step.name.capacity() + step.mergeKey.capacity();
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    next_ = steps_.size();
    Trim();
    Notify();
    return change;
}

bool EditHistory::TryMerge(std::string_view mergeKey, ScenarioDiff& diff) {
    if (mergeKey.empty() || next_ == 0 || next_ != steps_.size()) return false;
    Step& top = steps_.back();
    // The saved state must stay reachable, so a step that ends there is not extended.
    if (top.mergeKey != mergeKey || saved_ == dropped_ + int64_t(next_)) return false;
    // The merged step goes from the state before the top step to the state now.
    Scenario before = *shadow_;
    diff.Apply(before);     // back over this change
    top.diff.Apply(before); // and over the top step
    ScenarioDiff merged = ScenarioDiff::Between(before, scenario_);
    bytes_ -= top.bytes;
    if (merged.Empty()) {
        steps_.pop_back();
        next_ = steps_.size();
        return true;
    }
    top.diff = std::move(merged);
    top.bytes = top.diff.Bytes() + top.name.capacity() + top.mergeKey.capacity();
    bytes_ += top.bytes;
    return true;
}

void EditHistory::Trim() {
    while (steps_.size() > 1 && (bytes_ > maxBytes_ || steps_.size() > MaxSteps)) {
        bytes_ -= steps_.front().bytes;
        steps_.pop_front();
        ++dropped_;
        --next_;
    }
}

Scenario EditHistory::LastCompleted() const {
    Scenario last = *shadow_;
    last.SaveCount = scenario_.SaveCount;
    last.ViewSaved = scenario_.ViewSaved;
    last.ViewOriginHex = scenario_.ViewOriginHex;
    last.ZoomLevel = scenario_.ZoomLevel;
    last.EditorFormatNumber = scenario_.EditorFormatNumber;
    return last;
}

std::string EditHistory::UndoName() const {
    return CanUndo() ? steps_[next_ - 1].name : std::string();
}

std::string EditHistory::RedoName() const {
    return CanRedo() ? steps_[next_].name : std::string();
}

StepChange EditHistory::Undo() {
    if (!CanUndo() || InSession()) return {};
    Step& step = steps_[--next_];
    step.diff.Apply(scenario_);
    step.diff.CopyChangedParts(scenario_, *shadow_);
    touched_ = false;
    ++revision_;
    Notify();
    return Describe(step.diff);
}

StepChange EditHistory::Redo() {
    if (!CanRedo() || InSession()) return {};
    Step& step = steps_[next_++];
    step.diff.Apply(scenario_);
    step.diff.CopyChangedParts(scenario_, *shadow_);
    touched_ = false;
    ++revision_;
    Notify();
    return Describe(step.diff);
}

void EditHistory::MarkSaved() {
    saved_ = dropped_ + int64_t(next_);
    touched_ = false;
    Notify();
}

void EditHistory::Touch() {
    touched_ = true;
    // Inside a session the battle is half changed: the listeners hear of it when it closes.
    if (depth_ > 0)
        heldNotice_ = true;
    else
        Notify();
}

bool EditHistory::Modified() const {
    return touched_ || DiffersFromSaved();
}

StepChange EditHistory::Describe(const ScenarioDiff& diff) const {
    StepChange change;
    change.Changed = !diff.Empty();
    change.Resized = diff.GridResized();
    // Stakes stand in front of their hex, over the neighbours: a hex redrawn alone would cut them.
    change.WholeMap = diff.GridResized() || diff.RecordsChanged() || diff.StakesChanged(scenario_);
    change.Hexes = diff.ChangedHexes();
    return change;
}

} // namespace k2
