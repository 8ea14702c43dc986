// Fuzzes the reader of the reference picture's settings file: a refused file leaves the default
// settings, an accepted one writes back to JSON that reads as the same settings.
#include "graphics/reference_sidecar.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path battle = "/battles/Field.k2s";
    constexpr int32_t Hexes = 150 * 150;
    const QByteArray json(reinterpret_cast<const char*>(data), qsizetype(size));
    const k2::ReferenceSidecarRead read = k2::ParseReferenceSidecar(json, battle, Hexes);
    if (!read.Outcome.ok) {
        if (!(read.Settings == k2::ReferenceSettings{}) || read.Outcome.message.empty()) std::abort();
        return 0;
    }
    if (read.Settings.Anchors.size() != 0 && read.Settings.Anchors.size() != 2) std::abort();
    for (const k2::ReferenceAnchor& a : read.Settings.Anchors)
        if (a.Hex < 0 || a.Hex >= Hexes) std::abort();
    const k2::ReferenceSidecarRead again =
        k2::ParseReferenceSidecar(k2::ReferenceSidecarJson(read.Settings, battle), battle, Hexes);
    if (!again.Outcome.ok || !(again.Settings == read.Settings)) std::abort();
    return 0;
}
