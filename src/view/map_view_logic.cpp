#include "view/map_view_logic.h"

#include "core/terrain_defs.h"

#include <algorithm>
#include <cstdlib>

namespace k2 {

ViewSize ComputeViewSize(int32_t clientWidth, int32_t clientHeight, int32_t scrollVertWidth,
                         int32_t scrollHorzHeight, int32_t panelHeight) {
    return {std::max(0, clientWidth - (scrollVertWidth + 1)),
            std::max(0, clientHeight - (scrollHorzHeight + panelHeight + 1))};
}

namespace {

struct SwitchTexts {
    const char* on;
    const char* off;
    const char* initial;
};

SwitchTexts TextsOf(DisplaySwitch which) {
    switch (which) {
    case DisplaySwitch::Elevation:
        return {"Elevation Display is: On", "Elevation Display is: Off", "Elevation Display is: Off"};
    case DisplaySwitch::Objectives:
        return {"Victory Objective is: On", "Victory Objective is: Off", "Victory Objective is: On"};
    case DisplaySwitch::Reinforcements:
        return {"Reinforcement Hexes are: On", "Reinforcement Hexes are: Off", "Reinforcement Hexes are: On"};
    case DisplaySwitch::Overlay:
        return {"Map OverLay is: On", "Map OverLay is: Off", "Map Overlay is: On"};
    case DisplaySwitch::MapText:
        return {"Map Text is: On", "Map Text is: Off", "Map Text is: On"};
    case DisplaySwitch::Reference:
        return {"Reference Image is: On", "Reference Image is: Off", "Reference Image is: On"};
    }
    return {"", "", ""};
}

bool& SwitchRef(DisplaySwitches& s, DisplaySwitch which) {
    switch (which) {
    case DisplaySwitch::Elevation:
        return s.Elevation;
    case DisplaySwitch::Objectives:
        return s.Objectives;
    case DisplaySwitch::Reinforcements:
        return s.Reinforcements;
    case DisplaySwitch::Overlay:
        return s.Overlay;
    case DisplaySwitch::Reference:
        return s.Reference;
    case DisplaySwitch::MapText:
        break;
    }
    return s.MapText;
}

// A slot that names an entry of the definition table; entries at or above TerrainDefCount
// count, as the derived hex values read them (legacy battles keep definitions past their count).
bool HoldsTerrain(int32_t symbol) {
    return symbol != NoSymbol && symbol >= 0 && symbol < MaxTerrainDefs;
}

// The definition name of a terrain symbol, or nothing for an empty slot or a number past the table.
std::string TerrainName(const Scenario& s, int32_t symbol) {
    if (!HoldsTerrain(symbol)) return {};
    return s.TerrainDefs[static_cast<size_t>(symbol)].name.Str();
}

} // namespace

std::string SwitchCaption(DisplaySwitch which, bool on) {
    const SwitchTexts t = TextsOf(which);
    return on ? t.on : t.off;
}

std::string InitialSwitchCaption(DisplaySwitch which) {
    return TextsOf(which).initial;
}

bool SwitchValue(const DisplaySwitches& switches, DisplaySwitch which) {
    return SwitchRef(const_cast<DisplaySwitches&>(switches), which);
}

bool ToggleSwitch(DisplaySwitches& switches, DisplaySwitch which) {
    bool& value = SwitchRef(switches, which);
    value = !value;
    return value;
}

HoverTexts DescribeHex(const Scenario& s, int32_t hex) {
    HoverTexts t;
    if (!s.IsValidHex(hex) || s.Cols <= 0) return t;
    const HexCell& cell = s.Hexes[static_cast<size_t>(hex)];
    const int32_t cost = HexCostPerMove(s, hex);
    const int32_t defense = HexDefense(s, hex);
    t.HexNo = "Hex:" + s.HexNumber(hex) + " CPM:" + (cost == 0 ? std::string("X") : std::to_string(cost)) +
              " Elv:" + std::to_string(HexElevation(s, hex)) + "/" + std::to_string(HexHeight(s, hex)) +
              " Def:" + (defense == 0 ? std::string("-") : std::to_string(defense));

    t.PrmTer = TerrainName(s, cell.PrimaryTerrain);
    if (cell.Caltrops != 0) t.PrmTer += " Caltrops";
    if (cell.Stakes != 0) t.PrmTer += " Stakes";

    for (int32_t symbol : cell.SecondaryTerrain)
        if (HoldsTerrain(symbol)) t.SecTer += TerrainName(s, symbol) + " ";

    if (cell.Objective >= 1 && cell.Objective <= s.ObjectiveCount && cell.Objective <= MaxObjectives) {
        const ObjectiveRecord& o = s.Objectives[static_cast<size_t>(cell.Objective)];
        t.ObjLbl = o.Name.Str() + " " + std::to_string(o.VictoryPoints) + " Pts";
    }
    if (cell.MapText >= 1 && cell.MapText <= s.MapTextCount && cell.MapText <= MaxMapTexts)
        t.MTLbl = s.MapTexts[static_cast<size_t>(cell.MapText)].Text.Str();
    return t;
}

int32_t UnitPanelHex(const Scenario& s, int32_t hex) {
    if (!s.IsValidHex(hex)) return NoSymbol;
    const HexCell& cell = s.Hexes[static_cast<size_t>(hex)];
    return (cell.Unit != 0 || cell.Structure != 0) ? hex : NoSymbol;
}

void MapViewLogic::SetViewSize(int32_t width, int32_t height) {
    viewWidth_ = std::max(0, width);
    viewHeight_ = std::max(0, height);
}

bool MapViewLogic::Usable() const {
    return pitches_.Valid() && scenario_.Cols > 0 && scenario_.Rows > 0 && scenario_.HexCount > 0;
}

int32_t MapViewLogic::Zoom() const {
    return std::min<int32_t>(scenario_.ZoomLevel, 2);
}

ViewMetrics MapViewLogic::MetricsAt(int32_t zoom) const {
    const auto z = static_cast<size_t>(std::clamp(zoom, 0, 2));
    if (!pitches_.Valid()) return ViewMetrics{viewWidth_, viewHeight_, 0, 0, viewWidth_, viewHeight_};
    return ComputeViewMetrics(viewWidth_, viewHeight_, pitches_.ColumnPitch[z], pitches_.RowPitch[z]);
}

int32_t MapViewLogic::OriginColumn() const {
    return scenario_.Cols > 0 ? scenario_.ViewOriginHex % scenario_.Cols : 0;
}

int32_t MapViewLogic::OriginRow() const {
    return scenario_.Cols > 0 ? scenario_.ViewOriginHex / scenario_.Cols : 0;
}

void MapViewLogic::SetOrigin(int32_t column, int32_t row) {
    scenario_.ViewOriginHex = scenario_.HexIndex(row, column);
}

void MapViewLogic::SetUpView() {
    if (scenario_.ZoomLevel > 2) scenario_.ZoomLevel = 2;
    if (!Usable()) return;
    // A file may bring an origin that is not a hex of its own map.
    if (!scenario_.IsValidHex(scenario_.ViewOriginHex)) scenario_.ViewOriginHex = 0;
    const ViewMetrics m = Metrics();
    scenario_.ViewOriginHex = ClampViewOrigin(scenario_.ViewOriginHex, scenario_.Cols, scenario_.Rows,
                                              m.VisibleColumns, m.VisibleRows);
}

ScrollRange MapViewLogic::HorizontalRange() const {
    if (!Usable()) return {};
    return HorizontalScrollRange(Metrics().VisibleColumns, scenario_.Cols);
}

ScrollRange MapViewLogic::VerticalRange() const {
    if (!Usable()) return {};
    return VerticalScrollRange(Metrics().VisibleRows, scenario_.Rows);
}

ScrollPaint MapViewLogic::ScrollTo(ScrollAxis axis, int32_t position, bool elevationDisplay) {
    if (!Usable()) return ScrollPaint::None;
    const bool horizontal = axis == ScrollAxis::Horizontal;
    const int32_t current = horizontal ? OriginColumn() : OriginRow();
    const int32_t d = position - current;
    if (d == 0) return ScrollPaint::None;
    int32_t step = std::abs(d);
    if (step % 2 != 0) ++step; // the origin's column and row stay even
    const int32_t limit = horizontal ? scenario_.Cols : scenario_.Rows;
    int32_t next = d > 0 ? current + step : current - step;
    next = std::max(0, next);
    // Never past the last column or row: the largest even index of the map.
    if (next >= limit) next = (limit - 1) - ((limit - 1) % 2);
    if (next == current) return ScrollPaint::None;
    if (horizontal)
        SetOrigin(next, OriginRow());
    else
        SetOrigin(OriginColumn(), next);
    return (std::abs(next - current) == 2 && !elevationDisplay) ? ScrollPaint::Incremental
                                                                : ScrollPaint::Full;
}

bool MapViewLogic::ZoomInAt(int32_t hex) {
    if (!Usable() || !CanZoomIn() || !scenario_.IsValidHex(hex)) return false;
    const auto [hexRow, hexCol] = scenario_.HexRowCol(hex);
    scenario_.ZoomLevel = static_cast<uint8_t>(Zoom() + 1);
    const ViewMetrics m = Metrics();
    int32_t col = std::max(0, hexCol - m.VisibleColumns / 2);
    int32_t row = std::max(0, hexRow - m.VisibleRows / 2);
    if (col % 2 != 0) ++col;
    if (row % 2 != 0) ++row;
    // The clamp below brings an origin past the edge back; it must first be a hex of the map.
    SetOrigin(std::min(col, scenario_.Cols - 1), std::min(row, scenario_.Rows - 1));
    SetUpView();
    MarkViewSaved();
    return true;
}

bool MapViewLogic::ZoomOut() {
    if (!Usable() || !CanZoomOut()) return false;
    const ViewMetrics before = Metrics();
    const int32_t centreCol = OriginColumn() + before.VisibleColumns / 2;
    const int32_t centreRow = OriginRow() + before.VisibleRows / 2;
    scenario_.ZoomLevel = static_cast<uint8_t>(Zoom() - 1);
    const ViewMetrics m = Metrics();
    int32_t col = centreCol - m.VisibleColumns / 2;
    int32_t row = centreRow - m.VisibleRows / 2;
    if (!(col == 0 && row == 0)) {
        if (col + m.VisibleColumns > scenario_.Cols) col = scenario_.Cols - m.VisibleColumns;
        if (row + m.VisibleRows > scenario_.Rows) row = scenario_.Rows - m.VisibleRows;
    }
    col = std::max(0, col);
    row = std::max(0, row);
    if (col % 2 != 0) --col;
    if (row % 2 != 0) --row;
    SetOrigin(std::min(col, scenario_.Cols - 1), std::min(row, scenario_.Rows - 1));
    SetUpView();
    MarkViewSaved();
    return true;
}

int32_t MapViewLogic::CentreHex() const {
    if (!Usable()) return NoSymbol;
    const ViewMetrics m = Metrics();
    const int32_t col = std::min(OriginColumn() + m.VisibleColumns / 2, scenario_.Cols - 1);
    const int32_t row = std::min(OriginRow() + m.VisibleRows / 2, scenario_.Rows - 1);
    return scenario_.HexIndex(row, col);
}

} // namespace k2
