#include "edit/battle_save.h"
#include "edit/edit_names.h"

#include "core/battle_file.h"
#include "forces/unit_ratings.h"

namespace k2 {

Status SaveBattleFile(EditHistory& history, Scenario& scenario, const EquipmentTables& equipment,
                      const std::filesystem::path& file, int32_t terrainSymbolCount) {
    Status status;
    history.Record(step::SortUnits, [&] {
        SortUnits(scenario, equipment);
        status = WriteBattle(scenario, file, terrainSymbolCount);
    });
    if (status) history.MarkSaved();
    return status;
}

} // namespace k2
