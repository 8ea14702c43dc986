// Conversion of the editor's Windows-1252 byte texts to UTF-8 for the tool's JSON output.
#pragma once

#include <string>
#include <string_view>

namespace k2tool {

// Bytes 0x80..0x9F take their Windows-1252 characters; the five bytes that code page leaves
// undefined map to the control characters of the same number, as Windows itself does.
std::string Windows1252ToUtf8(std::string_view bytes);

} // namespace k2tool
