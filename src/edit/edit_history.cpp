#include "edit/edit_history.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
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

EditHistory::Step::Step(EditHistory& history, std::string_view name, std::string_view mergeKey)
    : history_(&history), name_(name), mergeKey_(mergeKey), exceptions_(std::uncaught_exceptions()) {
    history.Begin();
}

EditHistory::Step::Step(Step&& other) noexcept
    : history_(std::exchange(other.history_, nullptr)), name_(std::move(other.name_)),
      mergeKey_(std::move(other.mergeKey_)), exceptions_(other.exceptions_) {}

EditHistory::Step::~Step() {
    if (!history_) return;
    // Unwinding from an exception: what the step did so far is not a completed action.
    if (std::uncaught_exceptions() > exceptions_)
        Rollback();
    else
        Commit();
}

void EditHistory::Step::Touches(const DiffScope& scope) {
    if (history_) history_->AddScope(scope);
}

StepChange EditHistory::Step::Commit() {
    EditHistory* history = std::exchange(history_, nullptr);
    return history ? history->Commit(name_, mergeKey_) : StepChange{};
}

void EditHistory::Step::Rollback() {
    if (EditHistory* history = std::exchange(history_, nullptr)) history->Rollback();
}

void EditHistory::AddListener(HistoryListener* listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void EditHistory::RemoveListener(HistoryListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void EditHistory::Notify(const StepChange& change) {
    ++notices_;
    // A listener may remove itself (a window closing): walk a copy.
    const std::vector<HistoryListener*> listeners = listeners_;
    for (HistoryListener* listener : listeners)
        listener->HistoryChanged(change);
}

void EditHistory::Progress(const StepChange& change) {
    if (!change.Changed) return;
    const std::vector<HistoryListener*> listeners = listeners_;
    for (HistoryListener* listener : listeners)
        listener->StepProgressed(change);
}

StepChange EditHistory::Record(std::string_view name, const std::function<void()>& action,
                               std::string_view mergeKey, const DiffScope& scope) {
    Step step(*this, name, mergeKey);
    step.Touches(scope);
    action();
    return step.Commit();
}

void EditHistory::Begin() {
    if (depth_++ > 0) return;
    CheckShadow("before a step");
    // Nothing is known to be touched until the step says so; a step that never does is
    // compared whole (see Commit).
    scope_ = DiffScope::Nothing();
    scopeSaid_ = false;
}

void EditHistory::AddScope(const DiffScope& scope) {
    if (depth_ == 0) return;
    scope_.Add(scope);
    scopeSaid_ = true;
}

StepChange EditHistory::Commit(std::string_view name, std::string_view mergeKey) {
    if (depth_ == 0) return {};
    if (--depth_ > 0) return {};
    const uint64_t before = notices_;
    StepChange change = Push(name, mergeKey);
    // A touch inside the step was held back; the listeners hear of it now.
    if (std::exchange(heldNotice_, false) && notices_ == before) Notify();
    return change;
}

void EditHistory::Rollback() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    ScenarioDiff back =
        ScenarioDiff::Between(*shadow_, scenario_, scopeSaid_ ? scope_ : DiffScope::Everything());
    StepChange change = Describe(back);
    change.Replayed = true;
    back.Apply(scenario_);
    CheckShadow("after a step was rolled back");
    // What the step had shown of itself is taken back from the picture as well.
    if (change.Changed || std::exchange(heldNotice_, false)) Notify(change);
    heldNotice_ = false;
}

void EditHistory::CheckShadow(const char* when) const {
#ifdef K2_HISTORY_CHECKS
    if (ScenarioDiff::Between(*shadow_, scenario_).Empty()) return;
    std::fprintf(stderr,
                 "EditHistory: the battle changed outside the edit history (noticed %s): a change "
                 "bypassed the history or a step touched more than it said\n",
                 when);
    std::abort();
#else
    (void)when;
#endif
}

StepChange EditHistory::Push(std::string_view name, std::string_view mergeKey) {
    ScenarioDiff diff =
        ScenarioDiff::Between(*shadow_, scenario_, scopeSaid_ ? scope_ : DiffScope::Everything());
    diff.CopyChangedParts(scenario_, *shadow_);
    CheckShadow("after a step");
    if (diff.Empty()) return {};
    StepChange change = Describe(diff);
    ++revision_;

    if (TryMerge(mergeKey, diff)) {
        Notify(change);
        return change;
    }

    // A new step ends the steps that were undone.
    while (steps_.size() > next_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (saved_ > dropped_ + int64_t(next_)) saved_ = -1;

    Entry entry{std::string(name), std::string(mergeKey), std::move(diff), 0};
    entry.bytes = entry.diff.Bytes() + entry.name.capacity() + entry.mergeKey.capacity();
    bytes_ += entry.bytes;
    steps_.push_back(std::move(entry));
    next_ = steps_.size();
    Trim();
    Notify(change);
    return change;
}

bool EditHistory::TryMerge(std::string_view mergeKey, ScenarioDiff& diff) {
    if (mergeKey.empty() || next_ == 0 || next_ != steps_.size()) return false;
    Entry& top = steps_.back();
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
    Entry& step = steps_[--next_];
    step.diff.Apply(scenario_);
    step.diff.CopyChangedParts(scenario_, *shadow_);
    touched_ = false;
    ++revision_;
    StepChange change = Describe(step.diff);
    change.Replayed = true;
    Notify(change);
    return change;
}

StepChange EditHistory::Redo() {
    if (!CanRedo() || InSession()) return {};
    Entry& step = steps_[next_++];
    step.diff.Apply(scenario_);
    step.diff.CopyChangedParts(scenario_, *shadow_);
    touched_ = false;
    ++revision_;
    StepChange change = Describe(step.diff);
    change.Replayed = true;
    Notify(change);
    return change;
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
