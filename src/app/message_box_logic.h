// The program's numbered messages and the button layouts of its own message box, apart from
// the widget so that the table and the rules are checked without a window.
#pragma once

#include "core/message_kinds.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace k2 {

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
