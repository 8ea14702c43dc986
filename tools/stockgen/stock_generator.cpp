#include "stockgen/stock_generator.h"

#include "stockgen/app_icon.h"
#include "stockgen/definition_files.h"
#include "stockgen/help_document.h"
#include "stockgen/install_layout.h"
#include "stockgen/pictures.h"
#include "stockgen/role_table_file.h"
#include "stockgen/sample_battles.h"
#include "stockgen/sound_files.h"
#include "stockgen/stock_symbols.h"
#include "stockgen/symbol_set_file.h"

#include <QString>
#include <exception>
#include <system_error>

namespace k2stock {
namespace fs = std::filesystem;
namespace {

bool MakeDirectory(const fs::path& dir, std::string& error) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) {
        error = "Could not create directory " + dir.string() + (ec ? ": " + ec.message() : std::string());
        return false;
    }
    return true;
}

bool WriteSymbolSets(const fs::path& install, const PaintedSet& terrain, const PaintedSet& units,
                     std::string& error) {
    const fs::path dir = install / layout::Scenarios;
    const std::string t = layout::TerrainSetName, u = layout::UnitSetName;
    // The .ter file carries only terrain and the .set file only units: each reader skips the other.
    if (!WriteFileBytes(dir / (t + ".ter"), EncodeSymbolSetFile(terrain.section, SymbolSection{}), error))
        return false;
    if (!WriteFileBytes(dir / (u + ".set"), EncodeSymbolSetFile(SymbolSection{}, units.section), error))
        return false;
    if (!WriteFileBytes(dir / (t + ".sdx"), EncodeListOrder(terrain.order), error)) return false;
    if (!WriteFileBytes(dir / (u + ".sdx"), EncodeListOrder(units.order), error)) return false;
    for (int level = 0; level < layout::ZoomLevels; ++level) {
        if (!SaveBitmap(terrain.sheets[level], layout::TerrainBitmap(install, level), error)) return false;
        if (!SaveBitmap(units.sheets[level], layout::UnitBitmap(install, level), error)) return false;
        // A mask cached from an earlier generation would no longer match the new pictures.
        std::error_code ec;
        fs::remove(dir / (t + "-x" + std::to_string(level + 1) + ".bmp"), ec);
    }
    return true;
}

bool WriteDefinitions(const fs::path& install, std::string& error) {
    const fs::path dir = install / layout::Sysdefs;
    return WriteFileBytes(dir / layout::TerrainDefFile, EncodeTerrainDefs(StockTerrainDefs()), error) &&
           WriteFileBytes(dir / layout::MissileFile, EncodeMissileFile(StockMissileWeapons()), error) &&
           WriteFileBytes(dir / layout::CombatFile, EncodeCombatFile(StockCombatWeapons()), error) &&
           WriteFileBytes(dir / layout::ArmourFile, EncodeArmourFile(StockArmours()), error) &&
           WriteFileBytes(dir / layout::ShieldFile, EncodeArmourFile(StockShields()), error) &&
           WriteFileBytes(dir / (std::string(layout::TerrainSetName) + ".roles"),
                          k2::EncodeRoleTable(StockRoleTable()), error);
}

bool WriteSounds(const fs::path& install, std::string& error) {
    for (int number : layout::SoundNumbers)
        if (!WriteFileBytes(layout::SoundFile(install, number), EncodeWav(SynthesizeSound(number)), error))
            return false;
    return WriteFileBytes(install / layout::Sounds / "k2.wav", EncodeWav(SynthesizeSound(-1)), error);
}

bool WritePictures(const fs::path& install, std::string& error) {
    if (!SaveBitmap(PaintTitlePicture(), install / layout::Sysbmps / layout::TitlePicture, error))
        return false;
    for (const BattleIcon& icon : PaintBattleIcons())
        if (!SaveBitmap(icon.picture, install / layout::Scenarios / layout::Icons / (icon.name + ".bmp"),
                        error))
            return false;
    return true;
}

bool Generate(const fs::path& install, std::string& error) {
    for (const fs::path& dir : {install / layout::Scenarios / layout::Icons, install / layout::Sysdefs,
                                install / layout::Sounds, install / layout::Sysbmps})
        if (!MakeDirectory(dir, error)) return false;
    const PaintedSet terrain = PaintStockTerrainSet();
    const PaintedSet units = PaintStockUnitSet();
    if (!WriteSymbolSets(install, terrain, units, error) || !WriteDefinitions(install, error) ||
        !WriteSounds(install, error) || !WritePictures(install, error) ||
        !WriteFileBytes(install / layout::HelpFile, HelpDocumentHtml(), error))
        return false;
    const QImage sheet = PaintContactSheet(terrain, units);
    const fs::path sheetPath = ContactSheetPath(install);
    if (!sheet.save(QString::fromStdString(sheetPath.string()), "PNG")) {
        error = "Could not write " + sheetPath.string();
        return false;
    }
    if (!WriteAppIcons(AppIconsPath(install), error)) return false;
    // The sample battles name symbols and read definitions, so they come last.
    std::string sampleError;
    if (!WriteSampleBattles(install, sampleError)) {
        error = "Could not write the sample battles: " + sampleError;
        return false;
    }
    return true;
}

} // namespace

fs::path ContactSheetPath(const fs::path& installDir) {
    fs::path dir = fs::absolute(installDir).lexically_normal();
    if (dir.filename().empty()) dir = dir.parent_path(); // "install/" names the same directory
    return dir.parent_path() / layout::ContactSheet;
}

bool GenerateStockInstallation(const fs::path& installDir, std::string& error) {
    try {
        return Generate(installDir, error);
    } catch (const std::exception& e) {
        // A catalogue entry that breaks a file format rule is a programming fault; report it
        // rather than write a half-valid installation silently.
        error = std::string("Stock installation not generated: ") + e.what();
        return false;
    }
}

} // namespace k2stock
