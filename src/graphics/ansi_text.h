// Conversions between the battle files' Windows-1252 byte texts and QString, and the font
// substitutions that map the four stored map-text faces onto the fonts this system ships.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace k2 {

// Windows-1252 bytes to text. Bytes the code page leaves undefined map to U+FFFD.
QString FromAnsi(std::string_view bytes);
// Text to Windows-1252 bytes; characters the code page cannot hold become '?'.
std::string ToAnsi(const QString& text);

// "Arial" -> Liberation Sans, "Galant" -> Cardo, "Kelt" -> Klaudia, "Viking" -> Blankenburg.
// Safe to call more than once; needs a QGuiApplication.
void InstallFontSubstitutions();

} // namespace k2
