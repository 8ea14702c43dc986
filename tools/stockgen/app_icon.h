// The program's own icon for the desktop (menus, file managers, the window list), drawn at each
// size of the hicolor icon theme and written beside the installation directory.
#pragma once

#include <QImage>
#include <filesystem>
#include <string>

namespace k2stock {

inline constexpr int AppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
inline constexpr const char* AppIconName = "keldmar2-editor";

// A square ARGB picture, transparent around the hexagon.
QImage PaintAppIcon(int size);

// The icon theme folder that belongs to `installDir`: "icons" beside it.
std::filesystem::path AppIconsPath(const std::filesystem::path& installDir);

// Writes <iconsDir>/hicolor/<N>x<N>/apps/keldmar2-editor.png for every size.
bool WriteAppIcons(const std::filesystem::path& iconsDir, std::string& error);

} // namespace k2stock
