#include "app/area_commands.h"

#include "app/command_names.h"
#include "edit/edit_names.h"
#include "edit/map_area_json.h"

#include <algorithm>
#include <string>
#include <utility>

namespace k2 {

namespace {

bool BrushMode(EditMode mode) {
    return mode == EditMode::PlacePrimary || mode == EditMode::PlaceSecondary;
}

int32_t BrushHexCount(int32_t radius) {
    return 3 * radius * (radius + 1) + 1;
}

} // namespace

AreaCommands::AreaCommands(AreaCommandParts parts) : parts_(parts) {
    Selection().AddListener([this] {
        RefreshCommands();
        parts_.view.ShowAreaMarks();
    });
    parts_.session.AreaClipboard().SetFilledListener([this] { RefreshCommands(); });
}

void AreaCommands::RefreshCommands() {
    const bool selected = battle_ && !parts_.session.Selection().Empty();
    for (std::string_view name : {cmd::CopyMapArea, cmd::CutMapArea, cmd::DeleteMapArea, cmd::FillSelection})
        parts_.screen.SetCommandEnabled(name, selected);
    const bool area = parts_.session.AreaClipboard().Filled() || parts_.clipboard.HoldsArea();
    parts_.screen.SetCommandEnabled(cmd::PasteMapArea, battle_ && area);
}

void AreaCommands::BattleShown() {
    battle_ = true;
    dragging_ = false;
    Selection().Forget();
    RefreshCommands();
}

void AreaCommands::BattleClosed() {
    battle_ = false;
    dragging_ = false;
    Selection().Forget();
    RefreshCommands();
}

void AreaCommands::EnterMode(EditMode mode) {
    const EditMode leaving = parts_.edit.Mode;
    parts_.edit.Mode = mode;
    parts_.view.ModeBegins(leaving);
    parts_.screen.SetInfoText(std::string(ModePrompt(mode)));
}

void AreaCommands::Report(const AreaOutcome& outcome) {
    if (outcome.Refused) parts_.screen.ShowNotice(outcome.Reason);
}

void AreaCommands::SelectMapArea() {
    EnterMode(EditMode::SelectArea);
}

void AreaCommands::SelectAll() {
    Selection().SelectAll();
}

void AreaCommands::SelectNone() {
    Selection().SelectNone();
}

void AreaCommands::InvertSelection() {
    Selection().Invert();
}

void AreaCommands::CopyMapArea() {
    const AreaOutcome outcome = parts_.session.Areas().Copy();
    Report(outcome);
    if (outcome.Refused) return;
    parts_.clipboard.PutArea(parts_.session.AreaClipboard().Area());
    parts_.screen.ShowNotice(std::to_string(parts_.session.AreaClipboard().Area().Cells.size()) +
                             " hexes are on the map area clipboard.");
}

void AreaCommands::CutMapArea() {
    const AreaOutcome outcome = parts_.session.Areas().Cut();
    Report(outcome);
    if (!outcome.Refused) parts_.clipboard.PutArea(parts_.session.AreaClipboard().Area());
}

void AreaCommands::DeleteMapArea() {
    Report(parts_.session.Areas().Delete());
}

void AreaCommands::FillSelection() {
    Report(parts_.session.Areas().FillSelection());
}

void AreaCommands::PasteMapArea() {
    if (!battle_) return;
    // An area on the system clipboard is the newest one: copied here, it is the same area; copied
    // in another run, it is the one the user means. It comes from outside, so it is checked.
    if (const std::optional<QByteArray> json = parts_.clipboard.AreaJson()) {
        std::string error;
        std::optional<MapArea> area = MapAreaFromJson(*json, error);
        if (!area) {
            parts_.sounds.Play(SoundRefuse, 1);
            parts_.screen.ShowNotice("The clipboard's map area cannot be pasted: " + error + ".");
            return;
        }
        MapAreaClipboard& clipboard = parts_.session.AreaClipboard();
        if (!clipboard.Filled() || !(clipboard.Area() == *area)) clipboard.Fill(std::move(*area));
    }
    if (!parts_.session.AreaClipboard().Filled()) return;
    EnterMode(EditMode::PasteArea);
    parts_.view.ShowAreaMarks();
}

bool AreaCommands::EndPaste() {
    if (parts_.edit.Mode != EditMode::PasteArea) return false;
    pointer_ = NoSymbol;
    // Back to choosing areas, where the next copy begins.
    EnterMode(EditMode::SelectArea);
    parts_.view.ShowAreaMarks();
    return true;
}

void AreaCommands::SmallerBrush() {
    if (!BrushMode(parts_.edit.Mode)) {
        parts_.screen.ShowNotice("The brush is for Place Primary Terrain and Place Secondary Terrain.");
        return;
    }
    parts_.edit.BrushRadius = std::max(0, parts_.edit.BrushRadius - 1);
    parts_.view.BrushChanged();
    parts_.screen.ShowNotice("Brush: " + std::to_string(BrushHexCount(parts_.edit.BrushRadius)) +
                             (parts_.edit.BrushRadius == 0 ? " hex." : " hexes."));
}

void AreaCommands::LargerBrush() {
    if (!BrushMode(parts_.edit.Mode)) {
        parts_.screen.ShowNotice("The brush is for Place Primary Terrain and Place Secondary Terrain.");
        return;
    }
    parts_.edit.BrushRadius = std::min(MaxBrushRadius, parts_.edit.BrushRadius + 1);
    parts_.view.BrushChanged();
    parts_.screen.ShowNotice("Brush: " + std::to_string(BrushHexCount(parts_.edit.BrushRadius)) + " hexes.");
}

bool AreaCommands::Press(MapButton button, int32_t hex, SelectionMode mode) {
    if (!battle_) return false;
    if (parts_.edit.Mode == EditMode::PasteArea) return button != MapButton::Left && EndPaste();
    if (parts_.edit.Mode != EditMode::SelectArea) return false;
    if (button != MapButton::Left || hex == NoSymbol) return true;
    dragging_ = true;
    anchor_ = corner_ = hex;
    dragMode_ = mode;
    parts_.view.ShowAreaMarks();
    return true;
}

void AreaCommands::DragTo(int32_t hex) {
    if (!dragging_ || hex == NoSymbol || hex == corner_) return;
    corner_ = hex;
    parts_.view.ShowAreaMarks();
}

void AreaCommands::Release() {
    if (!dragging_) return;
    dragging_ = false;
    // The selection's listener shows the result.
    Selection().SelectRectangle(anchor_, corner_, dragMode_);
}

void AreaCommands::DoubleClick(int32_t hex, SelectionMode mode) {
    if (!battle_ || parts_.edit.Mode != EditMode::SelectArea || hex == NoSymbol) return;
    // The second press began a rectangle; the double-click means the region instead.
    dragging_ = false;
    Selection().SelectRegion(hex, mode);
}

void AreaCommands::PointerAt(int32_t hex) {
    if (hex == pointer_) return;
    pointer_ = hex;
    // A preview left from a paste mode that another command ended goes with the next move.
    const bool pasting = parts_.edit.Mode == EditMode::PasteArea;
    if (pasting || std::exchange(previewShown_, false)) parts_.view.ShowAreaMarks();
    previewShown_ = pasting;
}

std::vector<int32_t> AreaCommands::DraftHexes() const {
    if (!dragging_) return {};
    const Scenario& s = parts_.session.Battle();
    if (!s.IsValidHex(anchor_) || !s.IsValidHex(corner_)) return {};
    const auto [r1, c1] = s.HexRowCol(anchor_);
    const auto [r2, c2] = s.HexRowCol(corner_);
    std::vector<int32_t> hexes;
    for (int32_t r = std::min(r1, r2); r <= std::max(r1, r2); ++r)
        for (int32_t c = std::min(c1, c2); c <= std::max(c1, c2); ++c)
            hexes.push_back(s.HexIndex(r, c));
    return hexes;
}

std::vector<AreaLanding> AreaCommands::PreviewLandings() const {
    if (parts_.edit.Mode != EditMode::PasteArea || pointer_ == NoSymbol) return {};
    return parts_.session.Areas().PreviewAt(pointer_);
}

} // namespace k2
