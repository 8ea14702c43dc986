// The edit history of the open battle: one named step per user action (a map click, a drag
// stroke, a dialog session from open to close, a kept fill, a trim, Battle Settings), each
// holding only what changed, so that every edit can be undone and redone. It also knows the
// step at which the battle was last saved and answers whether the battle is modified.
#pragma once

#include "core/scenario.h"
#include "core/scenario_diff.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace k2 {

// What a step (or its undo or redo) changed, for the redraw.
struct StepChange {
    bool Changed = false;
    // The grid changed size: the view must be set up again.
    bool Resized = false;
    // The grid was replaced, a record table or setting changed, or stakes (which overlap the
    // neighbouring hexes) changed: draw the whole map.
    bool WholeMap = false;
    // The hexes whose cells changed, in index order (empty with WholeMap after a resize).
    std::vector<int32_t> Hexes;
};

// Told whenever what Undo, Redo or Modified answer may have changed, and only between steps:
// never while a session is open, so a listener always sees a battle whose last change is
// complete (the recovery copy relies on it).
class HistoryListener {
  public:
    virtual ~HistoryListener() = default;
    virtual void HistoryChanged() = 0;
};

class EditHistory {
  public:
    static constexpr std::size_t DefaultMaxBytes = std::size_t(64) << 20;
    static constexpr std::size_t MaxSteps = 1000;

    explicit EditHistory(Scenario& scenario, std::size_t maxBytes = DefaultMaxBytes);
    ~EditHistory();
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    void SetListener(HistoryListener* listener) { listener_ = listener; }

    // Another battle was opened or created: no steps, and the battle as it is now counts as
    // saved and unmodified.
    void Reset();

    // One user action: runs `action` and records what it changed as a step named `name`; an
    // action that changed nothing records no step. Consecutive steps with the same non-empty
    // `mergeKey` become one step (e.g. several arrow clicks on one terrain's definition).
    // Inside an open session the action only runs: the session's step takes its change.
    StepChange Record(std::string_view name, const std::function<void()>& action,
                      std::string_view mergeKey = {});

    // A session that spans several calls (a dialog from open to close, a fill up to its
    // question). Sessions nest: only the outermost Commit or Rollback acts.
    void Begin();
    StepChange Commit(std::string_view name, std::string_view mergeKey = {});
    // Puts the battle back as it was at the outermost Begin; records nothing.
    void Rollback();
    bool InSession() const { return depth_ > 0; }
    // The battle as of the last completed step: inside a session, without its half-made change.
    // The view and save bookkeeping, which is no edit, is the battle's own.
    Scenario LastCompleted() const;

    bool CanUndo() const { return next_ > 0; }
    bool CanRedo() const { return next_ < steps_.size(); }
    // Names of the step that Undo or Redo would act on ("" when there is none).
    std::string UndoName() const;
    std::string RedoName() const;
    StepChange Undo();
    StepChange Redo();

    // The battle was saved as it is now.
    void MarkSaved();
    // Marks the battle modified although it did not change (the editor's rule for some actions).
    void Touch();
    // The battle differs from what was saved (or was touched since).
    bool Modified() const;
    // The battle is not at the saved step (a touch alone does not count).
    bool DiffersFromSaved() const { return saved_ != dropped_ + int64_t(next_); }

    // Moves on every recorded step, undo and redo: a cheap test of "did anything happen".
    uint64_t Revision() const { return revision_; }
    std::size_t StepCount() const { return steps_.size(); }
    std::size_t Bytes() const { return bytes_; }

  private:
    struct Step {
        std::string name;
        std::string mergeKey;
        ScenarioDiff diff;
        std::size_t bytes = 0;
    };

    StepChange Push(std::string_view name, std::string_view mergeKey);
    bool TryMerge(std::string_view mergeKey, ScenarioDiff& diff);
    void Trim();
    StepChange Describe(const ScenarioDiff& diff) const;
    void Notify() {
        ++notices_;
        if (listener_) listener_->HistoryChanged();
    }

    Scenario& scenario_;
    // The battle as of the last recorded step, undo or redo: what the next step is taken against.
    std::unique_ptr<Scenario> shadow_;
    std::deque<Step> steps_;
    std::size_t next_ = 0; // steps_[0..next_) are applied
    int64_t dropped_ = 0;  // steps dropped from the front by the memory bound
    int64_t saved_ = 0;    // absolute position of the saved state, -1 when unreachable
    std::size_t bytes_ = 0;
    std::size_t maxBytes_;
    int depth_ = 0;
    bool touched_ = false;
    // A touch inside an open session, told to the listeners when the session ends.
    bool heldNotice_ = false;
    uint64_t notices_ = 0;
    uint64_t revision_ = 0;
    HistoryListener* listener_ = nullptr;
};

} // namespace k2
