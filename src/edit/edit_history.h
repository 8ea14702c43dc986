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

// Follows the edit history. Told of every completed step, undo and redo with what it changed,
// and of bookkeeping that moved (a touch, a save, another battle: `change.Changed` false), so
// that what Undo, Redo and Modified answer may differ; never while a step is open, so a
// listener always sees a battle whose last change is complete (the recovery copy relies on it).
class HistoryListener {
  public:
    virtual ~HistoryListener() = default;
    virtual void HistoryChanged(const StepChange& change) = 0;
    // Part of a step that is still open is to be shown now (a hex of a stroke, a fill waiting
    // for its question): for the picture only.
    virtual void StepProgressed(const StepChange& change) { (void)change; }
};

class EditHistory {
  public:
    static constexpr std::size_t DefaultMaxBytes = std::size_t(64) << 20;
    static constexpr std::size_t MaxSteps = 1000;

    explicit EditHistory(Scenario& scenario, std::size_t maxBytes = DefaultMaxBytes);
    ~EditHistory();
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // Listeners are told in the order they were added; not owned.
    void AddListener(HistoryListener* listener);
    void RemoveListener(HistoryListener* listener);

    // One user action that spans several calls (a dialog from open to close, a stroke from
    // press to release): the step opens with the object and commits when it goes out of scope,
    // or rolls back when an exception leaves the scope. Steps nest: only the outermost one
    // records; the ones inside it add to it.
    class Step {
      public:
        Step(EditHistory& history, std::string_view name, std::string_view mergeKey = {});
        Step(Step&& other) noexcept;
        Step& operator=(Step&&) = delete;
        Step(const Step&) = delete;
        ~Step();

        // What the step may change. A step that never says is compared with the whole battle.
        void Touches(const DiffScope& scope);
        // Ends the step now and records it.
        StepChange Commit();
        // Ends the step now, putting the battle back as it was when it opened.
        void Rollback();
        bool IsOpen() const { return history_ != nullptr; }

      private:
        EditHistory* history_;
        std::string name_;
        std::string mergeKey_;
        int exceptions_;
    };

    // Another battle was opened or created: no steps, and the battle as it is now counts as
    // saved and unmodified.
    void Reset();

    // One user action: runs `action` and records what it changed as a step named `name`; an
    // action that changed nothing records no step. Consecutive steps with the same non-empty
    // `mergeKey` become one step (e.g. several arrow clicks on one terrain's definition).
    // `scope` says where the action may change the battle; only there is it compared.
    // Inside an open step the action only runs: the open step takes its change.
    StepChange Record(std::string_view name, const std::function<void()>& action,
                      std::string_view mergeKey = {}, const DiffScope& scope = DiffScope::Everything());

    // Tells the listeners to show part of the open step now (see HistoryListener).
    void Progress(const StepChange& change);

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
    friend class Step;
    void Begin();
    StepChange Commit(std::string_view name, std::string_view mergeKey);
    void Rollback();
    void AddScope(const DiffScope& scope);
    // In checked builds: fails loudly when the battle differs from the history's copy where it
    // must not (changed outside every step, or beyond what a step said it touched).
    void CheckShadow(const char* when) const;

    struct Entry {
        std::string name;
        std::string mergeKey;
        ScenarioDiff diff;
        std::size_t bytes = 0;
    };

    StepChange Push(std::string_view name, std::string_view mergeKey);
    bool TryMerge(std::string_view mergeKey, ScenarioDiff& diff);
    void Trim();
    StepChange Describe(const ScenarioDiff& diff) const;
    void Notify(const StepChange& change = {});

    Scenario& scenario_;
    // The battle as of the last recorded step, undo or redo: what the next step is taken against.
    std::unique_ptr<Scenario> shadow_;
    std::deque<Entry> steps_;
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
    // What the open step may have changed.
    DiffScope scope_;
    // The open step said what it touches (else it is compared whole).
    bool scopeSaid_ = false;
    std::vector<HistoryListener*> listeners_;
};

} // namespace k2
