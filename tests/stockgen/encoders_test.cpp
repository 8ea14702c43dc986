// The generator's encoders at their limits: the longest names, the widest list numbers, packing,
// and the hexagon's sides.
#include "stock_file_readers.h"

#include "stockgen/hex_shape.h"
#include "stockgen/sound_files.h"
#include "stockgen/symbol_set_file.h"

#include <gmock/gmock.h>

namespace {

using k2stock::SymbolRecord;
using k2stock::SymbolSection;

SymbolSection OneSymbol(const std::string& name) {
    SymbolSection s;
    SymbolRecord r{name, 1, {}};
    r.cells[0] = {1, 2, 3, 4};
    r.cells[2] = {-1, 0, 70000, 5};
    s.symbols.push_back(r);
    return s;
}

TEST(SymbolSetEncoding, NamesUpToTwentyFiveCharactersRoundTripAndLongerOnesAreRefused) {
    for (const std::string& name : {std::string("1 X"), std::string(24, 'a'), std::string(25, 'b')}) {
        const std::string bytes = k2stock::EncodeSymbolSetFile(SymbolSection{}, OneSymbol(name));
        const auto file = stocktest::ParseSetFile(bytes);
        ASSERT_TRUE(file.has_value()) << name.size();
        ASSERT_EQ(file->units.size(), 1u);
        EXPECT_EQ(file->units[0].name, name);
        EXPECT_EQ(file->units[0].masked, 1);
        EXPECT_EQ(file->units[0].cells[0].bottom, 4);
        EXPECT_EQ(file->units[0].cells[2].left, -1);
        EXPECT_EQ(file->units[0].cells[2].right, 70000);
        // 25 characters leave no terminator: header 1+3+3*26, then the name, masked, cells.
        EXPECT_EQ(bytes.size(), 82 + name.size() + (name.size() < 25 ? 1 : 0) + 2 + 48);
    }
    EXPECT_THROW(k2stock::EncodeSymbolSetFile(OneSymbol(std::string(26, 'c')), SymbolSection{}),
                 std::length_error);
    EXPECT_THROW(k2stock::EncodeSymbolSetFile(OneSymbol(""), SymbolSection{}), std::length_error);
}

TEST(SymbolSetEncoding, ListOrderCountsFromOneAndStaysWithinFourDigits) {
    EXPECT_EQ(k2stock::EncodeListOrder({0, 6, 9998}), "1\n7\n9999\n");
    EXPECT_THROW(k2stock::EncodeListOrder({9999}), std::out_of_range);
    EXPECT_THROW(k2stock::EncodeListOrder({-1}), std::out_of_range);
}

TEST(SymbolSetEncoding, PackingGivesEachPictureItsOwnInclusiveCell) {
    std::vector<QImage> pictures;
    for (int i = 0; i < 5; ++i) {
        QImage p(4, 3, QImage::Format_RGB32);
        p.fill(qRgb(10 * (i + 1), 0, 0));
        pictures.push_back(p);
    }
    std::vector<k2stock::SymbolCell> cells;
    const QImage sheet = k2stock::PackSymbols(pictures, 2, cells);
    EXPECT_EQ(sheet.size(), QSize(8, 9));
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[3].left, 4);
    EXPECT_EQ(cells[3].top, 3);
    EXPECT_EQ(cells[3].right, 7);
    EXPECT_EQ(cells[3].bottom, 5);
    for (size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(qRed(sheet.pixel(cells[i].right, cells[i].bottom)), 10 * static_cast<int>(i + 1));
    EXPECT_EQ(sheet.pixel(7, 8) & 0xFFFFFF, 0u) << "unused places stay transparent";
}

TEST(HexShapeGeometry, FollowsThePitchesOfEachCellSize) {
    struct Case {
        int size, pitch, inset;
    };
    for (const Case c : {Case{24, 18, 6}, Case{40, 31, 9}, Case{56, 43, 13}}) {
        const k2stock::HexShape hex(c.size);
        EXPECT_EQ(hex.columnPitch, c.pitch);
        EXPECT_EQ(hex.inset, c.inset);
        EXPECT_EQ(hex.height, c.size - 2);
        EXPECT_TRUE(hex.Contains(c.inset, 0));
        EXPECT_FALSE(hex.Contains(0, 0)) << "the corners of the cell lie outside";
        EXPECT_FALSE(hex.Contains(c.size - 1, hex.height - 1));
        EXPECT_TRUE(hex.Contains(0, hex.height / 2)) << "the west point reaches the cell's edge";
        EXPECT_TRUE(hex.Contains(c.size - 1, hex.height / 2));
        EXPECT_FALSE(hex.Contains(c.size / 2, hex.height)) << "the next row's tile starts there";
        EXPECT_EQ(hex.SideMiddle(0), QPointF(c.size / 2.0, 0));
        EXPECT_EQ(hex.SideMiddle(3), QPointF(c.size / 2.0, hex.height));
    }
}

TEST(WaveEncoding, HeaderDescribesTheSamples) {
    const std::string bytes = k2stock::EncodeWav({0, 1000, -1000}, 8000);
    const auto wav = stocktest::ParseWav(bytes);
    ASSERT_TRUE(wav.has_value());
    EXPECT_EQ(wav->rate, 8000u);
    EXPECT_EQ(wav->dataBytes, 6u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[46]), 0xE8); // 1000 little-endian
    EXPECT_EQ(static_cast<uint8_t>(bytes[47]), 0x03);
    EXPECT_NE(k2stock::SynthesizeSound(11), k2stock::SynthesizeSound(13));
    EXPECT_EQ(k2stock::SynthesizeSound(20), k2stock::SynthesizeSound(99)) << "unnumbered sounds share k2.wav";
}

} // namespace
