// The numbers by which the editor addresses its own message box (MessageBoxes::Ask): the
// message kinds, the two button layouts and the two results.
#pragma once

#include <cstdint>

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

} // namespace k2
