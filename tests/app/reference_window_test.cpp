// The reference picture in the main window, offscreen: chosen in its dialog and drawn over the
// map, aligned by clicks and nudged by keys, hidden by its switch, put into an exported map image,
// and kept in the file beside a copy of a stock battle, without ever being an edit of the battle.
#include "app/command_names.h"
#include "app/editor_context.h"
#include "app/main_window.h"
#include "common/recorders.h"
#include "graphics/reference_sidecar.h"
#include "view/map_image.h"
#include "view/map_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class ReferenceWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(dir_.path().toStdString());
        battle_ = folder_ / "Skirmish.k2s";
        fs::copy_file(fs::path(K2_STOCK_DIR) / "scenarios" / "Border Skirmish.k2s", battle_);
        picture_ = folder_ / "survey.png";
        // Two halves the map never shows: pure red over pure blue.
        QImage survey(400, 300, QImage::Format_RGB32);
        survey.fill(Qt::red);
        for (int y = 150; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                survey.setPixel(x, y, qRgb(0, 0, 255));
        ASSERT_TRUE(survey.save(QString::fromStdString(picture_.string())));

        k2::PlatformSeams seams;
        seams.sounds = std::make_unique<k2::test::SoundRecorder>();
        seams.boxes = std::make_unique<k2::test::MessageBoxRecorder>();
        auto chooser = std::make_unique<k2::test::ScriptedFileChooser>();
        chooser_ = chooser.get();
        seams.chooser = std::move(chooser);
        seams.help = std::make_unique<k2::test::HelpRecorder>();
        context_ = std::make_unique<k2::EditorContext>(K2_STOCK_DIR, std::move(seams));
        window_ = std::make_unique<k2::TMainForm>(*context_);
        window_->resize(900, 640);
        window_->show();
        QApplication::processEvents();
        Open();
        map_ = window_->findChild<k2::MapImage*>("MapWin");
        ASSERT_NE(map_, nullptr);
    }

    void Open() {
        chooser_->openAnswers.push_back(battle_);
        Trigger(k2::cmd::OpenBattle);
        ASSERT_TRUE(window_->Lifecycle().BattleActive());
    }
    QAction* Item(std::string_view name) {
        return window_->findChild<QAction*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
    }
    void Trigger(std::string_view name) {
        QAction* item = Item(name);
        ASSERT_NE(item, nullptr) << name;
        ASSERT_TRUE(item->isEnabled()) << name;
        item->trigger();
        QApplication::processEvents();
    }
    // Runs the Reference Image dialog: `act` on it once it is up, then `button`.
    void InDialog(const std::function<void(QWidget&)>& act, const char* button) {
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
            dialog->findChild<QPushButton*>(button)->click();
        });
        Trigger(k2::cmd::ReferenceImage);
    }
    void ChoosePicture() {
        chooser_->openAnswers.push_back(picture_);
        InDialog([](QWidget& d) { d.findChild<QPushButton*>("ChoosePictureBtn")->click(); }, "OkBtn");
    }
    // The pixels of the view that are mostly red or mostly blue.
    int Tinted() const {
        int tinted = 0;
        const QImage& p = map_->Picture();
        for (int y = 0; y < p.height(); y += 3)
            for (int x = 0; x < p.width(); x += 3) {
                const QColor c = p.pixelColor(x, y);
                tinted += c.red() > c.green() + 60 || c.blue() > c.green() + 60;
            }
        return tinted;
    }
    // The pointer goes to `at` and a left click follows there.
    void ClickAt(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, map_->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(map_, &move);
        QTest::mouseClick(map_, Qt::LeftButton, Qt::NoModifier, at);
    }
    QString Info() const { return window_->findChild<QLabel*>("InfLbl")->text(); }

    QTemporaryDir dir_;
    fs::path folder_, battle_, picture_;
    k2::test::ScriptedFileChooser* chooser_ = nullptr;
    std::unique_ptr<k2::EditorContext> context_;
    std::unique_ptr<k2::TMainForm> window_;
    k2::MapImage* map_ = nullptr;
};

TEST_F(ReferenceWindowTest, APictureChosenIsDrawnOverTheMapAndKeptBesideTheBattleWithoutBeingAnEdit) {
    EXPECT_FALSE(Item(k2::cmd::AlignReference)->isEnabled()) << "nothing to align yet";
    const QImage plain = map_->Picture().copy();
    ChoosePicture();
    EXPECT_GT(Tinted(), 1000);
    EXPECT_TRUE(fs::exists(k2::ReferenceSidecarPath(battle_)));
    EXPECT_FALSE(context_->History().CanUndo());
    EXPECT_FALSE(window_->windowTitle().endsWith(" *"));
    EXPECT_TRUE(Item(k2::cmd::AlignReference)->isEnabled());

    // A scroll draws it again where the map went.
    window_->View().ScrollBy(k2::ScrollAxis::Vertical, 1);
    QApplication::processEvents();
    EXPECT_GT(Tinted(), 1000);
    window_->View().ScrollBy(k2::ScrollAxis::Vertical, -1);
    QApplication::processEvents();

    // The switch hides it, Ctrl+R and all, and says so in its caption.
    QAction* display = Item(k2::cmd::ReferenceDisplay);
    EXPECT_EQ(display->text(), "Reference Image is: On");
    display->trigger();
    QApplication::processEvents();
    EXPECT_EQ(display->text(), "Reference Image is: Off");
    EXPECT_EQ(map_->Picture(), plain);

    // Cancel takes back what the dialog changed on the way.
    display->trigger();
    InDialog([](QWidget& d) { d.findChild<QPushButton*>("RemovePictureBtn")->click(); }, "CancelBtn");
    EXPECT_GT(Tinted(), 1000);

    // Opened again, the battle brings its picture back.
    Open();
    EXPECT_GT(Tinted(), 1000);
    EXPECT_EQ(Info(), "Battle Active.");
}

TEST_F(ReferenceWindowTest, TwoPicturePointsClickedOntoTwoHexesLieOnTheirCentresAndTheArrowsNudge) {
    ChoosePicture();
    Trigger(k2::cmd::AlignReference);
    EXPECT_EQ(context_->Edit().Mode, k2::EditMode::AlignReference);
    k2::ReferenceWindow& reference = window_->Reference();
    const k2::Scenario& battle = context_->Battle();
    k2::MapView& view = window_->View();
    const int32_t zoom = view.Logic().Zoom();
    const QPointF origin = k2::MapOriginInView(context_->Renderer(), battle, view.Logic().Pitches(), zoom);
    auto centreInView = [&](int32_t hex) {
        return k2::HexCentre(hex, battle.Cols, view.Logic().Pitches(), zoom) + origin;
    };
    const QPoint points[] = {{60, 50}, {300, 220}};
    const int32_t hexes[] = {battle.HexIndex(3, 4), battle.HexIndex(8, 11)};
    QPointF picked[2];
    for (int i = 0; i < 2; ++i) {
        picked[i] = reference.ToView().inverted().map(QPointF(points[i]) + QPointF(0.5, 0.5));
        ClickAt(points[i]);
        ClickAt(centreInView(hexes[i]).toPoint());
    }
    ASSERT_EQ(reference.Settings().Anchors.size(), 2u) << Info().toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(reference.Settings().Anchors[std::size_t(i)].Hex, hexes[i]);
        const QPointF landed = reference.ToView().map(picked[i]);
        EXPECT_LT(
            std::hypot(landed.x() - centreInView(hexes[i]).x(), landed.y() - centreInView(hexes[i]).y()),
            1.5);
    }
    EXPECT_FALSE(context_->History().CanUndo());

    const QTransform before = reference.ToMap();
    window_->View().setFocus();
    QTest::keyClick(&window_->View(), Qt::Key_Right);
    QTest::keyClick(&window_->View(), Qt::Key_Right);
    EXPECT_EQ(reference.Settings().Nudge, QPointF(2, 0));
    const k2::HexPitches& p = view.Logic().Pitches();
    EXPECT_NEAR(reference.ToMap().dx() - before.dx(),
                2.0 * p.ColumnPitch[zoom] / p.ColumnPitch[k2::AlignZoom], 1e-9);
    const k2::ReferenceSidecarRead kept = k2::ReadReferenceSidecar(battle_, int32_t(battle.Hexes.size()));
    EXPECT_EQ(kept.Settings, reference.Settings());

    // Save As takes the settings to the new name, the picture's path made relative to it.
    fs::create_directories(folder_ / "copies");
    chooser_->saveAnswers.push_back(folder_ / "copies" / "Moved.k2s");
    Trigger(k2::cmd::SaveBattleAs);
    QFile moved(QString::fromStdString(k2::ReferenceSidecarPath(folder_ / "copies" / "Moved.k2s").string()));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(moved.readAll().contains("\"../survey.png\""));
}

TEST_F(ReferenceWindowTest, ADamagedSettingsFileOrAMissingPictureIsSaidInTheInfoBarAndTheBattleOpens) {
    struct Case {
        QByteArray json;
        const char* said;
    };
    for (const Case& c :
         {Case{"{ broken", "were not used"}, Case{R"({"picture": "gone.png"})", "could not be read"}}) {
        QFile file(QString::fromStdString(k2::ReferenceSidecarPath(battle_).string()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.json);
        file.close();
        Open();
        EXPECT_TRUE(Info().contains(c.said)) << Info().toStdString();
        EXPECT_FALSE(window_->Reference().HasPicture());
        EXPECT_FALSE(Item(k2::cmd::AlignReference)->isEnabled());
    }
}

TEST_F(ReferenceWindowTest, TheExportIncludesThePictureOnlyWhenItsCheckBoxIsTicked) {
    ChoosePicture();
    QImage written[2];
    for (bool include : {false, true}) {
        const fs::path file = folder_ / (include ? "with.png" : "without.png");
        chooser_->saveAnswers.push_back(file);
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            auto* box = dialog->findChild<QCheckBox*>("IncludeReferenceChk");
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->isEnabled());
            box->setChecked(include);
            dialog->findChild<QPushButton*>("ExportOkBtn")->click();
        });
        Trigger(k2::cmd::ExportMapImage);
        ASSERT_TRUE(written[include].load(QString::fromStdString(file.string())));
    }
    ASSERT_EQ(written[0].size(), written[1].size());
    // The whole map is drawn; the picture, fitted over it, reddens its top-left corner.
    const QColor plain = written[0].pixelColor(60, 60), traced = written[1].pixelColor(60, 60);
    EXPECT_GT(traced.red() - traced.green(), plain.red() - plain.green() + 40);
}

} // namespace
