// The special hex markers dialog on screen: its list and preview, the kind buttons and a list
// click driven by name, and Exit ending the session as one step.
#include "common/gui_fixture.h"
#include "common/gui_input.h"
#include "edit/dialogs/marker_dialog.h"
#include "marker_text_fixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gmock/gmock.h>

namespace k2 {
namespace {

using k2test_markers::PlaceUnit;
using k2test_markers::SaveScreenshot;
using k2test_markers::SmallBattle;
using k2test_markers::StockSymbols;

class MarkerDialogTest : public test::GuiTest {
  protected:
    std::unique_ptr<Scenario> battle = SmallBattle();
    EditHistory history{*battle};
    TSelectHxMrk dialog{*battle, StockSymbols(), history};

    void TearDown() override { dialog.hide(); }
    QWidget* Root() override { return &dialog; }
    QString Current() {
        QListWidgetItem* item = Get<QListWidget>("TerList")->currentItem();
        return item ? item->text() : QString();
    }
    void ClickRow(const QString& name) {
        auto* list = Get<QListWidget>("TerList");
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->scrollToItem(found[0]);
        gui_input::Click(list->viewport(), list->visualItemRect(found[0]).center());
    }
    // How many pixels of the preview are not black.
    int PreviewInk() {
        const QImage image = Get<QLabel>("Image1")->pixmap().toImage();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += (image.pixel(x, y) & 0xFFFFFF) != 0;
        return ink;
    }
};

TEST_F(MarkerDialogTest, ShowsTheListPreviewAndKindsAndAppliesAListClick) {
    const int32_t late = battle->HexIndex(4, 9);
    PlaceUnit(*battle, late, SideEastern, 3);
    history.Reset();
    const Scenario before = *battle;
    dialog.Prepare();
    dialog.show();

    EXPECT_EQ(dialog.windowTitle(), "Special Hex Markers");
    EXPECT_EQ(Get<QListWidget>("TerList")->count(), int(MarkerSymbolRows(StockSymbols()).size()));
    EXPECT_TRUE(Get<QRadioButton>("WestReinf")->isChecked());
    EXPECT_EQ(Current(), "Western Reinforcement");
    EXPECT_EQ(Get<QLabel>("SymNamPan")->text(), "Western Reinforcement");
    EXPECT_GT(PreviewInk(), 200) << "the symbol is drawn large";
    EXPECT_EQ(Get<QPushButton>("OkBtn")->text(), "Exit");
    SaveScreenshot(dialog, "TSelectHxMrk");

    Get<QRadioButton>("EastReinf")->click();
    EXPECT_EQ(Current(), "Eastern Reinforcement");
    EXPECT_EQ(Get<QLabel>("SymNamPan")->text(), "Eastern Reinforcement");

    ClickRow("Camp");
    EXPECT_EQ(Get<QLabel>("SymNamPan")->text(), "Camp");
    const int32_t camp = battle->MarkerSymbols[MarkerEasternReinforcement];
    EXPECT_EQ(StockSymbols().Terrain(camp).Name.Str(), "3 Camp");
    EXPECT_EQ(battle->Hexes[std::size_t(late)].ReinforcementMarker, camp);
    EXPECT_EQ(battle->MarkerSymbols[MarkerWesternReinforcement], 29);

    Get<QPushButton>("OkBtn")->click();
    EXPECT_EQ(dialog.result(), MarkerResultOk);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_TRUE(history.Modified());
    history.Undo();
    EXPECT_TRUE(*battle == before);
}

TEST_F(MarkerDialogTest, TheKeysChooseAndPreviewLikeAClick) {
    dialog.Prepare();
    dialog.show();
    auto* list = Get<QListWidget>("TerList");
    Get<QRadioButton>("ObjSym")->click();
    const int start = list->currentRow();
    ASSERT_GE(start, 0);
    const int32_t before = battle->MarkerSymbols[MarkerObjective];

    list->setFocus();
    gui_input::PressKey(list, start + 1 < list->count() ? Qt::Key_Down : Qt::Key_Up);
    const int row = list->currentRow();
    ASSERT_NE(row, start);
    const int32_t chosen = MarkerSymbolRows(StockSymbols())[size_t(row)].Terrain;
    EXPECT_NE(chosen, before);
    EXPECT_EQ(battle->MarkerSymbols[MarkerObjective], chosen);
    EXPECT_EQ(Get<QLabel>("SymNamPan")->text(), list->item(row)->text());
    EXPECT_EQ(dialog.Logic().SelectedRow(), row);
}

TEST_F(MarkerDialogTest, ClosingTheWindowIsExit) {
    QTimer::singleShot(0, &dialog, [&] {
        Get<QRadioButton>("ObjSym")->click();
        ClickRow("Victory Banner");
        dialog.reject(); // the window's close button: there is no cancel
    });
    EXPECT_EQ(dialog.Run(), k2::DialogResult::Ok);
    EXPECT_EQ(StockSymbols().Terrain(battle->MarkerSymbols[MarkerObjective]).Name.Str(), "4 Victory Banner");
    EXPECT_EQ(history.UndoName(), "Set Special Hex Markers");
    EXPECT_TRUE(history.Modified());
}

} // namespace
} // namespace k2
