#include "app/check_panel.h"
#include "app/command_names.h"
#include "app/editor_context.h"
#include "app/main_window.h"
#include "app/new_map_dialog.h"
#include "app/qt_platform.h"
#include "common/battle_builder.h"
#include "common/gui_input.h"
#include "common/recorders.h"
#include "core/battle_file.h"
#include "graphics/map_export.h"
#include "view/map_image.h"
#include "view/map_view.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gmock/gmock.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;
using ::testing::StartsWith;

namespace {

using SilentSounds = k2::test::SoundRecorder;
using Boxes = k2::test::MessageBoxRecorder;
using Chooser = k2::test::ScriptedFileChooser;
using Help = k2::test::HelpRecorder;

// A copy of the stock installation, so that saves and the recent list never touch the shared one.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        install_ = fs::temp_directory_path() / ("k2_window_" + std::to_string(std::random_device{}()));
        fs::copy(K2_STOCK_DIR, install_, fs::copy_options::recursive);
        fs::create_directories(install_ / "scenarios");
        fs::remove(install_ / "battle.lst");
        k2::PlatformSeams seams;
        auto sounds = std::make_unique<SilentSounds>();
        auto boxes = std::make_unique<Boxes>();
        auto chooser = std::make_unique<Chooser>();
        auto help = std::make_unique<Help>();
        sounds_ = sounds.get();
        boxes_ = boxes.get();
        chooser_ = chooser.get();
        help_ = help.get();
        seams.sounds = std::move(sounds);
        seams.boxes = std::move(boxes);
        seams.chooser = std::move(chooser);
        seams.help = std::move(help);
        context_ = std::make_unique<k2::EditorContext>(install_, std::move(seams));
        window_ = std::make_unique<k2::TMainForm>(*context_);
        window_->resize(900, 640);
        window_->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        window_.reset();
        context_.reset();
        fs::remove_all(install_);
    }

    // A battle of `cols` x `rows` written by the core writer into the copied installation.
    std::string MakeBattle(const std::string& file, const std::string& name, int32_t cols = 60,
                           int32_t rows = 50) {
        return k2::test::WriteNewBattle(install_ / "scenarios" / file, cols, rows, name, 5,
                                        install_ / "sysdefs" / "K2Ter.Def");
    }

    QAction* Item(const char* name) const { return window_->findChild<QAction*>(name); }
    template <typename T = QWidget> T* Control(const char* name) const {
        return window_->findChild<T*>(name);
    }
    QString Label(const char* name) const { return Control<QLabel>(name)->text(); }
    void Trigger(const char* name) {
        QAction* item = Item(name);
        ASSERT_NE(item, nullptr) << name;
        ASSERT_TRUE(item->isEnabled()) << name;
        item->trigger();
        QApplication::processEvents();
    }
    void Open(const std::string& path) {
        chooser_->openAnswers.push_back(fs::path(path));
        Trigger("OpenMapFile1");
    }
    void MoveMouse(QPoint at) {
        QWidget* map = Control("MapWin");
        QMouseEvent move(QEvent::MouseMove, at, map->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(map, &move);
    }
    void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QWidget* map = Control("MapWin");
        QMouseEvent press(QEvent::MouseButtonPress, at, map->mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(map, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, map->mapToGlobal(at), button, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(map, &release);
    }

    fs::path install_;
    SilentSounds* sounds_ = nullptr;
    Boxes* boxes_ = nullptr;
    Chooser* chooser_ = nullptr;
    Help* help_ = nullptr;
    std::unique_ptr<k2::EditorContext> context_;
    std::unique_ptr<k2::TMainForm> window_;
};

TEST_F(MainWindowTest, StartsWithTitleMenusAndInfoBar) {
    EXPECT_EQ(window_->objectName(), "TMainForm");
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2");
    EXPECT_EQ(Label("InfLbl"), "Battle not active");
    EXPECT_FALSE(Control("PBar")->isVisible());
    struct Entry {
        const char* name;
        const char* caption;
        bool enabled;
    } items[] = {
        {"OpenMapFile1", "Open Battle", true},
        {"CreateNewMap1", "Create New Battle", true},
        {"SaveMapFile", "Save Battle", false},
        {"SaveMapAs", "Save Battle As...", false},
        {"ModifyScenario1", "Battle Settings", false},
        {"Exit1", "Exit", true},
        {"MB_ElvDsp", "Elevation Display is: Off", false},
        {"ShowVicHex", "Victory Objective is: On", false},
        {"RForce", "Reinforcement Hexes are: On", false},
        {"MapOverlay", "Map Overlay is: On", false},
        {"PlaceNameTgl", "Map Text is: On", false},
        {"HelpIndex", "Contents", true},
        {"KeywordSearch1", "Keyword Search", true},
        {"AboutQRMIIMapBuilder1", "About Tessary Keldmar 2", true},
        {"WestOB", "Western Forces Order of Battle", false},
        {"EastOB", "Eastern Forces Order of Battle", false},
        {"ObjectiveList", "Terrain Objective Status", false},
    };
    for (const Entry& e : items) {
        QAction* item = Item(e.name);
        ASSERT_NE(item, nullptr) << e.name;
        EXPECT_EQ(item->text(), e.caption) << e.name;
        EXPECT_EQ(item->isEnabled(), e.enabled) << e.name;
    }
    EXPECT_EQ(Item("OpenMapFile1")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(Item("SaveMapAs")->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(Item("Exit1")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_FALSE(Item("N4")->isVisible());
    for (const char* name : {"MapA1", "MapB1", "MapC1", "MapD1", "MapE1"})
        EXPECT_FALSE(Item(name)->isVisible());
    // The edit commands wait for a battle.
    for (const char* name : {"PlaceLv1Ter", "PlaceLv2Ter", "FillPrime", "Undo1", "Redo1"})
        EXPECT_FALSE(Item(name)->isEnabled()) << name;
    for (const char* name : {"ZoomIn", "ZoomOut", "ScrollHorz", "ScrollVert"})
        EXPECT_FALSE(Control(name)->isEnabled()) << name;
    EXPECT_EQ(Label("HexNo"), "Hex No:");
    EXPECT_EQ(Label("PrmTer"), "Primary Ter:");
    EXPECT_EQ(Label("SecTer"), "Secondary Ter:");
    EXPECT_EQ(Label("ObjLbl"), "Objective: ");
    EXPECT_EQ(Label("MTLbl"), "Map Text:");
    for (const char* name : {"SdeLbl", "UntLbl", "StsLbl1", "BseLbl", "RnfLbl"})
        EXPECT_EQ(Label(name), "");
    EXPECT_EQ(context_->Battle().EditorFormatNumber, 105);
    // The map view follows the window: view width = client width - (scrollbar + 1).
    const QWidget* map = Control("MapWin");
    EXPECT_EQ(map->width(), window_->centralWidget()->width() - (Control("ScrollVert")->width() + 1));
}

TEST_F(MainWindowTest, HelpAndAboutCommands) {
    Trigger("HelpIndex");
    Trigger("KeywordSearch1");
    EXPECT_THAT(help_->requests, ::testing::ElementsAre("contents tkx2.hlp", "search tkx2.hlp"));
}

TEST_F(MainWindowTest, OpenShowsTheBattleAndItsControls) {
    Open(MakeBattle("wide.k2s", "Wide Field"));
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2:Wide Field");
    EXPECT_EQ(Label("InfLbl"), "Battle Active.");
    EXPECT_FALSE(Control("PBar")->isVisible());
    EXPECT_TRUE(Item("SaveMapFile")->isEnabled());
    EXPECT_TRUE(Item("ModifyScenario1")->isEnabled());
    EXPECT_TRUE(Item("MB_ElvDsp")->isEnabled());
    EXPECT_TRUE(Control("ZoomIn")->isEnabled());
    EXPECT_FALSE(Control("ZoomOut")->isEnabled());
    EXPECT_TRUE(Control("ScrollHorz")->isEnabled());
    EXPECT_TRUE(Control("ScrollVert")->isEnabled());
    EXPECT_TRUE(boxes_->plain.empty()) << boxes_->plain.front();

    // The map shows something other than black.
    QImage shot = Control("MapWin")->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < shot.height(); y += 7)
        for (int x = 0; x < shot.width(); x += 7)
            coloured += shot.pixelColor(x, y) != Qt::black;
    EXPECT_GT(coloured, 10);

    // Hovering describes the hex; off the map everything empties.
    MoveMouse(QPoint(20, 20));
    EXPECT_THAT(Label("HexNo").toStdString(), StartsWith("Hex:"));
    EXPECT_THAT(Label("HexNo").toStdString(), ::testing::HasSubstr(" CPM:"));

    // One scrollbar step moves the origin two columns.
    auto* horz = Control<QScrollBar>("ScrollHorz");
    horz->setValue(1);
    QApplication::processEvents();
    const k2::Scenario& s = context_->Battle();
    EXPECT_EQ(s.ViewOriginHex % s.Cols, 2);
    EXPECT_EQ(horz->value(), 2); // the bar shows the origin's column
    // The keyboard scrolls too.
    QWidget* view = Control("MapView");
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(view, &down);
    EXPECT_EQ(s.ViewOriginHex / s.Cols, 2);
}

TEST_F(MainWindowTest, ZoomPickZoomsAtTheClickedHexAndRestoresTheMode) {
    Open(MakeBattle("wide.k2s", "Wide Field"));
    auto* zoomIn = Control<QToolButton>("ZoomIn");
    zoomIn->click();
    EXPECT_EQ(context_->Edit().Mode, k2::EditMode::ZoomPick);
    EXPECT_EQ(context_->Battle().ZoomLevel, 0);

    MoveMouse(QPoint(200, 150));
    const int32_t hex = window_->View().PointerHex();
    ASSERT_NE(hex, k2::NoSymbol);
    Click(QPoint(5, 5)); // the click acts on the last recorded pointer position
    EXPECT_EQ(context_->Battle().ZoomLevel, 1);
    EXPECT_EQ(context_->Edit().CurrentHex, hex);
    EXPECT_EQ(context_->Edit().Mode, k2::EditMode::None);
    EXPECT_TRUE(Control("ZoomOut")->isEnabled());
    EXPECT_THAT(sounds_->Numbers(), ::testing::Contains(6));

    // A further click does not zoom again.
    Click(QPoint(5, 5));
    EXPECT_EQ(context_->Battle().ZoomLevel, 1);

    Control<QToolButton>("ZoomOut")->click();
    EXPECT_EQ(context_->Battle().ZoomLevel, 0);
    EXPECT_FALSE(Control("ZoomOut")->isEnabled());
}

TEST_F(MainWindowTest, DisplaySwitchesFlipTheirCaptions) {
    Open(MakeBattle("a.k2s", "A", 20, 20));
    Trigger("ShowVicHex");
    EXPECT_EQ(Item("ShowVicHex")->text(), "Victory Objective is: Off");
    EXPECT_FALSE(context_->Switches().Objectives);
    Trigger("ShowVicHex");
    EXPECT_EQ(Item("ShowVicHex")->text(), "Victory Objective is: On");
    Trigger("MapOverlay");
    EXPECT_EQ(Item("MapOverlay")->text(), "Map OverLay is: Off");
    Trigger("MB_ElvDsp");
    EXPECT_EQ(Item("MB_ElvDsp")->text(), "Elevation Display is: On");
}

TEST_F(MainWindowTest, SaveAsThenSaveFillsTheRecentMenu) {
    const std::string path = MakeBattle("a.k2s", "A", 20, 20);
    Open(path);
    const fs::path copy = install_ / "scenarios" / "copy.k2s";
    chooser_->saveAnswers.push_back(copy);
    Trigger("SaveMapAs");
    ASSERT_TRUE(fs::exists(copy));
    EXPECT_FALSE(Item("MapA1")->isVisible());
    Trigger("SaveMapFile");
    EXPECT_TRUE(Item("N4")->isVisible());
    EXPECT_TRUE(Item("MapA1")->isVisible());
    EXPECT_EQ(Item("MapA1")->text().toStdString(), copy.string());
    EXPECT_FALSE(Item("MapB1")->isVisible());

    Open(path);
    EXPECT_EQ(window_->Lifecycle().CurrentPath(), path);
    Trigger("MapA1");
    EXPECT_EQ(window_->Lifecycle().CurrentPath(), copy.string());
}

TEST_F(MainWindowTest, FailedOpenReturnsToTheTitle) {
    const fs::path bad = install_ / "scenarios" / "bad.k2s";
    std::ofstream(bad) << "x";
    Open(bad.string());
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2");
    EXPECT_EQ(Label("InfLbl"), "Battle not active");
    EXPECT_FALSE(Item("SaveMapFile")->isEnabled());
    EXPECT_FALSE(Item("SaveMapAs")->isEnabled());
    EXPECT_EQ(boxes_->plain.size(), 1u);
}

// The settings dialog is modal: press its OK once it is up.
void PressOkWhenShown() {
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<k2::TNewMap*>(w); dialog && dialog->isVisible())
                if (auto* ok = dialog->findChild<QPushButton*>("OK")) return ok->click();
    });
}

TEST_F(MainWindowTest, CreateNewBattleAndChangeItsSettings) {
    PressOkWhenShown();
    Trigger("CreateNewMap1");
    const k2::Scenario& s = context_->Battle();
    // Not saved anywhere yet: the caption says so.
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2:New Battle *");
    EXPECT_EQ(s.Cols, 40);
    EXPECT_EQ(s.Rows, 20);
    EXPECT_FALSE(Item("SaveMapFile")->isEnabled());
    EXPECT_TRUE(Item("SaveMapAs")->isEnabled());
    EXPECT_TRUE(window_->Lifecycle().BattleModified());

    PressOkWhenShown();
    Trigger("ModifyScenario1");
    EXPECT_EQ(s.Cols, 40);
    EXPECT_EQ(s.UnitSetName, "K2U");
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2:New Battle *");
}

TEST_F(MainWindowTest, ExitAsksAboutUnsavedChanges) {
    Open(MakeBattle("a.k2s", "A", 20, 20));
    window_->Lifecycle().MarkModified();
    boxes_->unscripted = 2;
    Trigger("Exit1");
    EXPECT_EQ(boxes_->AskedKinds(), std::vector<int>{1});
    EXPECT_FALSE(window_->isVisible());
}

} // namespace

namespace {

TEST_F(MainWindowTest, EveryCommandNameIsAnItemOrControlOfTheWindow) {
    std::vector<std::string_view> names(k2::cmd::All.begin(), k2::cmd::All.end());
    for (std::string_view name : k2::BattleLifecycle::BattleCommands())
        names.push_back(name);
    for (std::string_view name : names) {
        const QString objectName = QString::fromLatin1(name.data(), qsizetype(name.size()));
        EXPECT_TRUE(window_->findChild<QAction*>(objectName) || window_->findChild<QWidget*>(objectName))
            << std::string(name);
    }
}

TEST_F(MainWindowTest, UndoAndRedoItemsFollowTheHistory) {
    Open(MakeBattle("a.k2s", "Alpha", 20, 20));
    EXPECT_FALSE(Item("Undo1")->isEnabled());
    EXPECT_EQ(Item("Undo1")->text(), "Undo");
    EXPECT_EQ(Item("Undo1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_THAT(Item("Redo1")->shortcuts(),
                ::testing::ElementsAre(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                       QKeySequence(Qt::CTRL | Qt::Key_Y)));

    k2::Scenario& battle = context_->Battle();
    context_->History().Record("Battle Settings", [&] { battle.Hexes[25].PrimaryTerrain = 2; });
    EXPECT_EQ(Item("Undo1")->text(), "Undo Battle Settings");
    EXPECT_TRUE(window_->Lifecycle().BattleModified());
    Trigger("Undo1");
    EXPECT_NE(battle.Hexes[25].PrimaryTerrain, 2);
    EXPECT_FALSE(Item("Undo1")->isEnabled());
    EXPECT_EQ(Item("Redo1")->text(), "Redo Battle Settings");
    EXPECT_FALSE(window_->Lifecycle().BattleModified());
    Trigger("Redo1");
    EXPECT_EQ(battle.Hexes[25].PrimaryTerrain, 2);
    EXPECT_FALSE(Item("Redo1")->isEnabled());
}

} // namespace

namespace {

// The hex under a point of the map, as the view's hit test finds it.
int32_t HexAt(k2::TMainForm& window, QWidget* map, QPoint at) {
    k2::gui_input::MoveMouse(map, at);
    return window.View().PointerHex();
}

TEST_F(MainWindowTest, PaintingAStrokeFromThePickerAndUndoingIt) {
    Open(MakeBattle("paint.k2s", "Paint", 30, 20));
    Trigger("PlaceLv1Ter");
    auto* picker = window_->findChild<QDialog*>("TSelectTer");
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->isVisible());
    EXPECT_EQ(Label("InfLbl"), "Select Hex to Place Primary Terrain.");

    // Marsh, from the picker's list.
    auto* list = picker->findChild<QListWidget*>("TerList");
    const QList<QListWidgetItem*> marsh = list->findItems("Marsh", Qt::MatchExactly);
    ASSERT_EQ(marsh.size(), 1);
    k2::gui_input::Click(list->viewport(), list->visualItemRect(marsh[0]).center());
    ASSERT_EQ(context_->Edit().SelectedBaseTerrain, 76);

    auto* map = Control<k2::MapImage>("MapWin");
    const std::vector<QPoint> points = {{90, 90}, {130, 95}, {170, 100}, {210, 105}};
    std::vector<int32_t> hexes;
    for (QPoint p : points)
        hexes.push_back(HexAt(*window_, map, p));
    const QImage before = map->Picture().copy();
    // The press acts on the hex of the last recorded pointer position.
    k2::gui_input::MoveMouse(map, points.front());
    k2::gui_input::Drag(map, points.front(), {points[1], points[2]}, points.back());
    QApplication::processEvents();

    const k2::Scenario& battle = context_->Battle();
    for (int32_t hex : hexes)
        EXPECT_EQ(battle.Hexes[std::size_t(hex)].PrimaryTerrain, 76) << hex;
    EXPECT_EQ(context_->History().StepCount(), 1u);
    EXPECT_EQ(Item("Undo1")->text(), "Undo Place Primary Terrain");
    EXPECT_NE(map->Picture(), before);
    // The hex under the pointer is outlined over the picture, never in it.
    EXPECT_FALSE(map->Outline().isEmpty());

    window_->activateWindow();
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
    for (int32_t hex : hexes)
        EXPECT_NE(battle.Hexes[std::size_t(hex)].PrimaryTerrain, 76) << hex;
    EXPECT_EQ(map->Picture(), before);
    EXPECT_EQ(Item("Redo1")->text(), "Redo Place Primary Terrain");
}

} // namespace

namespace {

// Each mode that opens a dialog opens it on the clicked hex; the session is one undoable step.
TEST_F(MainWindowTest, DialogModesOpenTheirDialogOnTheClickedHex) {
    Open(MakeBattle("dialogs.k2s", "Dialogs", 30, 20));
    auto* map = Control<k2::MapImage>("MapWin");
    const QPoint at(120, 100);
    const int32_t hex = HexAt(*window_, map, at);
    ASSERT_FALSE(context_->Battle().IsBorderHex(hex));
    const struct {
        const char* command;
        const char* dialog;
    } cases[] = {
        {"AddModifyUnit1", "TAddUnit"},
        {"MM_Structures", "TAddBase"},
        {"AddModifyObjective1", "TAddVHex"},
        {"MapText", "TAddLocation"},
    };
    for (const auto& c : cases) {
        Trigger(c.command);
        QString opened;
        int32_t currentHex = -1;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            opened = dialog->objectName();
            currentHex = context_->Edit().CurrentHex;
            dialog->close();
        });
        k2::gui_input::Click(map, at);
        QApplication::processEvents();
        EXPECT_EQ(opened, c.dialog) << c.command;
        EXPECT_EQ(currentHex, hex) << c.command;
    }
    // Opening the unit editor marks the battle modified, as it always has.
    EXPECT_TRUE(window_->Lifecycle().BattleModified());
    EXPECT_FALSE(Item("PasteUnit1")->isEnabled());
}

} // namespace

namespace {

// F7 lists the findings in the check panel; activating one takes the map to its hex and marks it.
TEST_F(MainWindowTest, CheckBattleListsFindingsAndShowsTheirHex) {
    auto* dock = Control<QDockWidget>("CheckDock");
    ASSERT_NE(dock, nullptr);
    EXPECT_FALSE(dock->isVisible());
    EXPECT_FALSE(Item("CheckBattle1")->isEnabled());
    EXPECT_EQ(Item("CheckBattle1")->shortcut(), QKeySequence(Qt::Key_F7));

    Open(MakeBattle("check.k2s", "Check", 80, 70));
    k2::Scenario& battle = context_->Battle();
    const int32_t hex = 60 * battle.Cols + 70; // far from the view's origin
    context_->History().Record("Set/Modify Terrain Objective", [&] {
        battle.ObjectiveCount = 1;
        battle.Objectives[1].Hex = hex;
        battle.Objectives[1].VictoryPoints = 0;
        battle.Hexes[size_t(hex)].Objective = 1;
    });
    Trigger("CheckBattle1");
    EXPECT_TRUE(dock->isVisible());
    auto* list = Control<QTableWidget>("CheckFindings");
    ASSERT_NE(list, nullptr);
    int row = -1;
    for (int r = 0; r < list->rowCount(); ++r)
        if (list->item(r, 1)->text().contains("worth 0") || list->item(r, 1)->text().contains("0 points"))
            row = r;
    ASSERT_GE(row, 0) << "no finding for the objective";
    EXPECT_THAT(Label("CheckSummary").toStdString(),
                ::testing::HasSubstr("error")); // no units on either side

    const int32_t originBefore = battle.ViewOriginHex;
    emit window_->CheckFindings().FindingActivated(hex);
    QApplication::processEvents();
    EXPECT_NE(battle.ViewOriginHex, originBefore);
    EXPECT_EQ(window_->View().MarkedHex(), hex);
    // The hex is now inside the view: the hover test finds it under its outline's centre.
    const QPolygon outline = Control<k2::MapImage>("MapWin")->Outline();
    ASSERT_FALSE(outline.isEmpty());
    EXPECT_EQ(HexAt(*window_, Control<k2::MapImage>("MapWin"), outline.boundingRect().center()), hex);
}

// The overview is hidden at first; its Preferences item shows it, and the next run remembers.
TEST_F(MainWindowTest, OverviewToggleIsRemembered) {
    QSettings().remove(k2::TMainForm::OverviewSetting);
    window_.reset();
    window_ = std::make_unique<k2::TMainForm>(*context_);
    window_->show();
    QApplication::processEvents();
    auto* dock = Control<QDockWidget>("OverviewDock");
    ASSERT_NE(dock, nullptr);
    EXPECT_FALSE(dock->isVisible());
    QAction* toggle = Item("OverviewDisplay1");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->text(), "Overview");
    toggle->trigger();
    EXPECT_TRUE(dock->isVisible());

    // Closed the way Exit closes it: the docks go down with the window, the setting stays.
    window_->close();
    window_.reset();
    window_ = std::make_unique<k2::TMainForm>(*context_);
    window_->show();
    QApplication::processEvents();
    EXPECT_TRUE(Control<QDockWidget>("OverviewDock")->isVisible());
    Item("OverviewDisplay1")->trigger();
    EXPECT_FALSE(QSettings().value(k2::TMainForm::OverviewSetting).toBool());
}

// File > Export Map Image... writes the chosen area as a PNG of the size the renderer draws.
TEST_F(MainWindowTest, ExportMapImageWritesTheChosenArea) {
    Open(MakeBattle("export.k2s", "Export", 30, 20));
    const struct {
        const char* choice;
        QSize size;
    } cases[] = {
        {"WholeMapBtn", k2::WholeMapSize(context_->Battle(), context_->Symbols())},
        {"VisiblePartBtn", QSize(window_->View().Logic().ViewWidth(), window_->View().Logic().ViewHeight())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        const fs::path file = install_ / (std::string(c.choice) + ".png");
        chooser_->saveAnswers.push_back(file);
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), "TExportMap");
            dialog->findChild<QRadioButton*>(c.choice)->click();
            dialog->findChild<QPushButton*>("ExportOkBtn")->click();
        });
        Trigger("ExportMapImage1");
        const QImage written(QString::fromStdString(file.string()));
        EXPECT_EQ(written.size(), c.size);
        EXPECT_THAT(Label("InfLbl").toStdString(), ::testing::HasSubstr(file.filename().string()));
    }
    EXPECT_EQ(chooser_->saveRequests.back().title, "Export Map Image");
    EXPECT_FALSE(window_->Lifecycle().BattleModified());
}

} // namespace

namespace {

void FireTimer(QWidget& window, const char* name) {
    auto* timer = window.findChild<QTimer*>(name);
    ASSERT_NE(timer, nullptr) << name;
    ASSERT_TRUE(timer->isActive()) << name;
    timer->start(0);
    QApplication::processEvents();
}

// What the user sees of the battle's state: " *" while it differs from its file, a notice after
// a save or a refused click that gives way to the prompt again, and a check list that follows.
TEST_F(MainWindowTest, CaptionNoticesAndCheckPanelFollowTheEdits) {
    Open(MakeBattle("state.k2s", "State", 30, 20));
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2:State");
    Trigger("CheckBattle1");
    const QString firstCheck = Label("CheckSummary");

    Trigger("PlaceLv1Ter");
    const std::string prompt = Label("InfLbl").toStdString();
    window_->Commands().MapPressed(true, k2::MapButton::Left, 0); // a border hex
    window_->Dispatch().Release();
    EXPECT_EQ(Label("InfLbl"), "Border hexes cannot be changed.");
    FireTimer(*window_, "NoticeTimer");
    EXPECT_EQ(Label("InfLbl").toStdString(), prompt);

    // An edit that the check sees: a unit of no side on the map.
    k2::Scenario& battle = context_->Battle();
    context_->History().Record("Add/Modify Units", [&] {
        battle.UnitCount = 1;
        battle.Units[1].Hex = 5 * battle.Cols + 5;
        battle.Units[1].Side = 7;
        battle.Hexes[size_t(battle.Units[1].Hex)].Unit = 1;
    });
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2:State *");
    EXPECT_THAT(Label("CheckState").toStdString(), StartsWith("Checking"));
    FireTimer(*window_, "RecheckTimer");
    EXPECT_THAT(Label("CheckState").toStdString(), StartsWith("Up to date"));
    EXPECT_NE(Label("CheckSummary"), firstCheck);
    auto* list = Control<QTableWidget>("CheckFindings");
    bool hexShown = false;
    for (int r = 0; r < list->rowCount(); ++r)
        hexShown = hexShown || (list->item(r, 2) && list->item(r, 2)->text() == "55");
    EXPECT_TRUE(hexShown) << "the unit's hex, written as the hover line writes it";

    Trigger("SaveMapFile");
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2:State");
    EXPECT_EQ(Label("InfLbl"), "Battle saved.");
    FireTimer(*window_, "NoticeTimer");
    EXPECT_EQ(Label("InfLbl").toStdString(), prompt);
    Trigger("Undo1");
    EXPECT_EQ(window_->windowTitle(), "Tessary Keldmar 2:State *");
}

// The recovery copy holds the last step of a burst within the interval, even when the timer that
// writes it fires a little early.
TEST(RecoveryTimer, TheLastStepBeforeAQuietIntervalReachesTheCopy) {
    const fs::path root = fs::temp_directory_path() / ("k2_rtimer_" + std::to_string(std::random_device{}()));
    fs::create_directories(root);
    fs::copy(K2_STOCK_DIR, root / "install", fs::copy_options::recursive);
    auto now = std::chrono::system_clock::time_point(std::chrono::hours(490000));
    k2::PlatformSeams seams;
    seams.sounds = std::make_unique<SilentSounds>();
    seams.boxes = std::make_unique<Boxes>();
    seams.chooser = std::make_unique<Chooser>();
    seams.help = std::make_unique<Help>();
    seams.recoveryFolder = root / "recovery";
    seams.recoveryClock = [&now] { return now; };
    auto context = std::make_unique<k2::EditorContext>(root / "install", std::move(seams));
    auto window = std::make_unique<k2::TMainForm>(*context);
    window->show();
    ASSERT_TRUE(
        window->Lifecycle().LoadBattle((root / "install" / "scenarios" / "Border Skirmish.k2s").string()));
    now += std::chrono::minutes(2); // whatever the opening wrote is long past
    k2::Scenario& battle = context->Battle();
    const auto copyName = [&] {
        k2::Scenario read;
        EXPECT_TRUE(k2::ReadBattle(read, root / "recovery" / "recovery.k2s", {}).ok);
        return read.BattleName.Str();
    };
    const auto edit = [&](const char* name) {
        context->History().Record("Battle Settings", [&] { battle.BattleName = name; });
    };

    edit("Burst One");
    EXPECT_EQ(copyName(), "Burst One");
    now += std::chrono::seconds(10);
    edit("Burst Two"); // too soon: the timer takes it
    EXPECT_EQ(copyName(), "Burst One");
    auto* timer = window->findChild<QTimer*>("RecoveryTimer");
    ASSERT_NE(timer, nullptr);

    now += std::chrono::milliseconds(49950); // the timer fires 50 ms early
    FireTimer(*window, "RecoveryTimer");
    EXPECT_EQ(copyName(), "Burst One");
    ASSERT_TRUE(timer->isActive()) << "an early timer must wait again, not give up";
    // A dialog opened meanwhile: the copy takes the last completed step, not the half-made one.
    {
        k2::EditHistory::Step dialog(context->History(), "Battle Settings");
        battle.BattleName = "Half Made";
        now += std::chrono::milliseconds(60);
        FireTimer(*window, "RecoveryTimer");
        EXPECT_EQ(copyName(), "Burst Two");
        dialog.Rollback();
    }

    window.reset();
    context.reset();
    fs::remove_all(root);
}

// Exit ends every window the program opened, so that the program ends with it.
TEST(HelpWindowAtExit, ClosingTheMainWindowClosesTheHelp) {
    const fs::path root =
        fs::temp_directory_path() / ("k2_helpexit_" + std::to_string(std::random_device{}()));
    fs::copy(K2_STOCK_DIR, root, fs::copy_options::recursive);
    k2::PlatformSeams seams;
    seams.sounds = std::make_unique<SilentSounds>();
    seams.boxes = std::make_unique<Boxes>();
    seams.chooser = std::make_unique<Chooser>();
    seams.help = std::make_unique<k2::QtHelpViewer>(nullptr);
    auto context = std::make_unique<k2::EditorContext>(root, std::move(seams));
    auto window = std::make_unique<k2::TMainForm>(*context);
    window->setGeometry(20, 40, 300, 300);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    window->findChild<QAction*>("HelpIndex")->trigger();
    QWidget* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "HelpWindow" && w->isVisible()) help = w;
    ASSERT_NE(help, nullptr);
    // Not over the main window's menu bar (the test screen is too small to leave room beside it).
    const QWidget* menus = window->menuBar();
    EXPECT_GE(help->geometry().top(), menus->mapToGlobal(QPoint(0, menus->height())).y());

    window->findChild<QAction*>("Exit1")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    window.reset();
    context.reset();
    fs::remove_all(root);
}

// A modal dialog over the window leaves the overview's picture as it was.
TEST_F(MainWindowTest, OverviewKeepsItsPictureUnderAModalDialog) {
    Open(MakeBattle("modal.k2s", "Modal", 40, 30));
    auto* dock = Control<QDockWidget>("OverviewDock");
    if (dock->isHidden()) Item("OverviewDisplay1")->trigger();
    QApplication::processEvents();
    QWidget* panel = Control("Overview");
    const QImage before = panel->grab().toImage();
    const QPoint middle = before.rect().center();
    ASSERT_NE(before.pixelColor(middle), QColor(Qt::black)) << "the overview shows the map";
    QImage during;
    QTimer::singleShot(0, [&] {
        during = panel->grab().toImage();
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    Trigger("ExportMapImage1");
    ASSERT_FALSE(during.isNull()) << "the export dialog was not shown";
    EXPECT_EQ(during, before);
}

} // namespace

TEST_F(MainWindowTest, GenerateTerrainNeedsTheRoleTableOfTheBattlesTerrainSet) {
    QAction* generate = Item("GenerateTerrain1");
    ASSERT_NE(generate, nullptr);
    EXPECT_FALSE(generate->isEnabled()) << "no battle yet";
    Open(MakeBattle("stock.k2s", "Stock Set"));
    EXPECT_TRUE(generate->isEnabled());
    // The dialog's OK lays the map as one step.
    const k2::HexCell before = context_->Battle().Hexes[61];
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "TGenerateTerrain");
        dialog->findChild<QPushButton*>("OkBtn")->click();
    });
    Trigger("GenerateTerrain1");
    EXPECT_EQ(Item("Undo1")->text(), "Undo Generate Terrain");
    Trigger("Undo1");
    EXPECT_EQ(context_->Battle().Hexes[61], before);

    // The same battle on a copy of the stock terrain set that has no role table.
    const fs::path scenarios = install_ / "scenarios";
    for (const char* part : {".ter", ".sdx", "-t1.bmp", "-t2.bmp", "-t3.bmp"})
        fs::copy_file(scenarios / (std::string("K2T") + part), scenarios / (std::string("MOOR") + part));
    k2::Scenario moor;
    ASSERT_TRUE(k2::ReadBattle(moor, scenarios / "stock.k2s", install_ / "sysdefs" / "K2Ter.Def").ok);
    moor.TerrainSetName = "MOOR";
    ASSERT_TRUE(k2::WriteBattle(moor, scenarios / "moor.k2s", context_->Symbols().TerrainCount()).ok);
    Open((scenarios / "moor.k2s").string());
    EXPECT_EQ(context_->Battle().TerrainSetName.Str(), "MOOR");
    EXPECT_FALSE(generate->isEnabled());
    EXPECT_EQ(generate->toolTip(), "The terrain set MOOR has no role table (MOOR.roles).");
    EXPECT_TRUE(qobject_cast<QMenu*>(generate->parent())->toolTipsVisible());
}
