// The hexes of the map that Select Map Area has chosen: a rectangle dragged out with the mouse,
// the connected region of one primary terrain, everything, or what is left after taking some
// away. It is view state, not part of the battle: no undo step, never saved, and forgotten
// when the map changes size or another battle opens.
#pragma once

#include "core/scenario.h"
#include "edit/edit_history.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace k2 {

// How a new choice combines with what is selected already.
enum class SelectionMode { Replace, Add, Remove };

// Follows the edit history to forget itself when a step, undo or redo changes the map's size.
class MapSelection : public HistoryListener {
  public:
    explicit MapSelection(const Scenario& scenario) : scenario_(scenario) {}

    void HistoryChanged(const StepChange& change) override {
        if (change.Resized) Forget();
    }

    // Told after every change of the selection (the map's overlay, the commands' enabling).
    void AddListener(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }

    // The rectangle of whole columns and rows between two hexes, corners included.
    void SelectRectangle(int32_t from, int32_t to, SelectionMode mode);
    // The connected region of `hex`'s primary terrain, by the region rule of the fill.
    void SelectRegion(int32_t hex, SelectionMode mode);
    void SelectAll();
    void SelectNone();
    void Invert();
    // Another battle was opened or the map changed size: nothing is selected.
    void Forget();

    bool Empty() const { return Count() == 0; }
    int32_t Count() const;
    bool Contains(int32_t hex) const;
    // The selected hexes in hex index order.
    std::vector<int32_t> Hexes() const;
    // One byte per hex index, non-zero where selected; empty when nothing is selected on this map.
    std::span<const uint8_t> Marks() const {
        return Count() > 0 ? std::span<const uint8_t>(marks_) : std::span<const uint8_t>();
    }

    // The smallest rectangle of columns and rows around the selection.
    struct Box {
        int32_t Left = 0, Top = 0, Right = 0, Bottom = 0; // inclusive
    };
    std::optional<Box> Bounds() const;

  private:
    // The marks as they apply to the map as it is now (a map of another size has none).
    bool Fits() const;
    void MakeFit();
    void Apply(const std::vector<int32_t>& hexes, SelectionMode mode);
    void Changed();

    const Scenario& scenario_;
    int32_t cols_ = 0, rows_ = 0;
    std::vector<uint8_t> marks_; // one per hex of a cols_ x rows_ map
    int32_t count_ = 0;
    std::vector<std::function<void()>> listeners_;
};

} // namespace k2
