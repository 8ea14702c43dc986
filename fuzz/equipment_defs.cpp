// Fuzzes the fixed-column equipment definition parsers with arbitrary text.
#include "forces/equipment_defs.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::array<k2::WeaponDef, k2::MaxEquipmentEntries> weapons{};
    std::array<k2::ArmourDef, k2::MaxEquipmentEntries> armour{};
    int32_t n = k2::ParseWeaponLines(text, true, weapons);
    if (n < 0 || n > k2::MaxEquipmentEntries) __builtin_trap();
    for (int32_t i = 0; i < n; ++i)
        if (weapons[i].name.Length() > 14) __builtin_trap();
    k2::ParseWeaponLines(text, false, weapons);
    n = k2::ParseArmourLines(text, armour);
    for (int32_t i = 0; i < n; ++i)
        if (armour[i].name.Length() > 18) __builtin_trap();
    return 0;
}
