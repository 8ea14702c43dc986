#include "app/message_box_logic.h"

#include <array>

namespace k2 {

namespace {

constexpr std::array<MessageEntry, 6> Messages = {{
    {MsgSaveChanges, "Save changes to this battle?", "Save Changes?"},
    {MsgKeepFill, "Keep Terrain Fill Changes?", "Keep Changes?"},
    {MsgBattleName, "You must enter a battle name.", "Scenario Name?"},
    {MsgFactionNames, "You must enter both faction names.", "Factions?"},
    {MsgNoUnits, "Units for this faction have not been defined.", "Order of Battle"},
    {MsgNoReinforcements, "Reinforcements for this faction have not been defined.", "ReinForcements"},
}};

} // namespace

std::optional<MessageEntry> LookUpMessage(int32_t kind) {
    for (const MessageEntry& entry : Messages)
        if (entry.kind == kind) return entry;
    return std::nullopt;
}

MessageButtons ButtonsForLayout(int32_t layout) {
    if (layout == LayoutOk) return {"Ok", false, false};
    return {"Yes", true, false};
}

} // namespace k2
