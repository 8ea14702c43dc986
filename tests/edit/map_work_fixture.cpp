#include "map_work_fixture.h"

#include <QWidget>

#include <filesystem>

namespace k2test::mapwork {

using namespace k2;

std::unique_ptr<Scenario> MakeBattle(int32_t rows, int32_t cols) {
    auto s = std::make_unique<Scenario>();
    s->Rows = rows;
    s->Cols = cols;
    s->HexCount = rows * cols;
    s->Hexes.assign(size_t(s->HexCount), HexCell{});
    s->WesternName = "Red Host";
    s->EasternName = "Blue Host";
    s->WingNames[0] = "Main";
    s->WingCount = 1;
    for (size_t i = 0; i < StockMarkerSymbols.size(); ++i)
        s->MarkerSymbols[i] = StockMarkerSymbols[i];
    for (int32_t h = 0; h < s->HexCount; ++h) {
        HexCell& cell = s->Hexes[size_t(h)];
        const auto [r, c] = s->HexRowCol(h);
        if (s->IsBorderHex(h)) {
            cell.PrimaryTerrain = BorderTerrain;
        } else {
            cell.PrimaryTerrain = 1000 + r * 150 + c;
            cell.SecondaryTerrain[0] = cell.PrimaryTerrain + 1;
        }
    }
    return s;
}

int32_t AddUnit(Scenario& s, int32_t row, int32_t col, const std::string& name, int32_t side) {
    const int32_t n = ++s.UnitCount;
    UnitRecord& unit = s.Units[size_t(n)];
    unit.Name = name;
    unit.Side = side;
    unit.Men = 100 + n;
    unit.Hex = s.HexIndex(row, col);
    s.Hexes[size_t(unit.Hex)].Unit = n;
    return n;
}

int32_t AddStructure(Scenario& s, int32_t row, int32_t col, const std::string& name, int32_t symbol) {
    const int32_t n = ++s.StructureCount;
    StructureRecord& record = s.Structures[size_t(n)];
    record.Name = name;
    record.Symbol = symbol;
    record.SupplyLevel = 10 + n;
    record.SpareA = 70 + n;
    record.Capacity = 3;
    record.Hex = s.HexIndex(row, col);
    s.Hexes[size_t(record.Hex)].Structure = n;
    return n;
}

int32_t AddObjective(Scenario& s, int32_t row, int32_t col, const std::string& name) {
    const int32_t n = ++s.ObjectiveCount;
    ObjectiveRecord& record = s.Objectives[size_t(n)];
    record.Name = name;
    record.VictoryPoints = 20 + n;
    record.Hex = s.HexIndex(row, col);
    s.Hexes[size_t(record.Hex)].Objective = n;
    return n;
}

int32_t AddMapText(Scenario& s, int32_t row, int32_t col, const std::string& text) {
    const int32_t n = ++s.MapTextCount;
    PlaceName& record = s.MapTexts[size_t(n)];
    record.Text = text;
    record.FontName = "Galant";
    record.Size = {8, 12, 16};
    record.Hex = s.HexIndex(row, col);
    s.Hexes[size_t(record.Hex)].MapText = n;
    return n;
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
