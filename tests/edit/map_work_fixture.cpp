#include "map_work_fixture.h"

#include "common/battle_builder.h"

#include <QWidget>

#include <filesystem>

namespace k2test::mapwork {

using namespace k2;

std::unique_ptr<Scenario> MakeBattle(int32_t rows, int32_t cols) {
    auto s = k2::test::MakeBattle({.cols = cols,
                                   .rows = rows,
                                   .borderRing = true,
                                   .stockMarkers = true,
                                   .wings = {"Main"},
                                   .western = "Red Host",
                                   .eastern = "Blue Host"});
    for (int32_t h = 0; h < s->HexCount; ++h) {
        HexCell& cell = s->Hexes[size_t(h)];
        const auto [r, c] = s->HexRowCol(h);
        if (!s->IsBorderHex(h)) {
            cell.PrimaryTerrain = 1000 + r * 150 + c;
            cell.SecondaryTerrain[0] = cell.PrimaryTerrain + 1;
        }
    }
    return s;
}

int32_t AddUnit(Scenario& s, int32_t row, int32_t col, const std::string& name, int32_t side) {
    return k2::test::AddUnit(s, s.HexIndex(row, col),
                             {.Name = {name}, .Side = side, .Men = 100 + s.UnitCount + 1});
}

int32_t AddStructure(Scenario& s, int32_t row, int32_t col, const std::string& name, int32_t symbol) {
    const int32_t n = s.StructureCount + 1;
    return k2::test::AddStructure(
        s, s.HexIndex(row, col),
        {.Name = {name}, .Symbol = symbol, .SpareA = 70 + n, .SupplyLevel = 10 + n, .Capacity = 3});
}

int32_t AddObjective(Scenario& s, int32_t row, int32_t col, const std::string& name) {
    return k2::test::AddObjective(s, s.HexIndex(row, col),
                                  {.Name = {name}, .VictoryPoints = 20 + s.ObjectiveCount + 1});
}

int32_t AddMapText(Scenario& s, int32_t row, int32_t col, const std::string& text) {
    return k2::test::AddMapText(s, s.HexIndex(row, col),
                                {.Text = {text}, .FontName = {"Galant"}, .Size = {8, 12, 16}});
}

namespace {

template <typename Table>
std::string CheckTable(const Scenario& s, const Table& table, int32_t count, int32_t HexCell::*field,
                       const char* what) {
    for (int32_t k = 1; k <= count; ++k) {
        const int32_t hex = table[size_t(k)].Hex;
        if (!s.IsValidHex(hex)) return std::string(what) + " " + std::to_string(k) + " names no hex";
        if (s.Hexes[size_t(hex)].*field != k)
            return std::string(what) + " " + std::to_string(k) + "'s hex " + std::to_string(hex) +
                   " refers to " + std::to_string(s.Hexes[size_t(hex)].*field);
    }
    for (int32_t h = 0; h < s.HexCount; ++h) {
        const int32_t ref = s.Hexes[size_t(h)].*field;
        if (ref == 0) continue;
        if (ref < 0 || ref > count || table[size_t(ref)].Hex != h)
            return "hex " + std::to_string(h) + " refers to " + what + " " + std::to_string(ref) +
                   " elsewhere";
    }
    return {};
}

} // namespace

std::string Inconsistency(const Scenario& s) {
    if (s.HexCount != s.Rows * s.Cols || s.Hexes.size() != size_t(s.HexCount)) return "grid size";
    for (std::string fault : {CheckTable(s, s.Units, s.UnitCount, &HexCell::Unit, "unit"),
                              CheckTable(s, s.Structures, s.StructureCount, &HexCell::Structure, "structure"),
                              CheckTable(s, s.Objectives, s.ObjectiveCount, &HexCell::Objective, "objective"),
                              CheckTable(s, s.MapTexts, s.MapTextCount, &HexCell::MapText, "map text")}) {
        if (!fault.empty()) return fault;
    }
    return {};
}

void SaveShot(QWidget* widget, const QString& name) {
    const QByteArray dir = qgetenv("K2_SHOT_DIR");
    if (dir.isEmpty()) return;
    std::filesystem::create_directories(dir.toStdString());
    widget->grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
}

} // namespace k2test::mapwork
