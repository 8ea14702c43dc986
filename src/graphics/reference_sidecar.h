// The reference picture's settings in a small JSON file beside the battle (NAME.k2s.reference.json),
// since the battle file's layout has no room for them: the picture's path relative to the battle,
// the two anchor pairs, the nudge, the opacity and whether it is shown.
#pragma once

#include "core/status.h"
#include "graphics/reference_image.h"

#include <QByteArray>

#include <cstddef>
#include <filesystem>

namespace k2 {

constexpr std::size_t MaxReferenceSidecarBytes = 64 * 1024;

std::filesystem::path ReferenceSidecarPath(const std::filesystem::path& battleFile);

struct ReferenceSidecarRead {
    bool Found = false; // a file lies beside the battle
    Status Outcome;     // why it cannot be used
    ReferenceSettings Settings;
};

// The settings kept beside `battleFile`, the picture's path made absolute. A file that is too
// large, not JSON or holds a value out of range (a hex off a map of `hexCount` hexes) is refused
// whole with a message that names it.
ReferenceSidecarRead ReadReferenceSidecar(const std::filesystem::path& battleFile, int32_t hexCount);
ReferenceSidecarRead ParseReferenceSidecar(const QByteArray& json, const std::filesystem::path& battleFile,
                                           int32_t hexCount);

// The file's text for a battle at `battleFile`: the picture's path relative to the battle's folder
// where it can be (absolute on another drive).
QByteArray ReferenceSidecarJson(const ReferenceSettings& settings, const std::filesystem::path& battleFile);

// Writes the settings beside `battleFile` (replacing the file whole, never half-written); with no
// picture, removes the file of an earlier one.
Status WriteReferenceSidecar(const ReferenceSettings& settings, const std::filesystem::path& battleFile);

} // namespace k2
