#include "edit/map_text_logic.h"

#include <algorithm>

namespace k2 {

int32_t MapTextFontIndex(std::string_view fontName) {
    for (std::size_t i = 0; i < MapTextFonts.size(); ++i)
        if (MapTextFonts[i] == fontName) return int32_t(i);
    return 0;
}

int32_t MapTextColourIndex(uint32_t colour) {
    for (std::size_t i = 0; i < MapTextColours.size(); ++i)
        if (MapTextColours[i].Value == colour) return int32_t(i);
    return 0;
}

MapTextLogic::MapTextLogic(Scenario& scenario, EditHistory& history, SoundPlayer& sounds, MessageBoxes& boxes)
    : scenario_(scenario), history_(history), sounds_(sounds), boxes_(boxes) {}

void MapTextLogic::Clear() {
    entry_ = 0;
    text_.clear();
    font_ = 0;
    colour_ = 0;
    sizes_ = {0, 0, 0};
    positions_ = {1, 1, 1};
    bold_ = italic_ = underline_ = false;
    lowBits_ = 0;
    level_ = 1;
    textEdited_ = false;
    inputLimit_ = MapTextInputChars;
}

void MapTextLogic::Activate(int32_t hex) {
    Clear();
    hex_ = hex;
    if (!scenario_.IsValidHex(hex)) return;
    const int32_t m = scenario_.Hexes[static_cast<std::size_t>(hex)].MapText;
    // A number that names no entry (a damaged file) is treated as no entry at all.
    if (m < 1 || m > std::min(scenario_.MapTextCount, MaxMapTexts)) return;
    const PlaceName& entry = scenario_.MapTexts[static_cast<std::size_t>(m)];
    entry_ = m;
    text_ = entry.Text.Str();
    inputLimit_ = std::max(MapTextInputChars, text_.size());
    font_ = MapTextFontIndex(entry.FontName.View());
    colour_ = MapTextColourIndex(entry.Colour);
    for (std::size_t l = 0; l < MapTextLevels; ++l) {
        sizes_[l] = entry.Size[l];
        positions_[l] = entry.Placement[l];
    }
    bold_ = (entry.Style & MapTextBold) != 0;
    italic_ = (entry.Style & MapTextItalic) != 0;
    underline_ = (entry.Style & MapTextUnderline) != 0;
    lowBits_ = entry.Style & MapTextLowBitsMask;
}

bool MapTextLogic::Add() {
    if (Editing() || !scenario_.IsValidHex(hex_)) return false;
    if (scenario_.MapTextCount >= MaxMapTexts) {
        sounds_.Play(SoundRefuse, 1);
        boxes_.ShowPlain("Warning", "A battle holds at most 50 map texts. Remove one before adding another.");
        return false;
    }
    Clear();
    entry_ = ++scenario_.MapTextCount;
    text_ = "Map Text";
    font_ = MapTextFontIndex("Galant");
    colour_ = MapTextColourIndex(0x000000);
    sizes_ = {8, 12, 16};
    positions_ = {1, 1, 1};
    lowBits_ = NewMapTextLowBits;
    Store();
    return true;
}

int32_t MapTextLogic::Exit() {
    if (Editing()) Store();
    return MapTextResultOk;
}

int32_t MapTextLogic::Remove() {
    if (!RemoveEnabled()) return 0;
    scenario_.RemoveMapText(entry_);
    Clear();
    return MapTextResultOk;
}

void MapTextLogic::Store() {
    scenario_.MapTexts[static_cast<std::size_t>(entry_)] = Pending();
    scenario_.Hexes[static_cast<std::size_t>(hex_)].MapText = entry_;
    history_.Touch();
}

PlaceName MapTextLogic::Pending() const {
    PlaceName entry;
    entry.Hex = hex_;
    entry.Text = text_;
    entry.FontName = MapTextFonts[static_cast<std::size_t>(font_)];
    entry.Colour = MapTextColours[static_cast<std::size_t>(colour_)].Value;
    for (std::size_t l = 0; l < MapTextLevels; ++l) {
        entry.Size[l] = static_cast<uint8_t>(sizes_[l]);
        entry.Placement[l] = static_cast<uint8_t>(positions_[l]);
    }
    entry.Style = static_cast<uint8_t>(lowBits_ | (bold_ ? MapTextBold : 0) | (italic_ ? MapTextItalic : 0) |
                                       (underline_ ? MapTextUnderline : 0));
    return entry;
}

void MapTextLogic::SelectLevel(int32_t level) {
    if (!ValidLevel(level)) return;
    level_ = level;
    sounds_.Play(SoundAccept, 1);
}

void MapTextLogic::StepSize(int32_t level, int32_t delta) {
    if (!ValidLevel(level)) return;
    level_ = level;
    int32_t& size = sizes_[static_cast<std::size_t>(level - 1)];
    size = std::clamp(size + delta, 0, MaxMapTextSize);
    sounds_.Play(SoundAccept, 1);
}

void MapTextLogic::SetPosition(int32_t value) {
    if (value < 1 || value > int32_t(MapTextPositions.size())) return;
    positions_[static_cast<std::size_t>(level_ - 1)] = value;
    sounds_.Play(SoundAccept, 1);
}

void MapTextLogic::SelectFont(int32_t index) {
    if (index < 0 || index >= int32_t(MapTextFonts.size())) return;
    font_ = index;
    sounds_.Play(SoundAccept, 1);
}

void MapTextLogic::SelectColour(int32_t index) {
    if (index < 0 || index >= int32_t(MapTextColours.size())) return;
    colour_ = index;
    sounds_.Play(SoundAccept, 1);
}

void MapTextLogic::SetText(std::string_view text) {
    text_ = std::string(text.substr(0, inputLimit_));
    if (Editing()) textEdited_ = true;
}

int32_t MapTextLogic::Size(int32_t level) const {
    return ValidLevel(level) ? sizes_[static_cast<std::size_t>(level - 1)] : 0;
}

int32_t MapTextLogic::Position(int32_t level) const {
    return ValidLevel(level) ? positions_[static_cast<std::size_t>(level - 1)] : 0;
}

} // namespace k2
