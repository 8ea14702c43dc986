// The Generate Terrain dialog driven through its controls by objectName, offscreen.
#include "common/gui_input.h"
#include "common/recorders.h"
#include "edit/dialogs/generate_terrain_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace k2;
namespace gui = k2::gui_input;

class GenerateDialog : public ::testing::Test {
  protected:
    GenerateDialog() {
        EXPECT_TRUE(ReadRoleTable(RoleTableFile(K2_STOCK_DIR, "K2T"), roles).ok);
        battle->Cols = 60;
        battle->Rows = 40;
        battle->HexCount = 2400;
        battle->Hexes.assign(2400, HexCell{});
        battle->TerrainDefCount = roles.TerrainCount;
        history.Reset();
        dialog.Prepare();
    }
    template <typename T> T* Get(const char* name) {
        T* widget = dialog.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    RoleTable roles;
    std::unique_ptr<Scenario> battle = std::make_unique<Scenario>();
    EditHistory history{*battle};
    test::SequenceRandom random{{31, 4711}};
    test::MessageBoxRecorder boxes;
    TGenerateTerrain dialog{*battle, roles, history, random, boxes};
};

TEST_F(GenerateDialog, TheControlsSetTheSeedAndSlidersAndThePreviewFollows) {
    EXPECT_EQ(Get<QLineEdit>("SeedEdit")->text(), "31");
    ASSERT_FALSE(Get<QLabel>("PreviewImg")->pixmap().isNull());
    gui::Click(Get<QPushButton>("NewSeedBtn"));
    EXPECT_EQ(Get<QLineEdit>("SeedEdit")->text(), "4711");
    EXPECT_EQ(dialog.Logic().Settings().Seed, 4711u);

    const QImage before = Get<QLabel>("PreviewImg")->pixmap().toImage();
    Get<QSlider>("waterSlider")->setValue(90);
    EXPECT_EQ(Get<QLabel>("waterLbl")->text(), "Marsh and Water: 90");
    EXPECT_TRUE(dialog.Logic().PreviewStale()) << "made once the queued events are handled";
    QApplication::processEvents();
    EXPECT_FALSE(dialog.Logic().PreviewStale());
    EXPECT_NE(Get<QLabel>("PreviewImg")->pixmap().toImage(), before);

    Get<QLineEdit>("SeedEdit")->setFocus();
    Get<QLineEdit>("SeedEdit")->selectAll();
    gui::Type(Get<QLineEdit>("SeedEdit"), "1234");
    EXPECT_EQ(dialog.Logic().Settings().Seed, 1234u);
}

TEST_F(GenerateDialog, OkGeneratesAsOneStepAndCancelChangesNothing) {
    gui::Click(Get<QPushButton>("CancelBtn"));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(history.StepCount(), 0u);

    dialog.Prepare();
    gui::Click(Get<QPushButton>("OkBtn"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Generate Terrain");
    EXPECT_TRUE(boxes.Silent());
}

} // namespace
