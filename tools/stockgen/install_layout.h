// Folder and file names of the installation directory that the generator writes.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace k2stock::layout {

inline constexpr const char* Scenarios = "scenarios";
inline constexpr const char* Icons = "icons"; // under scenarios
inline constexpr const char* Sysdefs = "sysdefs";
inline constexpr const char* Sounds = "sounds";
inline constexpr const char* Sysbmps = "sysbmps";

inline constexpr const char* TerrainSetName = "K2T";
inline constexpr const char* UnitSetName = "K2U";
inline constexpr const char* TerrainDefFile = "K2Ter.Def";
inline constexpr const char* MissileFile = "MWEAP.DEF";
inline constexpr const char* CombatFile = "CWEAP.DEF";
inline constexpr const char* ArmourFile = "UARMOR.DEF";
inline constexpr const char* ShieldFile = "USHIELD.DEF";
inline constexpr const char* TitlePicture = "tkedt.bmp";
inline constexpr const char* HelpFile = "tkx2.hlp";
inline constexpr const char* ContactSheet = "stock-contact-sheet.png"; // beside the installation

// Zoom levels 0, 1, 2: terrain cell sizes, so the map pitches follow from them.
inline constexpr int ZoomLevels = 3;
inline constexpr int CellSizes[ZoomLevels] = {24, 40, 56};

// Sound numbers that have their own file; every other number plays k2.wav.
inline constexpr int SoundNumbers[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 36};

inline std::filesystem::path TerrainBitmap(const std::filesystem::path& install, int level) {
    return install / Scenarios / (std::string(TerrainSetName) + "-t" + std::to_string(level + 1) + ".bmp");
}
inline std::filesystem::path UnitBitmap(const std::filesystem::path& install, int level) {
    return install / Scenarios / (std::string(UnitSetName) + "-u" + std::to_string(level + 1) + ".bmp");
}
inline std::filesystem::path SoundFile(const std::filesystem::path& install, int number) {
    char name[16];
    std::snprintf(name, sizeof name, "k2%02d.wav", number);
    return install / Sounds / name;
}

} // namespace k2stock::layout
