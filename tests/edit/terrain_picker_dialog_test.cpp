// The terrain picker on screen: the list, a click on a row, the arrows and the name box, and the
// double-click that ends the Fill use with OK.
#include "edit/dialogs/terrain_picker_dialog.h"

#include "common/gui_fixture.h"
#include "common/gui_input.h"
#include "core/terrain_defs.h"
#include "terrain_picker_stock.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gmock/gmock.h>

#include <filesystem>
#include <memory>

namespace k2 {
namespace {

using k2test::StockSymbols;

class TerrainPickerDialogTest : public test::GuiTest {
  protected:
    void SetUp() override {
        k2test::ReadStockDefinitions(*scenario);
        history = std::make_unique<EditHistory>(*scenario);
        std::filesystem::create_directories(install / "sysdefs");
        dialog = std::make_unique<TSelectTer>(*scenario, StockSymbols(), edit, *history, boxes, install);
    }
    void TearDown() override { dialog->hide(); }

    QWidget* Root() override { return dialog.get(); }
    QListWidget* List() { return Get<QListWidget>("TerList"); }
    QPoint RowPoint(int row) { return List()->visualItemRect(List()->item(row)).center(); }
    void ClickRow(int row) {
        List()->scrollToItem(List()->item(row));
        gui_input::Click(List()->viewport(), RowPoint(row));
    }
    int FirstRow(bool heading) {
        const auto& rows = dialog->Logic().Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].Heading == heading && (heading || int(i) != dialog->Logic().SelectedRow()))
                return int(i);
        return -1;
    }

    QTemporaryDir dir;
    std::filesystem::path install{dir.path().toStdString()};
    std::unique_ptr<Scenario> scenario = std::make_unique<Scenario>();
    std::unique_ptr<EditHistory> history;
    EditState edit;
    k2test::RecordingBoxes boxes;
    std::unique_ptr<TSelectTer> dialog;
};

TEST_F(TerrainPickerDialogTest, ShowsTheRowsOfTheUseWithoutButtonsWhenModeless) {
    for (int8_t use : {PickerUsePrimary, PickerUseSecondary}) {
        dialog->ShowModeless(use);
        ASSERT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->isModal());
        EXPECT_EQ(dialog->windowTitle(), use == PickerUsePrimary ? "Primary Terrain" : "Secondary Terrain");
        const auto& rows = dialog->Logic().Rows();
        ASSERT_EQ(List()->count(), int(rows.size()));
        for (int i = 0; i < List()->count(); ++i)
            EXPECT_EQ(List()->item(i)->text().toStdString(), rows[size_t(i)].Text);
        EXPECT_EQ(List()->currentRow(), dialog->Logic().SelectedRow());
        EXPECT_FALSE(Get<QPushButton>("Button1")->isVisible());
        EXPECT_FALSE(Get<QPushButton>("Button2")->isVisible());
        EXPECT_FALSE(Get<QLabel>("Image1")->pixmap().isNull());
    }
}

TEST_F(TerrainPickerDialogTest, ClickingARowSelectsItsTerrainAndAHeadingKeepsTheSelection) {
    dialog->ShowModeless(PickerUseSecondary);
    QSignalSpy chosen(dialog.get(), &TSelectTer::SelectionChanged);
    const int row = FirstRow(false);
    const int32_t terrain = dialog->Logic().Rows()[size_t(row)].Terrain;
    scenario->TerrainDefs[size_t(terrain)].name = "Old Orchard";

    ClickRow(row);
    EXPECT_EQ(edit.SelectedTerrain, terrain);
    EXPECT_EQ(edit.SelectedBaseTerrain, terrain);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), terrain);
    EXPECT_EQ(Label("SymNamPan"), List()->item(row)->text());
    EXPECT_EQ(Get<QLineEdit>("SymName")->text(), "Old Orchard");

    ClickRow(FirstRow(true));
    EXPECT_EQ(edit.SelectedTerrain, terrain);
    EXPECT_EQ(List()->currentRow(), row);
    EXPECT_EQ(chosen.count(), 1);

    // The keys step over a heading to the next terrain.
    const auto& rows = dialog->Logic().Rows();
    int heading = 1;
    while (heading + 1 < int(rows.size()) &&
           !(rows[size_t(heading)].Heading && !rows[size_t(heading - 1)].Heading))
        ++heading;
    ASSERT_LT(heading + 1, int(rows.size()));
    ClickRow(heading - 1);
    List()->setFocus();
    gui_input::PressKey(List(), Qt::Key_Down);
    EXPECT_EQ(List()->currentRow(), heading + 1);
    EXPECT_EQ(edit.SelectedTerrain, rows[size_t(heading + 1)].Terrain);
}

TEST_F(TerrainPickerDialogTest, AClickOnAHalfVisibleRowHighlightsThatRow) {
    dialog->ShowModeless(PickerUsePrimary);
    QListWidget* list = List();
    list->scrollToTop();
    // The terrain row cut by the bottom edge of the list.
    const int height = list->viewport()->height();
    int row = -1;
    for (int i = 0; i < list->count() && row < 0; ++i) {
        const QRect rect = list->visualItemRect(list->item(i));
        if (rect.top() < height && rect.bottom() >= height && !dialog->Logic().Rows()[size_t(i)].Heading)
            row = i;
    }
    ASSERT_GE(row, 0) << "no terrain row is cut by the list's edge";
    const QPoint at(list->visualItemRect(list->item(row)).center().x(), height - 2);

    gui_input::Press(list->viewport(), at);
    gui_input::MoveMouse(list->viewport(), at + QPoint(1, 0), Qt::LeftButton);
    gui_input::Release(list->viewport(), at + QPoint(1, 0));

    const int32_t terrain = dialog->Logic().Rows()[size_t(row)].Terrain;
    EXPECT_EQ(edit.SelectedTerrain, terrain);
    EXPECT_EQ(list->currentRow(), row);
    const QList<QListWidgetItem*> highlighted = list->selectedItems();
    ASSERT_EQ(highlighted.size(), 1);
    EXPECT_EQ(list->row(highlighted[0]), row);
}

TEST_F(TerrainPickerDialogTest, ArrowsAndNameBoxEditTheDefinition) {
    dialog->ShowModeless(PickerUsePrimary);
    ClickRow(FirstRow(false));
    const int32_t terrain = edit.SelectedTerrain;
    scenario->TerrainDefs[size_t(terrain)].costPerMove = 1;
    dialog->Refresh();
    EXPECT_EQ(Label("CpmLbl"), "1");

    QWidget* arrows = Get("CpmUpDn");
    gui_input::Click(arrows->findChild<QToolButton*>("CpmUpDnDown"));
    EXPECT_EQ(Label("CpmLbl"), "-");
    gui_input::Click(arrows->findChild<QToolButton*>("CpmUpDnUp"));
    gui_input::Click(arrows->findChild<QToolButton*>("CpmUpDnUp"));
    EXPECT_EQ(Label("CpmLbl"), "2");
    EXPECT_EQ(scenario->TerrainDefs[size_t(terrain)].costPerMove, 2);
    gui_input::Click(Get("ElvUpDn")->findChild<QToolButton*>("ElvUpDnUp"));
    EXPECT_EQ(Label("ElvLbl"),
              QString::number(std::min(scenario->TerrainDefs[size_t(terrain)].elevation, 3)));

    QLineEdit* name = Get<QLineEdit>("SymName");
    name->setFocus();
    name->selectAll();
    gui_input::Type(name, "Trodden Earth And Then Some");
    EXPECT_EQ(scenario->TerrainDefs[size_t(terrain)].name.Str(), "Trodden Earth And Th");
    EXPECT_EQ(history->StepCount(), 1u);

    history->Undo();
    dialog->Refresh();
    EXPECT_EQ(Label("CpmLbl"), "1");
}

TEST_F(TerrainPickerDialogTest, DoubleClickInTheFillUseClosesWithOkAndWritesTheFile) {
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    dialog->PrepareFill();
    ASSERT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), "Primary Terrain Fill");
    EXPECT_TRUE(Get<QPushButton>("Button1")->isVisible());
    EXPECT_TRUE(Get<QPushButton>("Button2")->isVisible());

    // A heading does not close it.
    const int heading = FirstRow(true);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, RowPoint(heading));
    EXPECT_EQ(finished.count(), 0);

    const int row = FirstRow(false);
    List()->scrollToItem(List()->item(row));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, RowPoint(row));
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, RowPoint(row));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), PickerResultOk);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(edit.SelectedTerrain, dialog->Logic().Rows()[size_t(row)].Terrain);
    EXPECT_EQ(edit.PickerUse, PickerUseFill);
    Scenario written;
    EXPECT_TRUE(ReadTerrainDefs(written, install / "sysdefs" / "K2Ter.Def"));
    EXPECT_EQ(written.TerrainDefCount, StockSymbols().TerrainCount());
    EXPECT_TRUE(boxes.plain.empty());
}

TEST_F(TerrainPickerDialogTest, CancelInTheFillUseKeepsEditsAndWritesNothing) {
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    dialog->PrepareFill();
    const int32_t terrain = edit.SelectedTerrain;
    const int32_t defense = scenario->TerrainDefs[size_t(terrain)].defenseModifier;
    gui_input::Click(Get("DefUpDn")->findChild<QToolButton*>("DefUpDnDown"));
    gui_input::Click(Get<QPushButton>("Button2"));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), PickerResultCancel);
    EXPECT_EQ(scenario->TerrainDefs[size_t(terrain)].defenseModifier, std::max(defense - 1, -8));
    EXPECT_FALSE(std::filesystem::exists(install / "sysdefs" / "K2Ter.Def"));
}

} // namespace
} // namespace k2
