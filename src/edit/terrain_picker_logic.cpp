#include "edit/terrain_picker_logic.h"
#include "edit/edit_names.h"

#include "core/terrain_defs.h"
#include "edit/terrain_tools.h"

#include <QPainter>

#include <algorithm>

namespace k2 {

namespace {

// The category of a use's terrains: the first character of their symbol names.
char CategoryOf(int8_t use) {
    return use == PickerUseSecondary ? '2' : '1';
}

// A list heading has "_" as the third character of its symbol name.
bool IsHeadingName(std::string_view name) {
    return name.size() > 2 && name[2] == '_';
}

std::string_view WithoutPrefix(std::string_view name) {
    return name.size() > 2 ? name.substr(2) : std::string_view();
}

} // namespace

std::string CostPerMoveText(int32_t cost) {
    if (cost == 0) return "-";
    if (cost >= TerrainPickerLogic::MaxCost) return "X";
    return std::to_string(cost);
}

std::string SignedText(int32_t value) {
    return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
}

TerrainPickerLogic::TerrainPickerLogic(Scenario& scenario, const SymbolSet& symbols, EditState& edit,
                                       EditHistory& history, MessageBoxes& boxes)
    : scenario_(scenario), symbols_(symbols), edit_(edit), history_(history), boxes_(boxes) {}

void TerrainPickerLogic::BuildRows() {
    rows_.clear();
    const char category = CategoryOf(use_);
    const int32_t count = symbols_.TerrainCount();
    for (int32_t place = 0; place < count; ++place) {
        const int32_t terrain = symbols_.TerrainAtPlace(place);
        if (!symbols_.IsTerrainSymbol(terrain) || terrain >= MaxTerrainDefs) continue;
        const std::string_view name = symbols_.Terrain(terrain).Name.View();
        if (name.empty() || name[0] != category) continue;
        rows_.push_back({terrain, std::string(WithoutPrefix(name)), IsHeadingName(name)});
    }
}

bool TerrainPickerLogic::SelectTerrainOrFirst(int32_t terrain) {
    selectedRow_ = -1;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].Heading) continue;
        if (rows_[row].Terrain == terrain) {
            selectedRow_ = int32_t(row);
            return true;
        }
        if (selectedRow_ < 0) selectedRow_ = int32_t(row);
    }
    return false;
}

void TerrainPickerLogic::Activate(int8_t use) {
    activated_ = true;
    use_ = (use == PickerUseFill || use == PickerUseSecondary) ? use : PickerUsePrimary;
    edit_.PickerUse = use_;
    BuildRows();
    // A heading is never selected, so the first selectable row stands in for row 0.
    if (!SelectTerrainOrFirst(edit_.SelectedTerrain)) FallBackToSelectedRow();
}

void TerrainPickerLogic::FallBackToSelectedRow() {
    if (!HasSelection()) return;
    edit_.SelectedTerrain = SelectedTerrain();
    // A base without variants in this use would lay down the row shown anyway; a base of
    // another use's list would make the variant pick put that use's terrain in this layer.
    if (!VariantListFor(use_, edit_.SelectedBaseTerrain)) edit_.SelectedBaseTerrain = NoSymbol;
}

void TerrainPickerLogic::Refresh() {
    if (!activated_) return;
    const int32_t keep = HasSelection() ? SelectedTerrain() : edit_.SelectedTerrain;
    BuildRows();
    if (SelectTerrainOrFirst(keep)) return;
    if (!SelectTerrainOrFirst(edit_.SelectedTerrain)) FallBackToSelectedRow();
}

bool TerrainPickerLogic::ClickRow(int32_t row) {
    if (row < 0 || row >= int32_t(rows_.size()) || rows_[size_t(row)].Heading) return false;
    selectedRow_ = row;
    edit_.SelectedTerrain = rows_[size_t(row)].Terrain;
    edit_.SelectedBaseTerrain = rows_[size_t(row)].Terrain;
    return true;
}

int32_t TerrainPickerLogic::SelectedTerrain() const {
    return HasSelection() ? rows_[size_t(selectedRow_)].Terrain : NoSymbol;
}

const TerrainDef* TerrainPickerLogic::Definition() const {
    if (!HasSelection()) return nullptr;
    return &scenario_.TerrainDefs[size_t(SelectedTerrain())];
}

StepChange TerrainPickerLogic::EditDefinition(const std::function<void(TerrainDef&)>& change) {
    if (!HasSelection()) return {};
    const int32_t terrain = SelectedTerrain();
    return history_.Record(
        step::TerrainDefinition, [&] { change(scenario_.TerrainDefs[size_t(terrain)]); }, MergeKey(terrain));
}

StepChange TerrainPickerLogic::Step(int32_t TerrainDef::*field, int32_t delta, int32_t low, int32_t high) {
    return EditDefinition([&](TerrainDef& def) { def.*field = std::clamp(def.*field + delta, low, high); });
}

StepChange TerrainPickerLogic::SetName(std::string_view text) {
    const std::string_view cut = text.substr(0, std::min(text.size(), NameChars));
    return EditDefinition([&](TerrainDef& def) { def.name = cut; });
}

int32_t TerrainPickerLogic::Ok(const std::filesystem::path& defFile, int32_t terrainSymbolCount) {
    Status written;
    // The write sets the battle's definition count to the symbol count, which is a change of
    // the battle like any other and belongs to the definition edits.
    history_.Record(
        step::TerrainDefinition, [&] { written = WriteTerrainDefs(scenario_, defFile, terrainSymbolCount); },
        HasSelection() ? MergeKey(SelectedTerrain()) : std::string());
    if (!written) boxes_.ShowPlain(written.title, written.message);
    return PickerResultOk;
}

std::string TerrainPickerLogic::Caption() const {
    switch (use_) {
    case PickerUseFill:
        return "Primary Terrain Fill";
    case PickerUseSecondary:
        return "Secondary Terrain";
    default:
        return "Primary Terrain";
    }
}

std::string TerrainPickerLogic::ElevationText() const {
    const TerrainDef* def = Definition();
    return def ? std::to_string(def->elevation) : std::string();
}

std::string TerrainPickerLogic::CostText() const {
    const TerrainDef* def = Definition();
    return def ? CostPerMoveText(def->costPerMove) : std::string();
}

std::string TerrainPickerLogic::DefenseText() const {
    const TerrainDef* def = Definition();
    return def ? SignedText(def->defenseModifier) : std::string();
}

std::string TerrainPickerLogic::SymbolName() const {
    return HasSelection() ? rows_[size_t(selectedRow_)].Text : std::string();
}

std::string TerrainPickerLogic::DefinitionName() const {
    const TerrainDef* def = Definition();
    return def ? def->name.Str() : std::string();
}

QImage TerrainPickerLogic::Preview() const {
    constexpr int32_t Zoom = ZoomLevelCount - 1;
    const int32_t size = symbols_.CellSize(Zoom);
    const QImage& bitmap = symbols_.TerrainBitmap(Zoom);
    if (!HasSelection() || size <= 0 || bitmap.isNull()) return {};
    QImage preview(size, size, QImage::Format_RGB16);
    preview.fill(Qt::black);
    // Every symbol is drawn as a square of the cell size from its cell's top left corner.
    const SymbolCell& cell = symbols_.Terrain(SelectedTerrain()).Cells[Zoom];
    QPainter painter(&preview);
    painter.drawImage(QPoint(0, 0), bitmap, QRect(cell.Left, cell.Top, size, size));
    return preview;
}

} // namespace k2
