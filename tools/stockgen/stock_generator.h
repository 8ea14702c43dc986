// Writes the complete stock installation: symbol sets, definitions, sounds, pictures, help and the
// sample battles, and the contact sheet beside the installation directory.
#pragma once

#include <filesystem>
#include <string>

namespace k2stock {

// Returns false with a message naming what failed. Needs a QGuiApplication (fonts, images).
bool GenerateStockInstallation(const std::filesystem::path& installDir, std::string& error);

// Where the contact sheet of `installDir` goes: the directory that holds the installation.
std::filesystem::path ContactSheetPath(const std::filesystem::path& installDir);

} // namespace k2stock
