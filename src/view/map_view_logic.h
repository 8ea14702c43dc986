// The rules of the map view without widgets: the view size, the origin kept valid, the
// two-column scroll, zoom in at a hex and zoom out, the zoom button states, the display switch
// captions and the hover line texts.
#pragma once

#include "core/edit_state.h"
#include "core/scenario.h"
#include "graphics/hex_geometry.h"

#include <cstdint>
#include <string>

namespace k2 {

// The map window's size from the client area and the fixed sizes around it.
struct ViewSize {
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const ViewSize&) const = default;
};
ViewSize ComputeViewSize(int32_t clientWidth, int32_t clientHeight, int32_t scrollVertWidth,
                         int32_t scrollHorzHeight, int32_t panelHeight);

enum class ScrollAxis { Horizontal, Vertical };

// How a scroll is painted: not at all, by shifting the buffer two pitches and drawing the strip
// that came into view, or by a full pass.
enum class ScrollPaint { None, Incremental, Full };

enum class DisplaySwitch { Elevation, Objectives, Reinforcements, Overlay, MapText, Reference };

// The caption of a switch's menu item for its state, and the caption it has before a battle
// has ever been shown.
std::string SwitchCaption(DisplaySwitch which, bool on);
std::string InitialSwitchCaption(DisplaySwitch which);
bool SwitchValue(const DisplaySwitches& switches, DisplaySwitch which);
// Flips the switch and returns its new value.
bool ToggleSwitch(DisplaySwitches& switches, DisplaySwitch which);

// The five hover labels, as Windows-1252 bytes.
struct HoverTexts {
    std::string HexNo;
    std::string PrmTer;
    std::string SecTer;
    std::string ObjLbl;
    std::string MTLbl;
    bool operator==(const HoverTexts&) const = default;
};
// What the hover line shows for `hex`; anything that is not a hex of the map gives empty texts.
HoverTexts DescribeHex(const Scenario& scenario, int32_t hex);
// The hex the unit panel describes: `hex` when it holds a unit or a structure, else NoSymbol.
int32_t UnitPanelHex(const Scenario& scenario, int32_t hex);

class MapViewLogic {
  public:
    explicit MapViewLogic(Scenario& scenario) : scenario_(scenario) {}

    void SetPitches(const HexPitches& pitches) { pitches_ = pitches; }
    const HexPitches& Pitches() const { return pitches_; }
    void SetViewSize(int32_t width, int32_t height);
    int32_t ViewWidth() const { return viewWidth_; }
    int32_t ViewHeight() const { return viewHeight_; }

    // True when the pitches allow the arithmetic and the scenario has a grid.
    bool Usable() const;
    int32_t Zoom() const;
    ViewMetrics Metrics() const { return MetricsAt(Zoom()); }
    ViewMetrics MetricsAt(int32_t zoom) const;

    // Keeps ZoomLevel in 0..2 and ViewOriginHex on the map with an even column and row.
    void SetUpView();
    // Zooming and loading keep the origin and zoom level in the battle file.
    void MarkViewSaved() { scenario_.ViewSaved = 1; }

    int32_t OriginColumn() const;
    int32_t OriginRow() const;
    ScrollRange HorizontalRange() const;
    ScrollRange VerticalRange() const;

    // A scrollbar reports `position`; moves the origin by an even step toward it. The paint is
    // incremental for a step of two with the elevation display off.
    ScrollPaint ScrollTo(ScrollAxis axis, int32_t position, bool elevationDisplay);

    bool CanZoomIn() const { return Zoom() < 2; }
    bool CanZoomOut() const { return Zoom() > 0; }
    // Zooms in one level with `hex` near the middle of the new view. False when nothing changed.
    bool ZoomInAt(int32_t hex);
    // Zooms out one level keeping the middle of the view. False at level 0.
    bool ZoomOut();
    // The hex at the middle of the view (for zooming from the keyboard).
    int32_t CentreHex() const;

  private:
    void SetOrigin(int32_t column, int32_t row);

    Scenario& scenario_;
    HexPitches pitches_;
    int32_t viewWidth_ = 0;
    int32_t viewHeight_ = 0;
};

} // namespace k2
