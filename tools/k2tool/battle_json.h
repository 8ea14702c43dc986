// The JSON form of a battle that `k2tool dump` prints: every field under its own name, texts
// decoded from Windows-1252, the grid as 14-integer arrays in HexCell order.
#pragma once

#include "core/scenario.h"
#include "forces/equipment_defs.h"

#include <QJsonObject>

namespace k2tool {

// With `ratings`, every unit object gains its derived ratings and the top level SidePoints.
QJsonObject BattleJson(const k2::Scenario& scenario, bool legacy, const k2::EquipmentTables* ratings);

} // namespace k2tool
