// The rules of the map text dialog without its widgets: the entry of the current hex being
// edited (font, colour, style, and a size and position for each zoom level), Add with its
// defaults, Exit storing the entry, and Remove with the renumbering of later entries.
#pragma once

#include "core/platform.h"
#include "core/scenario.h"
#include "edit/edit_history.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace k2 {

// The faces a map text may use, in the order of the font list.
constexpr std::array<std::string_view, 4> MapTextFonts = {"Arial", "Galant", "Kelt", "Viking"};

struct MapTextColour {
    std::string_view Name;
    uint32_t Value; // 0x00BBGGRR
};
// The colours a map text may use, in the order of the colour list.
constexpr std::array<MapTextColour, 16> MapTextColours = {{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fushia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
}};

struct MapTextPosition {
    uint8_t Value;
    std::string_view Button; // the radio button's object name
    std::string_view Caption;
};
// The anchors of a text beside its hex, by stored value 1..8.
constexpr std::array<MapTextPosition, 8> MapTextPositions = {{
    {1, "TPosLC", "Lower Center"},
    {2, "TPosUC", "Upper Center"},
    {3, "TPosLR", "Lower Right"},
    {4, "TPosUR", "Upper Right"},
    {5, "TPosUL", "Upper Left"},
    {6, "TPosLL", "Lower Left"},
    {7, "TPosCL", "Center Left"},
    {8, "TPosCR", "Center Right"},
}};

constexpr uint8_t MapTextBold = 16;
constexpr uint8_t MapTextItalic = 32;
constexpr uint8_t MapTextUnderline = 64;
// The style bits below the flags: kept as loaded, 9 for an entry the dialog creates.
constexpr uint8_t MapTextLowBitsMask = 0x0F;
constexpr uint8_t NewMapTextLowBits = 9;
// What the text box accepts.
constexpr std::size_t MapTextInputChars = 20;
constexpr int32_t MapTextLevels = 3;
constexpr int32_t MaxMapTextSize = 255;

constexpr int32_t MapTextResultOk = 1;
constexpr int32_t MapTextResultCancel = 2;

// Index in MapTextFonts of a stored face name; an unknown name gives Arial (0).
int32_t MapTextFontIndex(std::string_view fontName);
// Index in MapTextColours of a stored colour; an unknown colour gives Black (0).
int32_t MapTextColourIndex(uint32_t colour);

class MapTextLogic {
  public:
    // `history` is only touched (Add and Exit mark the battle modified even when nothing
    // changed); the dialog's changes become a step of whoever opened it.
    MapTextLogic(Scenario& scenario, EditHistory& history, SoundPlayer& sounds, MessageBoxes& boxes);

    // The dialog opens on `hex`: loads the hex's entry, or prepares for Add.
    void Activate(int32_t hex);

    // Add: a new entry with the defaults, stored at once. Refused with a message when the
    // table is full (and changing nothing), or when the hex already has an entry.
    bool Add();
    // Exit: stores the entry being edited; MapTextResultOk.
    int32_t Exit();
    // Closing without Exit: nothing more is stored; MapTextResultCancel.
    int32_t Cancel() { return MapTextResultCancel; }
    // Remove: deletes the entry, later entries move down; MapTextResultOk. Returns 0, changing
    // nothing, while Remove is disabled.
    int32_t Remove();

    // A level panel (1..3).
    void SelectLevel(int32_t level);
    // The size spinners of a level (1..3): select the level, then one point up or down,
    // within 0..255.
    void SizeUp(int32_t level) { StepSize(level, +1); }
    void SizeDown(int32_t level) { StepSize(level, -1); }
    // A position button (1..8) for the selected level.
    void SetPosition(int32_t value);
    void SelectFont(int32_t index);
    void SelectColour(int32_t index);
    void SetBold(bool on) { bold_ = on; }
    void SetItalic(bool on) { italic_ = on; }
    void SetUnderline(bool on) { underline_ = on; }
    // The text box changed (Windows-1252 bytes, cut to what the box accepts).
    void SetText(std::string_view text);

    // What the dialog shows.
    int32_t Hex() const { return hex_; }
    int32_t Entry() const { return entry_; }
    bool Editing() const { return entry_ != 0; }
    // The font, style, size, orientation and text groups.
    bool GroupsEnabled() const { return Editing(); }
    bool AddEnabled() const { return !Editing(); }
    bool RemoveEnabled() const { return Editing() && !textEdited_; }
    const std::string& Text() const { return text_; }
    // How many characters the text box takes: 20, or more for a longer stored text, which
    // is shown whole.
    std::size_t InputLimit() const { return inputLimit_; }
    int32_t FontIndex() const { return font_; }
    int32_t ColourIndex() const { return colour_; }
    bool Bold() const { return bold_; }
    bool Italic() const { return italic_; }
    bool Underline() const { return underline_; }
    uint8_t LowBits() const { return lowBits_; }
    int32_t Level() const { return level_; }
    int32_t Size(int32_t level) const;
    int32_t Position(int32_t level) const;
    std::string SizeText(int32_t level) const { return std::to_string(Size(level)); }
    std::string OrientationCaption() const { return "Level " + std::to_string(level_) + " Orientation"; }
    // The entry as Exit would store it (what the sample shows).
    PlaceName Pending() const;

  private:
    void Store();
    void Clear();
    void StepSize(int32_t level, int32_t delta);
    static bool ValidLevel(int32_t level) { return level >= 1 && level <= MapTextLevels; }

    Scenario& scenario_;
    EditHistory& history_;
    SoundPlayer& sounds_;
    MessageBoxes& boxes_;

    int32_t hex_ = NoSymbol;
    int32_t entry_ = 0;
    std::string text_;
    int32_t font_ = 0;
    int32_t colour_ = 0;
    std::array<int32_t, MapTextLevels> sizes_{};
    std::array<int32_t, MapTextLevels> positions_{};
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    uint8_t lowBits_ = 0;
    int32_t level_ = 1;
    bool textEdited_ = false;
    std::size_t inputLimit_ = MapTextInputChars;
};

} // namespace k2
