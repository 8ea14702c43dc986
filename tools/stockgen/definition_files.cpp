#include "stockgen/definition_files.h"

#include "stockgen/stock_catalogue.h"
#include "stockgen/terrain_catalogue.h"

#include <stdexcept>

namespace k2stock {
namespace {

void Put16(std::string& out, int32_t value) {
    // High byte first; a negative value's high byte comes out as 255, which readers take as minus.
    if (value < -256 || value > 0xFEFF) throw std::out_of_range("terrain value out of range");
    const uint32_t v = static_cast<uint32_t>(value);
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
    out.push_back(static_cast<char>(v & 0xFF));
}

// Writes `text` into `line` at [from, from + width): text fields left-aligned, numbers right-aligned,
// refusing anything that would not fit its columns.
void Field(std::string& line, size_t from, size_t width, const std::string& text, bool number) {
    if (text.size() > width) throw std::length_error("definition field too wide: " + text);
    const size_t at = number ? from + width - text.size() : from;
    line.replace(at, text.size(), text);
}

std::string Blank(size_t width) {
    return std::string(width, ' ');
}

} // namespace

std::string EncodeTerrainDefs(const std::vector<TerrainDefRecord>& records) {
    std::string out;
    Put16(out, TerrainDefFormat);
    Put16(out, static_cast<int32_t>(records.size()));
    for (const auto& r : records) {
        if (r.name.size() > 27) throw std::length_error("terrain name longer than 27 characters: " + r.name);
        out += r.name;
        out.push_back('\0');
        Put16(out, r.elevation);
        Put16(out, r.cost);
        Put16(out, r.defense);
        Put16(out, r.spare);
    }
    return out;
}

std::vector<TerrainDefRecord> StockTerrainDefs() {
    std::vector<TerrainDefRecord> records;
    for (const auto& recipe : StockTerrainSymbols())
        records.push_back({recipe.definitionName, recipe.elevation, recipe.cost, recipe.defense, 0});
    return records;
}

const std::vector<MissileLine>& StockMissileWeapons() {
    // name, weight, range, rating, overhead fire, shots per turn, kind (1 gun, 2 hand firearm,
    // 3 bow, 4 crossbow, 5 thrown or slung).
    static const std::vector<MissileLine> lines = [] {
        std::vector<MissileLine> l(missile::Count);
        l[missile::None] = {"None", 0, 0, 0, 0, 0, 0};
        l[missile::ShortBow] = {"Short Bow", 2, 6, 20, 1, 2, 3};
        l[missile::Longbow] = {"Longbow", 3, 10, 35, 1, 2, 3};
        l[missile::CompositeBow] = {"Composite Bow", 2, 8, 28, 1, 2, 3};
        l[missile::Crossbow] = {"Crossbow", 4, 8, 40, 0, 1, 4};
        l[missile::Arbalest] = {"Arbalest", 6, 10, 50, 0, 1, 4};
        l[missile::Sling] = {"Sling", 1, 5, 12, 1, 2, 5};
        l[missile::Javelins] = {"Javelins", 3, 2, 18, 0, 1, 5};
        l[missile::Handgun] = {"Handgun", 5, 4, 45, 0, 1, 2};
        l[missile::Arquebus] = {"Arquebus", 6, 6, 55, 0, 1, 2};
        l[missile::LightGun] = {"Falconet", 400, 12, 60, 0, 1, 1};
        l[missile::MediumGun] = {"Culverin", 800, 16, 80, 0, 1, 1};
        l[missile::HeavyGun] = {"Bombard", 1600, 20, 120, 0, 1, 1};
        l[missile::Mortar] = {"Mortar", 1200, 14, 100, 1, 1, 1};
        return l;
    }();
    return lines;
}

const std::vector<CombatLine>& StockCombatWeapons() {
    // name, weight, length, rating.
    static const std::vector<CombatLine> lines = [] {
        std::vector<CombatLine> l(combat::Count);
        l[combat::Unarmed] = {"Unarmed", 0, 0, 4};
        l[combat::Dagger] = {"Dagger", 1, 1, 8};
        l[combat::Club] = {"Club", 2, 2, 10};
        l[combat::Spear] = {"Spear", 3, 8, 18};
        l[combat::Pike] = {"Pike", 5, 18, 22};
        l[combat::Sword] = {"Sword", 3, 3, 25};
        l[combat::BastardSword] = {"Bastard Sword", 4, 4, 30};
        l[combat::Axe] = {"Axe", 3, 3, 26};
        l[combat::GreatAxe] = {"Great Axe", 5, 5, 34};
        l[combat::Bill] = {"Bill", 4, 7, 28};
        l[combat::Halberd] = {"Halberd", 5, 7, 32};
        l[combat::Mace] = {"Mace", 3, 2, 24};
        l[combat::Lance] = {"Lance", 5, 12, 40};
        l[combat::Flail] = {"Flail", 3, 3, 27};
        l[combat::Greatsword] = {"Greatsword", 6, 5, 36};
        return l;
    }();
    return lines;
}

const std::vector<ArmourLine>& StockArmours() {
    // name, protection rating, weight.
    static const std::vector<ArmourLine> lines = [] {
        std::vector<ArmourLine> l(armour::Count);
        l[armour::None] = {"None", 0, 0};
        l[armour::Padded] = {"Padded Jack", 10, 2};
        l[armour::Leather] = {"Boiled Leather", 12, 3};
        l[armour::Brigandine] = {"Brigandine", 25, 6};
        l[armour::Mail] = {"Mail Hauberk", 30, 8};
        l[armour::MailAndPlate] = {"Mail and Plate", 40, 11};
        l[armour::HalfPlate] = {"Half Plate", 45, 12};
        l[armour::FullPlate] = {"Full Plate", 55, 15};
        l[armour::PlateAndBarding] = {"Plate and Barding", 60, 22};
        return l;
    }();
    return lines;
}

const std::vector<ArmourLine>& StockShields() {
    static const std::vector<ArmourLine> lines = [] {
        std::vector<ArmourLine> l(shield::Count);
        l[shield::None] = {"None", 0, 0};
        l[shield::Buckler] = {"Buckler", 5, 1};
        l[shield::Round] = {"Round Shield", 10, 3};
        l[shield::Kite] = {"Kite Shield", 12, 4};
        l[shield::Heater] = {"Heater Shield", 12, 3};
        l[shield::Pavise] = {"Pavise", 20, 6};
        l[shield::Targe] = {"Targe", 8, 2};
        return l;
    }();
    return lines;
}

std::string EncodeMissileFile(const std::vector<MissileLine>& lines) {
    std::string out;
    for (const auto& m : lines) {
        std::string line = Blank(31);
        Field(line, 0, 14, m.name, false);
        Field(line, 14, 4, std::to_string(m.weight), true);
        Field(line, 19, 2, std::to_string(m.range), true);
        Field(line, 22, 3, std::to_string(m.rating), true);
        Field(line, 26, 1, std::to_string(m.overhead), true);
        Field(line, 28, 1, std::to_string(m.shots), true);
        Field(line, 30, 1, std::to_string(m.kind), true);
        out += line + "\n";
    }
    return out + "$\n";
}

std::string EncodeCombatFile(const std::vector<CombatLine>& lines) {
    std::string out;
    for (const auto& c : lines) {
        std::string line = Blank(24);
        Field(line, 0, 14, c.name, false);
        Field(line, 14, 2, std::to_string(c.weight), true);
        Field(line, 17, 3, std::to_string(c.length), true);
        Field(line, 21, 3, std::to_string(c.rating), true);
        out += line + "\n";
    }
    return out + "$\n";
}

std::string EncodeArmourFile(const std::vector<ArmourLine>& lines) {
    std::string out;
    for (const auto& a : lines) {
        std::string line = Blank(26);
        Field(line, 0, 18, a.name, false);
        Field(line, 19, 3, std::to_string(a.rating), true);
        Field(line, 23, 3, std::to_string(a.weight), true);
        out += line + "\n";
    }
    return out + "$\n";
}

} // namespace k2stock
