// The one-unit clipboard of Copy Unit and Cut Unit: a whole unit record, kept for the whole run
// so that a unit copied in one battle can be pasted into another.
#pragma once

#include "core/scenario.h"

#include <functional>
#include <utility>

namespace k2 {

class UnitClipboard {
  public:
    // Told after every copy or cut (the first one enables "Paste Unit").
    void SetFilledListener(std::function<void()> listener) { filled_ = std::move(listener); }

    void Fill(const UnitRecord& unit) {
        unit_ = unit;
        full_ = true;
        if (filled_) filled_();
    }
    // Nothing ever empties it once filled.
    bool Filled() const { return full_; }
    const UnitRecord& Unit() const { return unit_; }

  private:
    UnitRecord unit_;
    bool full_ = false;
    std::function<void()> filled_;
};

} // namespace k2
