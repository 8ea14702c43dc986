// The program's numbered messages and the button layouts of its own message box, apart from
// the widget so that the table and the rules are checked without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace k2 {

// Message kinds the editor raises.
constexpr int32_t MsgSaveChanges = 1;
constexpr int32_t MsgKeepFill = 7;
constexpr int32_t MsgBattleName = 10;
constexpr int32_t MsgFactionNames = 12;
constexpr int32_t MsgNoUnits = 13;
constexpr int32_t MsgNoReinforcements = 14;

// Button layouts: a single "Ok", or "Yes" and "No".
constexpr int32_t LayoutOk = 1;
constexpr int32_t LayoutYesNo = 2;

// Results of the box.
constexpr int32_t MsgResultYes = 1;
constexpr int32_t MsgResultNo = 2;

struct MessageEntry {
    int32_t kind;
    std::string_view text;
    std::string_view title;
};

// The entry for `kind`, or nothing for a number outside the table.
std::optional<MessageEntry> LookUpMessage(int32_t kind);

struct MessageButtons {
    std::string_view yesCaption;
    bool noVisible;
    bool cancelVisible;
};

// Layout 1 is a lone "Ok"; every other layout is "Yes"/"No". The cancel button never shows:
// no caller can abandon the operation that asked.
MessageButtons ButtonsForLayout(int32_t layout);

} // namespace k2
