#include "edit/map_area_tools.h"

#include "edit/terrain_picker_logic.h"
#include "edit/terrain_tools.h"

#include <algorithm>

namespace k2 {

namespace {

constexpr const char* NoSelection = "Select an area of the map first.";
constexpr const char* EmptyClipboard = "Copy or cut an area of the map first.";

} // namespace

AreaOutcome MapAreaCommands::Refuse(std::string reason) {
    sounds_.Play(SoundRefuse, 1);
    return {true, std::move(reason), {}};
}

AreaOutcome MapAreaCommands::Copy() {
    if (selection_.Empty()) return Refuse(NoSelection);
    clipboard_.Fill(CopyArea(scenario_, selection_.Hexes()));
    return {};
}

AreaOutcome MapAreaCommands::Clear(std::string_view stepName, bool copyFirst) {
    if (selection_.Empty()) return Refuse(NoSelection);
    const std::vector<int32_t> hexes = selection_.Hexes();
    if (copyFirst) clipboard_.Fill(CopyArea(scenario_, hexes));
    AreaOutcome outcome;
    outcome.Change = history_.Record(
        stepName, [&] { ClearArea(scenario_, hexes, random_); }, {},
        DiffScope::Cells(ClearScope(scenario_, hexes), DiffStructures | DiffMapTexts));
    return outcome;
}

AreaOutcome MapAreaCommands::Cut() {
    return Clear(step::CutMapArea, true);
}

AreaOutcome MapAreaCommands::Delete() {
    return Clear(step::DeleteMapArea, false);
}

AreaOutcome MapAreaCommands::FillSelection() {
    if (selection_.Empty()) return Refuse(NoSelection);
    if (edit_.PickerUse == PickerUseSecondary)
        return Refuse("Choose a primary terrain in the terrain picker first.");
    std::vector<int32_t> hexes = selection_.Hexes();
    std::erase_if(hexes, [&](int32_t h) { return scenario_.IsBorderHex(h); });
    if (hexes.empty()) return Refuse(BorderRefusal);
    AreaOutcome outcome;
    outcome.Change = history_.Record(
        step::FillSelection,
        [&] {
            for (int32_t h : hexes)
                scenario_.Hexes[std::size_t(h)].PrimaryTerrain = PickVariant(edit_, random_);
        },
        {}, DiffScope::Cells(hexes));
    return outcome;
}

int32_t MapAreaCommands::PasteColumn(int32_t column) const {
    if (!clipboard_.Filled() || AllowedColumn(clipboard_.Area(), column)) return column;
    return column > 0 ? column - 1 : column + 1;
}

std::vector<AreaLanding> MapAreaCommands::PreviewAt(int32_t hex) const {
    if (!clipboard_.Filled() || !scenario_.IsValidHex(hex)) return {};
    const auto [row, column] = scenario_.HexRowCol(hex);
    return Landings(scenario_, clipboard_.Area(), row, PasteColumn(column));
}

DiffScope MapAreaCommands::PasteScope(int32_t hex) const {
    std::vector<int32_t> hexes;
    for (const AreaLanding& landing : PreviewAt(hex))
        hexes.push_back(landing.Hex);
    return DiffScope::Cells(std::move(hexes), DiffStructures | DiffMapTexts);
}

ToolResult MapAreaCommands::PasteAt(int32_t hex) {
    if (!clipboard_.Filled()) return ToolResult::Refuse(EmptyClipboard);
    const std::vector<AreaLanding> landings = PreviewAt(hex);
    const std::string refusal = PasteRefusal(scenario_, clipboard_.Area(), landings, SymbolCount());
    if (!refusal.empty()) return ToolResult::Refuse(refusal);
    LayArea(scenario_, clipboard_.Area(), landings);
    return ToolResult::Done();
}

} // namespace k2
