// The five lines of the unit panel that describe the unit and the structure on the hex under
// the mouse. Texts are Windows-1252 bytes, as the scenario holds them.
#pragma once

#include "core/scenario.h"
#include "forces/equipment_defs.h"

#include <string>

namespace k2 {

struct UnitSummary {
    std::string SdeLbl;  // side, and the unit's wing
    std::string UntLbl;  // unit name and flags
    std::string StsLbl1; // unit statistics
    std::string BseLbl;  // structure on the hex
    std::string RnfLbl;  // reinforcement arrival turn

    bool operator==(const UnitSummary&) const = default;
};

// The panel for `hex`; NoSymbol (or any index off the map) gives five empty lines.
UnitSummary SummarizeHex(const Scenario& scenario, const EquipmentTables& tables, int32_t hex);

} // namespace k2
