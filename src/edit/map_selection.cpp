#include "edit/map_selection.h"

#include "edit/terrain_tools.h"

#include <algorithm>

namespace k2 {

bool MapSelection::Fits() const {
    return cols_ == scenario_.Cols && rows_ == scenario_.Rows && marks_.size() == scenario_.Hexes.size();
}

void MapSelection::MakeFit() {
    if (Fits()) return;
    cols_ = scenario_.Cols;
    rows_ = scenario_.Rows;
    marks_.assign(scenario_.Hexes.size(), 0);
    count_ = 0;
}

void MapSelection::Changed() {
    for (const auto& listener : listeners_)
        listener();
}

void MapSelection::Apply(const std::vector<int32_t>& hexes, SelectionMode mode) {
    MakeFit();
    if (mode == SelectionMode::Replace) {
        std::fill(marks_.begin(), marks_.end(), 0);
        count_ = 0;
    }
    const uint8_t mark = mode == SelectionMode::Remove ? 0 : 1;
    for (int32_t hex : hexes) {
        uint8_t& m = marks_[std::size_t(hex)];
        count_ += int32_t(mark) - int32_t(m);
        m = mark;
    }
    Changed();
}

void MapSelection::SelectRectangle(int32_t from, int32_t to, SelectionMode mode) {
    if (!scenario_.IsValidHex(from) || !scenario_.IsValidHex(to)) return;
    const auto [r1, c1] = scenario_.HexRowCol(from);
    const auto [r2, c2] = scenario_.HexRowCol(to);
    std::vector<int32_t> hexes;
    for (int32_t r = std::min(r1, r2); r <= std::max(r1, r2); ++r)
        for (int32_t c = std::min(c1, c2); c <= std::max(c1, c2); ++c)
            hexes.push_back(scenario_.HexIndex(r, c));
    Apply(hexes, mode);
}

void MapSelection::SelectRegion(int32_t hex, SelectionMode mode) {
    if (!scenario_.IsValidHex(hex)) return;
    Apply(FillRegion(scenario_, hex), mode);
}

void MapSelection::SelectAll() {
    MakeFit();
    std::fill(marks_.begin(), marks_.end(), 1);
    count_ = int32_t(marks_.size());
    Changed();
}

void MapSelection::SelectNone() {
    MakeFit();
    std::fill(marks_.begin(), marks_.end(), 0);
    count_ = 0;
    Changed();
}

void MapSelection::Invert() {
    MakeFit();
    for (uint8_t& m : marks_)
        m = m ? 0 : 1;
    count_ = int32_t(marks_.size()) - count_;
    Changed();
}

void MapSelection::Forget() {
    // What was drawn for the old map goes too, even though it no longer fits the map.
    const bool had = count_ > 0;
    cols_ = rows_ = 0;
    marks_.clear();
    count_ = 0;
    if (had) Changed();
}

int32_t MapSelection::Count() const {
    return Fits() ? count_ : 0;
}

bool MapSelection::Contains(int32_t hex) const {
    return Fits() && hex >= 0 && std::size_t(hex) < marks_.size() && marks_[std::size_t(hex)] != 0;
}

std::vector<int32_t> MapSelection::Hexes() const {
    std::vector<int32_t> hexes;
    if (!Fits()) return hexes;
    hexes.reserve(std::size_t(count_));
    for (std::size_t h = 0; h < marks_.size(); ++h)
        if (marks_[h]) hexes.push_back(int32_t(h));
    return hexes;
}

std::optional<MapSelection::Box> MapSelection::Bounds() const {
    if (Empty()) return std::nullopt;
    Box box{cols_, rows_, -1, -1};
    for (std::size_t h = 0; h < marks_.size(); ++h) {
        if (!marks_[h]) continue;
        const int32_t r = int32_t(h) / cols_, c = int32_t(h) % cols_;
        box.Left = std::min(box.Left, c);
        box.Right = std::max(box.Right, c);
        box.Top = std::min(box.Top, r);
        box.Bottom = std::max(box.Bottom, r);
    }
    return box;
}

} // namespace k2
