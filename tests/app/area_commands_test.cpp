// The map area commands apart from the window: the drag and double-click of Select Map Area,
// the paste mode, the system clipboard and the brush keys, with recorders for the window.
#include "app/area_commands.h"

#include "../edit/edit_fixture.h"
#include "app/command_names.h"
#include "edit/map_area_json.h"

#include <gmock/gmock.h>

#include <map>

namespace {

using k2::EditMode;
using k2::MapButton;
using k2::SelectionMode;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct WindowRecorder : k2::CommandScreen, k2::AreaScreen, k2::SystemClipboard {
    void SetCommandEnabled(std::string_view name, bool on) override { enabled[std::string(name)] = on; }
    void SetCommandCaption(std::string_view, const std::string&) override {}
    void SetInfoText(const std::string& text) override { info = text; }
    void ShowNotice(const std::string& text) override { notices.push_back(text); }
    void ShowAreaMarks() override { ++marksShown; }
    void BrushChanged() override { ++brushChanges; }
    void ModeBegins(EditMode leaving) override { left.push_back(leaving); }
    void PutArea(const k2::MapArea& area) override { json = k2::MapAreaToJson(area); }
    std::optional<QByteArray> AreaJson() const override { return json; }
    bool HoldsArea() const override { return json.has_value(); }

    std::map<std::string, bool> enabled;
    std::string info;
    std::vector<std::string> notices;
    int marksShown = 0;
    int brushChanges = 0;
    std::vector<EditMode> left;
    std::optional<QByteArray> json;
};

class AreaCommandsTest : public ::testing::Test {
  protected:
    AreaCommandsTest() {
        f.session->Areas().SetTerrainSymbolCount([] { return 130; });
        areas.BattleShown();
    }
    bool Enabled(std::string_view name) { return window.enabled[std::string(name)]; }

    k2::test::EditFixture f{12, 10};
    WindowRecorder window;
    k2::AreaCommands areas{k2::AreaCommandParts{*f.session, f.edit, window, window, window, f.sounds}};
};

TEST_F(AreaCommandsTest, ADragSelectsTheRectangleOnReleaseAndShowsItWhileItGrows) {
    areas.SelectMapArea();
    EXPECT_EQ(f.edit.Mode, EditMode::SelectArea);
    EXPECT_THAT(window.info, HasSubstr("Select Map Area"));
    EXPECT_FALSE(Enabled(k2::cmd::CopyMapArea));

    EXPECT_TRUE(areas.Press(MapButton::Left, 13, SelectionMode::Replace));
    areas.DragTo(26);
    EXPECT_THAT(areas.DraftHexes(), ElementsAre(13, 14, 25, 26));
    EXPECT_TRUE(f.session->Selection().Empty()) << "nothing is selected before the release";
    areas.Release();
    EXPECT_THAT(f.session->Selection().Hexes(), ElementsAre(13, 14, 25, 26));
    EXPECT_TRUE(areas.DraftHexes().empty());
    EXPECT_TRUE(Enabled(k2::cmd::CopyMapArea));
    EXPECT_TRUE(Enabled(k2::cmd::FillSelection));

    // Ctrl takes away; the press belongs to the mode, not to the click dispatch.
    EXPECT_TRUE(areas.Press(MapButton::Left, 14, SelectionMode::Remove));
    areas.DragTo(26);
    areas.Release();
    EXPECT_THAT(f.session->Selection().Hexes(), ElementsAre(13, 25));

    f.edit.Mode = EditMode::PlacePrimary;
    EXPECT_FALSE(areas.Press(MapButton::Left, 40, SelectionMode::Replace));
}

TEST_F(AreaCommandsTest, ADoubleClickSelectsTheRegionInsteadOfTheRectangleItsPressBegan) {
    for (int32_t hex : {50, 51, 62})
        f.Cell(hex).PrimaryTerrain = 5;
    areas.SelectMapArea();
    areas.Press(MapButton::Left, 51, SelectionMode::Replace);
    areas.DoubleClick(51, SelectionMode::Replace);
    areas.Release();
    EXPECT_THAT(f.session->Selection().Hexes(), ElementsAre(50, 51, 62));
}

TEST_F(AreaCommandsTest, CopyPutsTheAreaOnTheSystemClipboardAndPasteTakesItFromThere) {
    EXPECT_FALSE(Enabled(k2::cmd::PasteMapArea));
    f.session->Selection().SelectRectangle(13, 14, SelectionMode::Replace);
    areas.CopyMapArea();
    ASSERT_TRUE(window.json.has_value());
    EXPECT_TRUE(Enabled(k2::cmd::PasteMapArea));

    // Another run put another area there: the paste takes that one.
    k2::MapArea other;
    other.Width = other.Height = 1;
    other.Cells = {k2::AreaCell{}};
    other.Cells[0].PrimaryTerrain = 77;
    window.json = k2::MapAreaToJson(other);
    areas.PasteMapArea();
    EXPECT_EQ(f.edit.Mode, EditMode::PasteArea);
    EXPECT_EQ(f.session->AreaClipboard().Area(), other);
    areas.PointerAt(30);
    ASSERT_EQ(areas.PreviewLandings().size(), 1u);
    EXPECT_EQ(areas.PreviewLandings()[0].Hex, 30);

    // The right button ends pasting, back in Select Map Area.
    EXPECT_TRUE(areas.Press(MapButton::Right, 30, SelectionMode::Replace));
    EXPECT_EQ(f.edit.Mode, EditMode::SelectArea);
    EXPECT_TRUE(areas.PreviewLandings().empty());
    EXPECT_FALSE(areas.EndPaste());
}

TEST_F(AreaCommandsTest, ADamagedAreaOnTheSystemClipboardIsRefusedAndChangesNothing) {
    f.edit.Mode = EditMode::Units;
    window.json = QByteArray(R"({"format":"keldmar2-map-area","version":1,"left":0,"top":0,"width":2)");
    areas.PasteMapArea();
    EXPECT_EQ(f.edit.Mode, EditMode::Units);
    EXPECT_FALSE(f.session->AreaClipboard().Filled());
    ASSERT_EQ(window.notices.size(), 1u);
    EXPECT_THAT(window.notices[0], HasSubstr("cannot be pasted"));
    EXPECT_THAT(f.sounds.played, ElementsAre(k2::SoundRefuse));
}

TEST_F(AreaCommandsTest, TheBrushKeysWorkInTheTerrainModesWithinTheirRange) {
    areas.LargerBrush();
    EXPECT_EQ(f.edit.BrushRadius, 0) << "no terrain mode";
    f.edit.Mode = EditMode::PlaceSecondary;
    for (int i = 0; i < 5; ++i)
        areas.LargerBrush();
    EXPECT_EQ(f.edit.BrushRadius, k2::MaxBrushRadius);
    areas.SmallerBrush();
    EXPECT_EQ(f.edit.BrushRadius, 2);
    EXPECT_EQ(window.brushChanges, 6);
    EXPECT_EQ(window.notices.back(), "Brush: 19 hexes.");
}

TEST_F(AreaCommandsTest, AnotherBattleForgetsTheSelection) {
    f.session->Selection().SelectAll();
    EXPECT_TRUE(Enabled(k2::cmd::DeleteMapArea));
    areas.BattleShown();
    EXPECT_TRUE(f.session->Selection().Empty());
    EXPECT_FALSE(Enabled(k2::cmd::DeleteMapArea));
}

} // namespace
