#include "edit/map_area_json.h"

#include <gmock/gmock.h>

#include <cstring>

namespace {

using k2::AreaCell;
using k2::MapArea;
using ::testing::HasSubstr;

MapArea SampleArea() {
    MapArea area;
    area.Left = 7;
    area.Top = 3;
    area.Width = 3;
    area.Height = 2;
    AreaCell plain;
    plain.Column = 0;
    plain.PrimaryTerrain = 51;
    AreaCell full;
    full.Column = 2;
    full.Row = 1;
    full.PrimaryTerrain = 0;
    full.SecondaryTerrain = {55, 16, k2::NoSymbol, k2::NoSymbol, k2::NoSymbol, 104};
    full.Caltrops = 30;
    full.Stakes = 123;
    k2::StructureRecord s;
    s.Name = "Keep of \xC6lfric \x81";
    s.Symbol = 40;
    s.Side = 2;
    s.SpareA = -256;
    s.SupplyLevel = 100;
    s.SpareB = 65279;
    s.Capacity = 3;
    s.Height = 10;
    s.DefenseMod = -8;
    full.Structure = s;
    k2::PlaceName m;
    m.Text = "Twenty-five characters!!!";
    m.FontName = "Viking";
    m.Colour = 0xFFFFFFFF;
    m.Size = {5, 255, 0};
    m.Placement = {8, 1, 2};
    m.Style = 9 + 16 + 64;
    full.MapText = m;
    area.Cells = {plain, full};
    return area;
}

TEST(MapAreaJson, ReadsBackWhatItWroteExactly) {
    const MapArea area = SampleArea();
    std::string error;
    const auto back = k2::MapAreaFromJson(k2::MapAreaToJson(area), error);
    ASSERT_TRUE(back.has_value()) << error;
    EXPECT_EQ(*back, area);
}

TEST(MapAreaJson, RefusesDamagedOrHostileTextWithAReason) {
    const std::string good = k2::MapAreaToJson(SampleArea()).toStdString();
    // Each case replaces the first occurrence of `from` in the good text with `to` (and of
    // `from2` with `to2`).
    struct Case {
        const char* from;
        const char* to;
        const char* reason;
        const char* from2 = nullptr;
        const char* to2 = nullptr;
    };
    const Case cases[] = {
        {"\"width\":3}", "\"width\":3", "not valid JSON"},
        {"keldmar2-map-area", "something-else", "no map area"},
        {"\"version\":1", "\"version\":2", "version"},
        {"\"width\":3", "\"width\":0", "width"},
        {"\"width\":3", "\"width\":151", "width"},
        {"\"col\":2", "\"col\":3", "col"},
        {"\"col\":2", "\"col\":0", "share a place", "\"row\":1", "\"row\":0"},
        {"\"primary\":51", "\"primary\":-1", "primary"},
        {"\"primary\":51", "\"primary\":1.5", "primary"},
        {"\"primary\":51", "\"primary\":\"51\"", "primary"},
        {"[55,16,", "[55,", "secondary"},
        {"\"caltrops\":30", "\"caltrops\":65280", "caltrops"},
        {"\"Viking\"", "\"Viking\\u0100\"", "font"},
        {"\"Viking\"", "\"Viking but far too long for a field\"", "font"},
        {"\"Viking\"", "\"Vi\\u0000king\"", "font"},
        {"\"size\":[5,255,0]", "\"size\":[5,256,0]", "size"},
        {"\"size\":[5,255,0]", "\"size\":[5,255]", "size"},
        {"\"spareA\":-256", "\"spareA\":-257", "spareA"},
        {"\"structure\":{", "\"structure\":[{", "not valid JSON"},
        {"\"cells\":[", "\"cells\":7,\"x\":[", "no cells"},
    };
    for (const Case& c : cases) {
        std::string text = good;
        const auto at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        text.replace(at, std::strlen(c.from), c.to);
        if (c.from2) text.replace(text.find(c.from2), std::strlen(c.from2), c.to2);
        std::string error;
        EXPECT_FALSE(k2::MapAreaFromJson(QByteArray::fromStdString(text), error).has_value()) << c.to;
        EXPECT_THAT(error, HasSubstr(c.reason)) << c.to;
    }
}

TEST(MapAreaJson, RefusesMoreCellsThanTheAreaHolds) {
    MapArea area = SampleArea();
    area.Width = area.Height = 1;
    area.Cells.resize(1);
    QByteArray text = k2::MapAreaToJson(area);
    text.replace("\"cells\":[{", "\"cells\":[{\"col\":0,\"row\":0,\"primary\":0},{");
    std::string error;
    EXPECT_FALSE(k2::MapAreaFromJson(text, error).has_value());
    EXPECT_THAT(error, HasSubstr("number of cells"));
}

} // namespace
