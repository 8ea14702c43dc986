// The map text dialog's rules: opening on a hex with and without an entry, Add's defaults and
// its refusal at a full table, storing on Exit, Remove with the renumbering of later entries,
// the levels with their sizes and positions, and the fallbacks for unknown fonts and colours.
#include "edit/map_text_logic.h"
#include "marker_text_fixture.h"

#include <gmock/gmock.h>

namespace k2 {
namespace {

using k2test_markers::RecordingBoxes;
using k2test_markers::RecordingSounds;
using k2test_markers::SmallBattle;

class MapTextLogicTest : public ::testing::Test {
  protected:
    std::unique_ptr<Scenario> battle = SmallBattle();
    EditHistory history{*battle};
    RecordingSounds sounds;
    RecordingBoxes boxes;
    MapTextLogic logic{*battle, history, sounds, boxes};

    // Stores an entry on `hex` as a battle file would bring it.
    int32_t PutEntry(int32_t hex, const std::string& text, const std::string& font = "Kelt",
                     uint32_t colour = 0x008000, uint8_t style = 9) {
        const int32_t m = ++battle->MapTextCount;
        PlaceName& entry = battle->MapTexts[std::size_t(m)];
        entry.Hex = hex;
        entry.Text = text;
        entry.FontName = font;
        entry.Colour = colour;
        entry.Size = {7, 11, 15};
        entry.Placement = {3, 5, 8};
        entry.Style = style;
        battle->Hexes[std::size_t(hex)].MapText = m;
        return m;
    }
    // The battle as history saw it last, with the modified flag cleared.
    void Settle() {
        history.Reset();
        sounds.played.clear();
    }
};

TEST_F(MapTextLogicTest, AddStoresTheDefaultsAtOnceAndMarksTheBattle) {
    PutEntry(battle->HexIndex(1, 1), "Old Mill");
    const int32_t hex = battle->HexIndex(4, 5);
    Settle();
    logic.Activate(hex);
    EXPECT_FALSE(logic.GroupsEnabled());
    EXPECT_TRUE(logic.AddEnabled());
    EXPECT_FALSE(logic.RemoveEnabled());
    logic.SelectLevel(3);
    ASSERT_TRUE(logic.Add());

    EXPECT_EQ(battle->MapTextCount, 2);
    EXPECT_EQ(logic.Entry(), 2);
    EXPECT_EQ(battle->Hexes[std::size_t(hex)].MapText, 2);
    const PlaceName& stored = battle->MapTexts[2];
    EXPECT_EQ(stored.Hex, hex);
    EXPECT_EQ(stored.Text, std::string_view("Map Text"));
    EXPECT_EQ(stored.FontName, std::string_view("Galant"));
    EXPECT_EQ(stored.Colour, 0x000000u);
    EXPECT_EQ(stored.Size, (std::array<uint8_t, 3>{8, 12, 16}));
    EXPECT_EQ(stored.Placement, (std::array<uint8_t, 3>{1, 1, 1}));
    EXPECT_EQ(stored.Style, 9);
    EXPECT_TRUE(history.Modified());
    // The dialog now edits the new entry, from level 1.
    EXPECT_EQ(logic.Level(), 1);
    EXPECT_TRUE(logic.GroupsEnabled());
    EXPECT_FALSE(logic.AddEnabled());
    EXPECT_TRUE(logic.RemoveEnabled());
    EXPECT_FALSE(logic.Add()) << "a hex holds one entry";
    EXPECT_EQ(battle->MapTextCount, 2);
}

TEST_F(MapTextLogicTest, AddOnAFullTableIsRefusedWithAMessageAndChangesNothing) {
    for (int32_t m = 1; m <= MaxMapTexts; ++m)
        PutEntry(battle->HexIndex(1 + (m - 1) / 10, 1 + (m - 1) % 10), "T" + std::to_string(m));
    const int32_t hex = battle->HexIndex(7, 7);
    Settle();
    const Scenario before = *battle;
    logic.Activate(hex);
    EXPECT_FALSE(logic.Add());
    EXPECT_TRUE(*battle == before);
    EXPECT_FALSE(history.Modified());
    EXPECT_FALSE(logic.Editing());
    ASSERT_EQ(boxes.plain.size(), 1u);
    EXPECT_THAT(boxes.plain[0], ::testing::StartsWith("Warning: "));
    EXPECT_THAT(boxes.plain[0], ::testing::HasSubstr("50 map texts"));
    EXPECT_THAT(sounds.played, ::testing::ElementsAre(SoundRefuse));
}

TEST_F(MapTextLogicTest, OpeningLoadsTheEntryAndExitStoresWhatWasChanged) {
    const int32_t hex = battle->HexIndex(2, 6);
    PutEntry(hex, "Hill of Crows", "Viking", 0x808000, 3 | 16 | 64);
    Settle();
    logic.Activate(hex);
    EXPECT_TRUE(logic.Editing());
    EXPECT_EQ(logic.Text(), "Hill of Crows");
    EXPECT_EQ(MapTextFonts[std::size_t(logic.FontIndex())], "Viking");
    EXPECT_EQ(MapTextColours[std::size_t(logic.ColourIndex())].Name, "Teal");
    EXPECT_TRUE(logic.Bold());
    EXPECT_FALSE(logic.Italic());
    EXPECT_TRUE(logic.Underline());
    EXPECT_EQ(logic.LowBits(), 3);
    EXPECT_EQ(logic.Size(2), 11);
    EXPECT_EQ(logic.Position(3), 8);
    EXPECT_FALSE(logic.AddEnabled());
    EXPECT_TRUE(logic.RemoveEnabled());

    logic.SelectFont(1);
    logic.SelectColour(9);
    logic.SetBold(false);
    logic.SetItalic(true);
    logic.SelectLevel(2);
    logic.SetPosition(4);
    logic.SizeUp(3);
    logic.SetText("Crow Hill");
    EXPECT_EQ(logic.Level(), 3) << "a spinner selects its level";
    EXPECT_EQ(logic.Exit(), MapTextResultOk);

    const PlaceName& stored = battle->MapTexts[1];
    EXPECT_EQ(stored.Text, std::string_view("Crow Hill"));
    EXPECT_EQ(stored.FontName, std::string_view("Galant"));
    EXPECT_EQ(stored.Colour, 0x0000FFu);
    EXPECT_EQ(stored.Style, 3 | 32 | 64) << "the low bits are kept";
    EXPECT_EQ(stored.Size, (std::array<uint8_t, 3>{7, 11, 16}));
    EXPECT_EQ(stored.Placement, (std::array<uint8_t, 3>{3, 4, 8}));
    EXPECT_EQ(stored.Hex, hex);
    // Sound 6 for the lists, the panel, the position button and the spinner; none for the
    // check boxes or the text.
    EXPECT_THAT(sounds.played, ::testing::Each(SoundAccept));
    EXPECT_EQ(sounds.played.size(), 5u);
}

TEST_F(MapTextLogicTest, ExitWithoutChangesStillMarksTheBattleModified) {
    const int32_t hex = battle->HexIndex(2, 6);
    PutEntry(hex, "Ford");
    Settle();
    const Scenario before = *battle;
    logic.Activate(hex);
    logic.Exit();
    EXPECT_TRUE(*battle == before);
    EXPECT_TRUE(history.Modified());
}

// Stored fonts and colours that the lists do not hold.
struct FallbackCase {
    const char* font;
    uint32_t colour;
    const char* shownFont;
    const char* shownColour;
    uint32_t storedColour;
};

class MapTextFallbackTest : public MapTextLogicTest, public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(MapTextFallbackTest, UnknownFontsAndColoursOpenAsArialAndBlackAndAreStoredSo) {
    const FallbackCase c = GetParam();
    const int32_t hex = battle->HexIndex(5, 5);
    PutEntry(hex, "Marsh", c.font, c.colour);
    logic.Activate(hex);
    EXPECT_EQ(MapTextFonts[std::size_t(logic.FontIndex())], c.shownFont);
    EXPECT_EQ(MapTextColours[std::size_t(logic.ColourIndex())].Name, c.shownColour);
    logic.Exit();
    EXPECT_EQ(battle->MapTexts[1].FontName, std::string_view(c.shownFont));
    EXPECT_EQ(battle->MapTexts[1].Colour, c.storedColour);
}

INSTANTIATE_TEST_SUITE_P(Stored, MapTextFallbackTest,
                         ::testing::Values(FallbackCase{"Kelt", 0x0000FF, "Kelt", "Red", 0x0000FF},
                                           FallbackCase{"Comic Sans", 0xFF00FF, "Arial", "Fushia", 0xFF00FF},
                                           FallbackCase{"kelt", 0x123456, "Arial", "Black", 0x000000},
                                           FallbackCase{"Viking", 0x01000000, "Viking", "Black", 0x000000}));

TEST_F(MapTextLogicTest, RemovingTheSecondOfThreeRenumbersEveryLaterReference) {
    const int32_t h1 = battle->HexIndex(2, 2), h2 = battle->HexIndex(5, 5), h3 = battle->HexIndex(7, 9);
    PutEntry(h1, "North");
    PutEntry(h2, "Middle", "Galant");
    PutEntry(h3, "South", "Viking", 0x800000, 9 | 32);
    const PlaceName third = battle->MapTexts[3];
    Settle();

    logic.Activate(h2);
    EXPECT_EQ(logic.Remove(), MapTextResultOk);
    EXPECT_FALSE(logic.Editing());

    EXPECT_EQ(battle->MapTextCount, 2);
    EXPECT_EQ(battle->MapTexts[1].Text, std::string_view("North"));
    EXPECT_TRUE(battle->MapTexts[2] == third) << "the former third entry moved down whole";
    EXPECT_TRUE(battle->MapTexts[3] == PlaceName{}) << "the vacated slot is cleared";
    // Every hex of the map: only the first and the former third hex refer to entries.
    for (int32_t h = 0; h < battle->HexCount; ++h) {
        const int32_t expected = h == h1 ? 1 : h == h3 ? 2 : 0;
        EXPECT_EQ(battle->Hexes[std::size_t(h)].MapText, expected) << "hex " << h;
    }
    for (int32_t m = 1; m <= battle->MapTextCount; ++m)
        EXPECT_EQ(battle->Hexes[std::size_t(battle->MapTexts[std::size_t(m)].Hex)].MapText, m);
}

TEST_F(MapTextLogicTest, EditingTheTextDisablesRemoveUntilTheDialogOpensAgain) {
    const int32_t hex = battle->HexIndex(4, 4);
    PutEntry(hex, "Bridge");
    logic.Activate(hex);
    logic.SetText("Bridges");
    EXPECT_FALSE(logic.RemoveEnabled());
    const Scenario before = *battle;
    EXPECT_EQ(logic.Remove(), 0);
    EXPECT_TRUE(*battle == before);
    logic.Activate(hex);
    EXPECT_TRUE(logic.RemoveEnabled());

    // The text box takes 20 characters; a longer stored text is shown and kept whole.
    logic.SetText("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(logic.Text(), "ABCDEFGHIJKLMNOPQRST");
    battle->MapTexts[1].Text = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    logic.Activate(hex);
    EXPECT_EQ(logic.InputLimit(), 25u);
    logic.Exit();
    EXPECT_EQ(battle->MapTexts[1].Text, std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXY"));
}

TEST_F(MapTextLogicTest, LevelsSelectTheirSizeAndPositionWithinTheLimits) {
    const int32_t hex = battle->HexIndex(4, 4);
    logic.Activate(hex);
    ASSERT_TRUE(logic.Add());
    logic.SelectLevel(2);
    EXPECT_EQ(logic.OrientationCaption(), "Level 2 Orientation");
    logic.SetPosition(7);
    logic.SetPosition(9); // no such button
    EXPECT_EQ(logic.Position(1), 1);
    EXPECT_EQ(logic.Position(2), 7);
    EXPECT_EQ(logic.Position(3), 1);

    for (int i = 0; i < 10; ++i)
        logic.SizeDown(1);
    EXPECT_EQ(logic.Size(1), 0);
    EXPECT_EQ(logic.Level(), 1);
    EXPECT_EQ(logic.OrientationCaption(), "Level 1 Orientation");
    for (int i = 0; i < 245; ++i)
        logic.SizeUp(3);
    EXPECT_EQ(logic.Size(3), 255);
    EXPECT_EQ(logic.SizeText(3), "255");
    EXPECT_EQ(logic.Size(2), 12);
    logic.Exit();
    EXPECT_EQ(battle->MapTexts[1].Size, (std::array<uint8_t, 3>{0, 12, 255}));
    EXPECT_EQ(battle->MapTexts[1].Placement, (std::array<uint8_t, 3>{1, 7, 1}));
}

} // namespace
} // namespace k2
