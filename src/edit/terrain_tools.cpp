#include "edit/terrain_tools.h"

#include "core/hex_grid.h"
#include "core/message_kinds.h"
#include "edit/terrain_picker_logic.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace k2 {

namespace {

// The terrain a hex counts as in the fill: an empty primary terrain counts as terrain 0.
int32_t FillTerrain(const HexCell& cell) {
    return cell.PrimaryTerrain == NoSymbol ? 0 : cell.PrimaryTerrain;
}

} // namespace

std::vector<int32_t> FillRegion(const Scenario& scenario, int32_t start) {
    if (!scenario.IsValidHex(start)) return {};
    const int32_t terrain = FillTerrain(scenario.Hexes[std::size_t(start)]);
    const HexGrid grid{scenario.Cols, scenario.Rows};
    return grid.GridRegion(start,
                           [&](int32_t h) { return FillTerrain(scenario.Hexes[std::size_t(h)]) == terrain; });
}

std::vector<int32_t> BrushTargets(const Scenario& scenario, int32_t hex, int32_t radius) {
    std::vector<int32_t> hexes = HexGrid{scenario.Cols, scenario.Rows}.Brush(hex, radius);
    std::erase_if(hexes, [&](int32_t h) { return scenario.IsBorderHex(h); });
    return hexes;
}

DiffScope BrushScope(const Scenario& scenario, int32_t hex, int32_t radius) {
    return DiffScope::Cells(HexGrid{scenario.Cols, scenario.Rows}.Brush(hex, radius));
}

const std::array<VariantList, 9>& VariantLists() {
    static const std::array<VariantList, 9> lists = {{
        {true, {0, 51, 67, 4}},
        {true, {1, 3, 57, 58}},
        {true, {2, 64, 107, 108}},
        {false, {55, 56, 109, 54}},
        {false, {16, 50, 59, 60}},
        {false, {76, 91, 75, 52}},
        {false, {5, 74, 73, 77}},
        {false, {90, 112, 102, 101}},
        {false, {104, 111, 105, 72}},
    }};
    return lists;
}

const VariantList* VariantListFor(int8_t use, int32_t base) {
    const bool primaryUse = use == PickerUsePrimary;
    for (const VariantList& list : VariantLists())
        if (list.forPrimary == primaryUse && list.terrains[0] == base) return &list;
    return nullptr;
}

int32_t PickVariant(EditState& edit, RandomSource& random) {
    if (const VariantList* list = VariantListFor(edit.PickerUse, edit.SelectedBaseTerrain))
        edit.SelectedTerrain = list->terrains[random.Next() % 4];
    return edit.SelectedTerrain;
}

ToolResult PlacePrimaryTool::LeftClick(int32_t hex) {
    // Border hexes of a wider brush are passed over; only a brush with nothing else refuses.
    const std::vector<int32_t> hexes = BrushTargets(scenario_, hex, edit_.BrushRadius);
    if (hexes.empty()) return ToolResult::Refuse(BorderRefusal);
    history_.Touch();
    std::optional<int32_t> shown;
    for (int32_t h : hexes) {
        if (!stroke_.First(h)) continue;
        const int32_t terrain = PickVariant(edit_, random_);
        scenario_.Hexes[std::size_t(h)].PrimaryTerrain = terrain;
        // The info panel names what went down on the hex under the pointer.
        if (h == hex || !shown) shown = terrain;
    }
    if (shown) feedback_.ShowPlacedTerrain(*shown);
    return ToolResult::Done();
}

ToolResult PlaceSecondaryTool::LeftClick(int32_t hex) {
    if (scenario_.IsBorderHex(hex)) return ToolResult::Refuse(BorderRefusal);
    const int32_t terrain = PickVariant(edit_, random_);
    HexCell& cell = scenario_.Hexes[std::size_t(hex)];
    auto& secondary = cell.SecondaryTerrain;
    if (terrain == cell.PrimaryTerrain ||
        std::find(secondary.begin(), secondary.end(), terrain) != secondary.end())
        return ToolResult::Done(); // already there: nothing happens, not even a mark
    // The lowest empty slot of the first five; with all five taken the sixth is overwritten.
    auto slot = std::find(secondary.begin(), secondary.end() - 1, NoSymbol);
    *slot = terrain;
    history_.Touch();
    return ToolResult::Done();
}

ToolResult PlaceSecondaryTool::OtherClick(int32_t hex) {
    // The one-hex brush takes no notice of the border; a wider one passes border hexes over.
    const std::vector<int32_t> hexes =
        edit_.BrushRadius == 0 ? std::vector<int32_t>{hex} : BrushTargets(scenario_, hex, edit_.BrushRadius);
    if (hexes.empty()) return ToolResult::Refuse(BorderRefusal);
    for (int32_t h : hexes) {
        if (!stroke_.First(h)) continue;
        auto& secondary = scenario_.Hexes[std::size_t(h)].SecondaryTerrain;
        // The highest occupied slot, so that terrains come off in the reverse order of the slots.
        auto top =
            std::find_if(secondary.rbegin(), secondary.rend(), [](int32_t t) { return t != NoSymbol; });
        if (top != secondary.rend()) *top = NoSymbol;
    }
    history_.Touch();
    return ToolResult::Done();
}

ToolResult FillPrimaryTool::LeftClick(int32_t hex) {
    history_.Touch();
    std::vector<int32_t> backup(scenario_.Hexes.size());
    bool uniform = true;
    const int32_t first = scenario_.Hexes.empty() ? 0 : scenario_.Hexes[0].PrimaryTerrain;
    for (std::size_t h = 0; h < scenario_.Hexes.size(); ++h) {
        backup[h] = scenario_.Hexes[h].PrimaryTerrain;
        uniform = uniform && backup[h] == first;
    }

    if (uniform) {
        for (HexCell& cell : scenario_.Hexes)
            cell.PrimaryTerrain = PickVariant(edit_, random_);
    } else {
        // The region comes in hex order, which is row order: one variant draw per hex in turn.
        for (int32_t h : FillRegion(scenario_, hex))
            scenario_.Hexes[std::size_t(h)].PrimaryTerrain = PickVariant(edit_, random_);
    }
    // The fill is seen before the question, and seen to go when it is not kept.
    StepChange shown;
    shown.Changed = shown.WholeMap = true;
    history_.Progress(shown);

    if (boxes_.Ask(LayoutYesNo, MsgKeepFill) != MsgResultYes) {
        for (std::size_t h = 0; h < scenario_.Hexes.size(); ++h)
            scenario_.Hexes[h].PrimaryTerrain = backup[h];
        history_.Progress(shown);
    }
    return ToolResult::Done();
}

} // namespace k2
