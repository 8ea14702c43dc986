// The terrain picker's rules on the stock terrain set: the list of each use, the selection the
// terrain modes read, the definition arrows and name, OK and Cancel, and undo of the edits.
#include "edit/terrain_picker_logic.h"

#include "core/terrain_defs.h"
#include "edit/terrain_tools.h"
#include "terrain_picker_stock.h"

#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <algorithm>
#include <memory>

namespace k2 {
namespace {

using k2test::RecordingBoxes;
using k2test::StockSymbols;
using ::testing::StartsWith;

TerrainDef MakeDef(std::string_view name, int32_t elevation, int32_t cost, int32_t defense, int32_t spare) {
    TerrainDef def;
    def.name = name;
    def.elevation = elevation;
    def.costPerMove = cost;
    def.defenseModifier = defense;
    def.spare = spare;
    return def;
}

class TerrainPickerLogicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(StockSymbols().Loaded());
        k2test::ReadStockDefinitions(*scenario);
        history = std::make_unique<EditHistory>(*scenario);
        picker = std::make_unique<TerrainPickerLogic>(*scenario, StockSymbols(), edit, *history, boxes);
    }

    // The index of the first row of `terrain`, -1 when it is not listed.
    int32_t RowOf(int32_t terrain) const {
        const auto& rows = picker->Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].Terrain == terrain) return int32_t(i);
        return -1;
    }
    int32_t FirstRow(bool heading) const {
        const auto& rows = picker->Rows();
        const auto it =
            std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.Heading == heading; });
        return it == rows.end() ? -1 : int32_t(it - rows.begin());
    }
    // A selectable row other than the first one.
    int32_t LaterTerrainRow() const {
        const auto& rows = picker->Rows();
        for (std::size_t i = rows.size(); i-- > 0;)
            if (!rows[i].Heading && int32_t(i) != FirstRow(false)) return int32_t(i);
        return -1;
    }
    TerrainDef& Def(int32_t terrain) { return scenario->TerrainDefs[size_t(terrain)]; }

    std::unique_ptr<Scenario> scenario = std::make_unique<Scenario>();
    std::unique_ptr<EditHistory> history;
    EditState edit;
    RecordingBoxes boxes;
    std::unique_ptr<TerrainPickerLogic> picker;
    QTemporaryDir dir;
};

TEST_F(TerrainPickerLogicTest, ListsEachUseByCategoryInTheSetsDisplayOrder) {
    const SymbolSet& set = StockSymbols();
    struct Case {
        int8_t use;
        char category;
        const char* caption;
        bool buttons;
    };
    for (const Case& c : {Case{PickerUsePrimary, '1', "Primary Terrain", false},
                          Case{PickerUseFill, '1', "Primary Terrain Fill", true},
                          Case{PickerUseSecondary, '2', "Secondary Terrain", false}}) {
        SCOPED_TRACE(c.caption);
        picker->Activate(c.use);
        std::vector<int32_t> expected;
        for (int32_t place = 0; place < set.TerrainCount(); ++place)
            if (set.Terrain(set.TerrainAtPlace(place)).Name.View()[0] == c.category)
                expected.push_back(set.TerrainAtPlace(place));
        std::vector<int32_t> listed;
        for (const TerrainPickerRow& row : picker->Rows()) {
            listed.push_back(row.Terrain);
            const std::string name = set.Terrain(row.Terrain).Name.Str();
            EXPECT_EQ(row.Text, name.substr(2));
            EXPECT_EQ(row.Heading, name[2] == '_') << name;
        }
        EXPECT_EQ(listed, expected);
        // The stock order file puts headings before their terrains: not the file order.
        EXPECT_FALSE(std::is_sorted(listed.begin(), listed.end()));
        EXPECT_EQ(FirstRow(true), 0);
        EXPECT_EQ(picker->Caption(), c.caption);
        EXPECT_EQ(picker->ButtonsVisible(), c.buttons);
        EXPECT_EQ(edit.PickerUse, c.use);
    }
}

TEST_F(TerrainPickerLogicTest, ActivationSelectsTheTerrainLaidDownOrTheFirstTerrainRow) {
    picker->Activate(PickerUsePrimary);
    const int32_t row = LaterTerrainRow();
    const int32_t listed = picker->Rows()[size_t(row)].Terrain;

    // A listed terrain stays selected, and the base the variant pick uses is left alone.
    edit.SelectedTerrain = listed;
    edit.SelectedBaseTerrain = 0;
    picker->Activate(PickerUseFill);
    EXPECT_EQ(picker->SelectedRow(), row);
    EXPECT_EQ(edit.SelectedTerrain, listed);
    EXPECT_EQ(edit.SelectedBaseTerrain, 0);

    // Primary to secondary: the first secondary terrain (row 0 is a heading) is selected, and
    // the next secondary placement lays down exactly that row: the primary base, which has no
    // variants for secondary placement, is cleared.
    picker->Activate(PickerUseSecondary);
    const int32_t first = FirstRow(false);
    ASSERT_GT(first, 0);
    const int32_t shown = picker->Rows()[size_t(first)].Terrain;
    EXPECT_EQ(picker->SelectedRow(), first);
    EXPECT_EQ(edit.SelectedTerrain, shown);
    EXPECT_EQ(edit.SelectedBaseTerrain, NoSymbol);
    k2::test::SequenceRandom random({1, 2, 3});
    EXPECT_EQ(PickVariant(edit, random), shown);
}

TEST_F(TerrainPickerLogicTest, AFallbackKeepsABaseWithVariantsForTheNewUse) {
    // A base of the secondary lists whose last laid variant is not a primary terrain: the
    // primary list falls back to its first row, and the base has no primary variants.
    const VariantList& secondaryList = VariantLists()[3];
    ASSERT_FALSE(secondaryList.forPrimary);
    edit.SelectedBaseTerrain = secondaryList.terrains[0];
    edit.SelectedTerrain = NoSymbol;
    picker->Activate(PickerUsePrimary);
    EXPECT_EQ(edit.SelectedTerrain, picker->Rows()[size_t(FirstRow(false))].Terrain);
    EXPECT_EQ(edit.SelectedBaseTerrain, NoSymbol);

    // Fill shares the secondary lists: a base of them survives the fallback and its variants
    // are laid, as a click on its row would have them.
    edit.SelectedBaseTerrain = secondaryList.terrains[0];
    edit.SelectedTerrain = NoSymbol;
    picker->Activate(PickerUseFill);
    EXPECT_EQ(edit.SelectedBaseTerrain, secondaryList.terrains[0]);
    k2::test::SequenceRandom random({2});
    EXPECT_EQ(PickVariant(edit, random), secondaryList.terrains[2]);
}

TEST_F(TerrainPickerLogicTest, ARowClickSelectsItsTerrainAndAHeadingClickChangesNothing) {
    picker->Activate(PickerUsePrimary);
    const int32_t row = LaterTerrainRow();
    const int32_t terrain = picker->Rows()[size_t(row)].Terrain;
    Def(terrain) = MakeDef("Soft Ground", 2, 13, -3, 0);

    ASSERT_TRUE(picker->ClickRow(row));
    EXPECT_EQ(edit.SelectedTerrain, terrain);
    EXPECT_EQ(edit.SelectedBaseTerrain, terrain);
    EXPECT_EQ(picker->SymbolName(), picker->Rows()[size_t(row)].Text);
    EXPECT_EQ(picker->DefinitionName(), "Soft Ground");
    EXPECT_EQ(picker->ElevationText(), "2");
    EXPECT_EQ(picker->CostText(), "X");
    EXPECT_EQ(picker->DefenseText(), "-3");

    for (int32_t refused : {FirstRow(true), -1, int32_t(picker->Rows().size())}) {
        EXPECT_FALSE(picker->ClickRow(refused)) << refused;
        EXPECT_EQ(picker->SelectedRow(), row);
        EXPECT_EQ(edit.SelectedTerrain, terrain);
        EXPECT_EQ(edit.SelectedBaseTerrain, terrain);
    }
    EXPECT_EQ(history->StepCount(), 0u);
}

TEST_F(TerrainPickerLogicTest, PreviewIsTheSymbolCellOfTheLargestZoomOnBlack) {
    const SymbolSet& set = StockSymbols();
    picker->Activate(PickerUsePrimary);
    const int32_t row = LaterTerrainRow();
    ASSERT_TRUE(picker->ClickRow(row));
    const int32_t terrain = picker->Rows()[size_t(row)].Terrain;
    const QImage preview = picker->Preview();
    const int32_t size = set.CellSize(2);
    ASSERT_EQ(preview.size(), QSize(size, size));
    const SymbolCell& cell = set.Terrain(terrain).Cells[2];
    const QImage expected = set.TerrainBitmap(2).copy(cell.Left, cell.Top, size, size);
    EXPECT_EQ(preview.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
    // A hex tile leaves its corners black, and it is not all black.
    EXPECT_EQ(preview.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_NE(preview.pixelColor(size / 2, size / 2), QColor(Qt::black));
}

TEST_F(TerrainPickerLogicTest, ArrowsStepWithinTheirBounds) {
    struct Case {
        const char* field;
        StepChange (TerrainPickerLogic::*down)();
        StepChange (TerrainPickerLogic::*up)();
        int32_t TerrainDef::*member;
        int32_t low, high;
    };
    picker->Activate(PickerUsePrimary);
    ASSERT_TRUE(picker->ClickRow(LaterTerrainRow()));
    TerrainDef& def = Def(picker->SelectedTerrain());
    for (const Case& c : {Case{"elevation", &TerrainPickerLogic::ElevationDown,
                               &TerrainPickerLogic::ElevationUp, &TerrainDef::elevation, 0, 3},
                          Case{"cost", &TerrainPickerLogic::CostDown, &TerrainPickerLogic::CostUp,
                               &TerrainDef::costPerMove, 0, 13},
                          Case{"defense", &TerrainPickerLogic::DefenseDown, &TerrainPickerLogic::DefenseUp,
                               &TerrainDef::defenseModifier, -8, 8}}) {
        SCOPED_TRACE(c.field);
        def.*c.member = c.low + 1;
        history->Reset(); // set up outside the history, as a battle read from its file
        (picker.get()->*c.down)();
        EXPECT_EQ(def.*c.member, c.low);
        EXPECT_FALSE((picker.get()->*c.down)().Changed);
        EXPECT_EQ(def.*c.member, c.low);
        for (int32_t i = c.low; i < c.high; ++i)
            EXPECT_TRUE((picker.get()->*c.up)().Changed);
        EXPECT_EQ(def.*c.member, c.high);
        EXPECT_FALSE((picker.get()->*c.up)().Changed);
        EXPECT_EQ(def.*c.member, c.high);
    }
}

TEST_F(TerrainPickerLogicTest, CostShowsDashAtZeroAndXFromThirteenAndDefenseItsSign) {
    picker->Activate(PickerUsePrimary);
    ASSERT_TRUE(picker->ClickRow(LaterTerrainRow()));
    TerrainDef& def = Def(picker->SelectedTerrain());
    def.costPerMove = 1;
    history->Reset();
    picker->CostDown();
    EXPECT_EQ(picker->CostText(), "-");
    picker->CostUp();
    EXPECT_EQ(picker->CostText(), "1");
    def.costPerMove = 12;
    history->Reset();
    EXPECT_EQ(picker->CostText(), "12");
    picker->CostUp();
    EXPECT_EQ(picker->CostText(), "X");
    picker->CostUp();
    EXPECT_EQ(def.costPerMove, 13);
    EXPECT_EQ(CostPerMoveText(20), "X");

    for (auto [value, text] : {std::pair{3, "+3"}, {0, "0"}, {-8, "-8"}}) {
        def.defenseModifier = value;
        EXPECT_EQ(picker->DefenseText(), text);
    }
}

TEST_F(TerrainPickerLogicTest, NameIsCutToTwentyCharactersAndMayBeEmpty) {
    picker->Activate(PickerUseSecondary);
    ASSERT_TRUE(picker->ClickRow(LaterTerrainRow()));
    const int32_t terrain = picker->SelectedTerrain();
    picker->SetName("A very long terrain name indeed");
    EXPECT_EQ(Def(terrain).name.Str(), "A very long terrain ");
    EXPECT_EQ(picker->DefinitionName(), "A very long terrain ");
    picker->SetName("");
    EXPECT_EQ(Def(terrain).name.Str(), "");
}

TEST_F(TerrainPickerLogicTest, OkWritesTheDefinitionFileAndCancelDoesNot) {
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "K2Ter.Def";
    picker->Activate(PickerUseFill);
    ASSERT_TRUE(picker->ClickRow(LaterTerrainRow()));
    const int32_t terrain = picker->SelectedTerrain();
    Def(terrain).costPerMove = 4;
    history->Reset();
    picker->CostUp();
    picker->SetName("Wet Meadow");

    EXPECT_EQ(picker->Cancel(), PickerResultCancel);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(Def(terrain).costPerMove, 5);
    EXPECT_EQ(Def(terrain).name.Str(), "Wet Meadow");

    const int32_t count = StockSymbols().TerrainCount();
    scenario->TerrainDefCount = count - 3;
    history->Reset();
    EXPECT_EQ(picker->Ok(file, count), PickerResultOk);
    EXPECT_TRUE(boxes.plain.empty());
    EXPECT_EQ(scenario->TerrainDefCount, count);
    Scenario reread;
    ASSERT_TRUE(ReadTerrainDefs(reread, file));
    EXPECT_EQ(reread.TerrainDefCount, count);
    EXPECT_EQ(reread.TerrainDefs[size_t(terrain)], Def(terrain));
    EXPECT_EQ(reread.TerrainDefs[size_t(terrain)].name.Str(), "Wet Meadow");
}

TEST_F(TerrainPickerLogicTest, AFailedWriteIsReportedAndOkStillClosesWithOne) {
    const std::filesystem::path file =
        std::filesystem::path(dir.path().toStdString()) / "no such folder" / "K2Ter.Def";
    picker->Activate(PickerUseFill);
    ASSERT_TRUE(picker->ClickRow(LaterTerrainRow()));
    picker->DefenseUp();
    const TerrainDef edited = Def(picker->SelectedTerrain());

    EXPECT_EQ(picker->Ok(file, StockSymbols().TerrainCount()), PickerResultOk);
    ASSERT_EQ(boxes.plain.size(), 1u);
    EXPECT_THAT(boxes.plain[0], StartsWith("Warning: Could not write K2Ter.Def"));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(Def(picker->SelectedTerrain()), edited);
}

TEST_F(TerrainPickerLogicTest, EditsOfOneTerrainAreOneUndoStepAndRefreshShowsTheRestoredValues) {
    picker->Activate(PickerUsePrimary);
    ASSERT_TRUE(picker->ClickRow(FirstRow(false)));
    const int32_t first = picker->SelectedTerrain();
    Def(first) = MakeDef("Grass", 1, 2, 0, 7);
    history->Reset();

    picker->CostUp();
    picker->CostUp();
    picker->ElevationUp();
    picker->SetName("Trampled");
    picker->SetName("Trampled Grass");
    EXPECT_EQ(history->StepCount(), 1u);
    EXPECT_EQ(history->UndoName(), "Edit Terrain Definition");

    // Another terrain's edits, after a step of another kind, are a step of their own.
    history->Record("Place Primary Terrain", [&] { Def(first).spare = 8; });
    ASSERT_TRUE(picker->ClickRow(LaterTerrainRow()));
    const int32_t second = picker->SelectedTerrain();
    const TerrainDef secondStart = Def(second);
    picker->SetName("Ditch");
    picker->SetName("Ditch Bank");
    EXPECT_EQ(history->StepCount(), 3u);
    history->Undo();
    EXPECT_EQ(Def(second), secondStart);
    EXPECT_EQ(Def(first).spare, 8);
    history->Undo();
    history->Undo();
    EXPECT_EQ(Def(first), MakeDef("Grass", 1, 2, 0, 7));

    // The picker still shows the second terrain; back on the first it shows the old values.
    picker->Refresh();
    EXPECT_EQ(picker->SelectedTerrain(), second);
    ASSERT_TRUE(picker->ClickRow(FirstRow(false)));
    EXPECT_EQ(picker->CostText(), "2");
    EXPECT_EQ(picker->ElevationText(), "1");
    EXPECT_EQ(picker->DefinitionName(), "Grass");
    history->Redo();
    picker->Refresh();
    EXPECT_EQ(picker->CostText(), "4");
    EXPECT_EQ(picker->ElevationText(), "2");
    EXPECT_EQ(picker->DefinitionName(), "Trampled Grass");
}

TEST_F(TerrainPickerLogicTest, RefreshFollowsAnotherTerrainSetAndWithoutTerrainsNothingIsEdited) {
    SymbolSet shown = StockSymbols();
    TerrainPickerLogic onShown(*scenario, shown, edit, *history, boxes);
    // Before the first activation there is nothing to refresh.
    edit.SelectedTerrain = 9;
    onShown.Refresh();
    EXPECT_TRUE(onShown.Rows().empty());
    EXPECT_EQ(edit.SelectedTerrain, 9);

    onShown.Activate(PickerUseSecondary);
    ASSERT_TRUE(onShown.HasSelection());
    const int32_t selected = onShown.SelectedTerrain();

    SymbolSet empty;
    shown.swap(empty);
    onShown.Refresh();
    EXPECT_TRUE(onShown.Rows().empty());
    EXPECT_FALSE(onShown.HasSelection());
    EXPECT_EQ(onShown.CostText(), "");
    EXPECT_FALSE(onShown.CostUp().Changed);
    EXPECT_FALSE(onShown.SetName("x").Changed);
    EXPECT_TRUE(onShown.Preview().isNull());
    EXPECT_EQ(edit.SelectedTerrain, selected);
    EXPECT_EQ(history->StepCount(), 0u);

    shown.swap(empty);
    onShown.Refresh();
    EXPECT_EQ(onShown.SelectedTerrain(), selected);
}

} // namespace
} // namespace k2
