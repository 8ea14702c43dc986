// Map areas and brushes in the main window, offscreen: the drag and double-click of Select Map
// Area, the marks drawn over the map, the system clipboard, the paste mode and the picker's
// Brush row, on the stock installation (which these tests only read).
#include "app/command_names.h"
#include "app/editor_context.h"
#include "app/main_window.h"
#include "common/recorders.h"
#include "edit/dialogs/terrain_picker_dialog.h"
#include "edit/map_area_json.h"
#include "view/map_image.h"
#include "view/map_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class MapAreaWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        k2::PlatformSeams seams;
        seams.sounds = std::make_unique<k2::test::SoundRecorder>();
        seams.boxes = std::make_unique<k2::test::MessageBoxRecorder>();
        auto chooser = std::make_unique<k2::test::ScriptedFileChooser>();
        chooser->openAnswers.push_back(std::filesystem::path(K2_STOCK_DIR) / "scenarios" /
                                       "Border Skirmish.k2s");
        seams.chooser = std::move(chooser);
        seams.help = std::make_unique<k2::test::HelpRecorder>();
        context_ = std::make_unique<k2::EditorContext>(K2_STOCK_DIR, std::move(seams));
        window_ = std::make_unique<k2::TMainForm>(*context_);
        window_->resize(900, 640);
        window_->show();
        QApplication::processEvents();
        Trigger(k2::cmd::OpenBattle);
        ASSERT_TRUE(window_->Lifecycle().BattleActive());
        map_ = window_->findChild<k2::MapImage*>("MapWin");
        ASSERT_NE(map_, nullptr);
    }

    void Trigger(std::string_view name) {
        QAction* item =
            window_->findChild<QAction*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
        ASSERT_NE(item, nullptr) << name;
        ASSERT_TRUE(item->isEnabled()) << name;
        item->trigger();
        QApplication::processEvents();
    }
    // The pointer moved to `at` on the map (with `buttons` held); the hex under it.
    int32_t MoveTo(QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, at, map_->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(map_, &move);
        return window_->View().PointerHex();
    }
    k2::EditState& Edit() { return context_->Edit(); }
    k2::MapSelection& Selection() { return window_->Session().Selection(); }

    std::unique_ptr<k2::EditorContext> context_;
    std::unique_ptr<k2::TMainForm> window_;
    k2::MapImage* map_ = nullptr;
};

TEST_F(MapAreaWindowTest, TheSelectionIsTintedAndOutlinedOverTheMapAlsoAfterAScroll) {
    const QPoint middle(map_->width() / 2, map_->height() / 2);
    for (int scrolled = 0; scrolled < 2; ++scrolled) {
        Trigger(k2::cmd::SelectAll);
        const QImage selected = map_->Picture().copy();
        Trigger(k2::cmd::SelectNone);
        const QImage plain = map_->Picture().copy();
        // The tint covers one pixel row in three across the whole view, toward a pale blue.
        int tinted = 0;
        bool bluer = true;
        for (int y = middle.y(); y < middle.y() + 3; ++y)
            for (int x = 0; x < selected.width(); ++x) {
                tinted += selected.pixel(x, y) != plain.pixel(x, y);
                bluer = bluer && qBlue(selected.pixel(x, y)) >= qBlue(plain.pixel(x, y));
            }
        EXPECT_GT(tinted, selected.width() / 2) << "scrolled " << scrolled;
        EXPECT_TRUE(bluer) << "scrolled " << scrolled;
        auto* bar = window_->findChild<QScrollBar*>("ScrollHorz");
        ASSERT_TRUE(bar->isEnabled());
        bar->setValue(bar->value() + 1);
        QApplication::processEvents();
    }
}

TEST_F(MapAreaWindowTest, ADragSelectsARectangleAndADoubleClickARegion) {
    Trigger(k2::cmd::SelectMapArea);
    EXPECT_EQ(Edit().Mode, k2::EditMode::SelectArea);
    const int32_t from = MoveTo(QPoint(60, 60));
    QTest::mousePress(map_, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
    const int32_t to = MoveTo(QPoint(160, 130), Qt::LeftButton);
    QTest::mouseRelease(map_, Qt::LeftButton, Qt::NoModifier, QPoint(160, 130));
    const k2::Scenario& battle = context_->Battle();
    const auto [r1, c1] = battle.HexRowCol(from);
    const auto [r2, c2] = battle.HexRowCol(to);
    EXPECT_EQ(Selection().Count(), (r2 - r1 + 1) * (c2 - c1 + 1));
    EXPECT_TRUE(Selection().Contains(from) && Selection().Contains(to));
    EXPECT_TRUE(window_->findChild<QAction*>("CopyMapArea1")->isEnabled());
    EXPECT_FALSE(context_->History().CanUndo()) << "a selection is no step";

    QTest::mouseDClick(map_, Qt::LeftButton, Qt::NoModifier, QPoint(160, 130));
    EXPECT_TRUE(Selection().Contains(to));
    const int32_t terrain = battle.Hexes[std::size_t(to)].PrimaryTerrain;
    for (int32_t hex : Selection().Hexes())
        EXPECT_EQ(battle.Hexes[std::size_t(hex)].PrimaryTerrain, terrain) << hex;
}

TEST_F(MapAreaWindowTest, CopyFillsTheSystemClipboardAndAPasteLaysTheAreaWhereThePreviewShowedIt) {
    Selection().SelectRectangle(context_->Battle().HexIndex(2, 2), context_->Battle().HexIndex(4, 5),
                                k2::SelectionMode::Replace);
    Trigger(k2::cmd::CopyMapArea);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    std::string error;
    const auto area = k2::MapAreaFromJson(data->data(k2::MapAreaMimeType), error);
    ASSERT_TRUE(area.has_value()) << error;
    EXPECT_EQ(area->Cells.size(), 12u);
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(data->data("image/png"), "PNG"));
    EXPECT_GT(picture.width(), 0);

    Trigger(k2::cmd::PasteMapArea);
    EXPECT_EQ(Edit().Mode, k2::EditMode::PasteArea);
    const QImage before = map_->Picture().copy();
    const int32_t hex = MoveTo(QPoint(200, 160));
    EXPECT_NE(map_->Picture(), before) << "the preview follows the pointer";
    QTest::mouseClick(map_, Qt::LeftButton, Qt::NoModifier, QPoint(200, 160));
    EXPECT_EQ(context_->History().UndoName(), "Paste Map Area");
    const int32_t column = hex % context_->Battle().Cols;
    const int32_t corner = hex - column % 2; // the area began in an even column
    EXPECT_EQ(context_->Battle().Hexes[std::size_t(corner)].SecondaryTerrain,
              area->Cells[0].SecondaryTerrain);

    window_->activateWindow();
    window_->View().setFocus();
    QTest::keyClick(&window_->View(), Qt::Key_Escape);
    EXPECT_EQ(Edit().Mode, k2::EditMode::SelectArea);
}

TEST_F(MapAreaWindowTest, ThePickersBrushRowAndTheBrushKeysSetTheRadiusAndTheOutlineShowsIt) {
    Trigger(k2::cmd::PlacePrimary);
    auto* picker = window_->findChild<k2::TSelectTer*>();
    ASSERT_NE(picker, nullptr);
    auto* two = picker->findChild<QToolButton*>("Brush2");
    ASSERT_NE(two, nullptr);
    two->click();
    EXPECT_EQ(Edit().BrushRadius, 2);
    Trigger(k2::cmd::LargerBrush);
    EXPECT_EQ(Edit().BrushRadius, 3);
    EXPECT_TRUE(picker->findChild<QToolButton*>("Brush3")->isChecked());

    MoveTo(QPoint(300, 200));
    const std::size_t wide = map_->OutlineLines().size();
    Trigger(k2::cmd::SmallerBrush);
    Trigger(k2::cmd::SmallerBrush);
    Trigger(k2::cmd::SmallerBrush);
    EXPECT_EQ(Edit().BrushRadius, 0);
    EXPECT_TRUE(map_->OutlineLines().empty()) << "the one-hex brush keeps the hex outline";
    EXPECT_FALSE(map_->Outline().isEmpty());
    // The edge of the 37-hex brush: seven hex sides along each of its six sides.
    EXPECT_EQ(wide, 42u);
}

} // namespace
