// The structures, objective, objective status and map trimmer dialogs driven through their
// controls by objectName, offscreen.
#include "common/gui_input.h"
#include "common/redraw_recorder.h"
#include "edit/dialogs/map_text_dialog.h"
#include "edit/dialogs/map_trimmer_dialog.h"
#include "edit/dialogs/marker_dialog.h"
#include "edit/dialogs/objective_dialogs.h"
#include "edit/dialogs/structure_dialog.h"
#include "map_work_fixture.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// A dialog's frame is known only once it shows: its centre may differ by the frame's width.
constexpr int CentreSlack = 4;

using namespace k2;
using namespace k2test::mapwork;
namespace gui = k2::gui_input;

template <typename T> T* Child(QWidget* dialog, const char* name) {
    T* widget = dialog->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QToolButton* Arrow(QWidget* dialog, const char* pair, const char* side) {
    QWidget* box = Child<QWidget>(dialog, pair);
    return box ? box->findChild<QToolButton*>(side) : nullptr;
}

// True when the picture holds more than one colour (a symbol was drawn, not an empty square).
bool HasDrawing(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first) return true;
    return false;
}

TEST(TAddBaseDialog, AddPickASymbolStepTheValuesAndExit) {
    auto battle = MakeBattle(20, 20);
    Scenario& s = *battle;
    AddUnit(s, 6, 6, "Pikes", SideEastern);
    EditState edit;
    TAddBase dialog(s, StockSymbols(), edit);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.Prepare(s.HexIndex(6, 6));
    dialog.show();

    auto* add = Child<QPushButton>(&dialog, "AddBtn");
    auto* remove = Child<QPushButton>(&dialog, "RemBtn");
    auto* western = Child<QRadioButton>(&dialog, "ASideBtn");
    auto* eastern = Child<QRadioButton>(&dialog, "BSideBtn");
    ASSERT_TRUE(add && remove && western && eastern);
    EXPECT_EQ(western->text(), "Red Host");
    EXPECT_EQ(eastern->text(), "Blue Host");
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(Child<QGroupBox>(&dialog, "StatsBox")->isEnabled());
    SaveShot(&dialog, "TAddBase-empty-hex");

    gui::Click(add);
    EXPECT_FALSE(add->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_TRUE(Child<QGroupBox>(&dialog, "StatsBox")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(&dialog, "SymName")->text(), "New Structure");
    EXPECT_TRUE(eastern->isChecked()) << "the unit on the hex is Eastern";
    EXPECT_FALSE(western->isEnabled());

    auto* list = Child<QListWidget>(&dialog, "TerList");
    ASSERT_GE(list->count(), 3);
    QListWidgetItem* item = list->item(2);
    gui::Click(list->viewport(), list->visualItemRect(item).center());
    EXPECT_EQ(Child<QLabel>(&dialog, "SymNamPan")->text(), item->text());
    EXPECT_TRUE(HasDrawing(Child<QLabel>(&dialog, "Image1")->pixmap()));

    gui::Click(Arrow(&dialog, "DefUD", "Right"));
    gui::Click(Arrow(&dialog, "DefUD", "Right"));
    gui::Click(Arrow(&dialog, "RSplUD", "Left"));
    gui::Click(Arrow(&dialog, "RSplUD", "Left")); // stops at 0
    gui::Click(Arrow(&dialog, "ElvUD", "Right"));
    EXPECT_EQ(Child<QLabel>(&dialog, "DefLbl")->text(), "Defensive Mod: 2");
    EXPECT_EQ(Child<QLabel>(&dialog, "RSplLbl")->text(), "Supply Level: 0");
    EXPECT_EQ(Child<QLabel>(&dialog, "ElvLbl")->text(), "Height: 2");

    auto* name = Child<QLineEdit>(&dialog, "SymName");
    name->selectAll();
    gui::Type(name, "Mill");
    SaveShot(&dialog, "TAddBase");
    gui::Click(Child<QPushButton>(&dialog, "Exit"));

    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), StructureResultRedraw);
    EXPECT_TRUE(dialog.Logic().MarkModified());
    ASSERT_EQ(s.StructureCount, 1);
    const StructureRecord& made = s.Structures[1];
    EXPECT_EQ(made.Name, "Mill");
    EXPECT_EQ(made.Side, SideEastern);
    EXPECT_EQ(made.Symbol, dialog.Logic().Rows().at(2).Terrain);
    EXPECT_EQ(made.DefenseMod * 100 + made.SupplyLevel * 10 + made.Height, 202);
}

// The colour of a list's empty area right of row 1's text, as the list draws it.
QRgb ListBackground(QListWidget* list) {
    const QRect row = list->visualItemRect(list->item(1));
    const QPoint inList = list->viewport()->mapTo(list, QPoint(row.right() - 3, row.center().y()));
    return list->grab().toImage().pixel(inList);
}

TEST(TAddBaseDialog, TheSymbolListLooksDisabledUntilThereIsAStructure) {
    auto battle = MakeBattle(20, 20);
    EditState edit;
    TAddBase dialog(*battle, StockSymbols(), edit);
    dialog.Prepare(battle->HexIndex(4, 4));
    dialog.show();
    auto* list = Child<QListWidget>(&dialog, "TerList");
    ASSERT_TRUE(list && list->count() >= 2);

    EXPECT_FALSE(list->isEnabled());
    const QRgb idle = ListBackground(list);
    gui::Click(Child<QPushButton>(&dialog, "AddBtn"));
    EXPECT_TRUE(list->isEnabled());
    const QRgb live = ListBackground(list);
    EXPECT_NE(idle, live) << "a list that ignores clicks is drawn like a live one";
    dialog.hide();
}

TEST(EditDialogs, EachOpensWithinTheScreenCentredOnTheMainWindow) {
    auto battle = MakeBattle(20, 20);
    Scenario& s = *battle;
    AddObjective(s, 5, 5, "Ford");
    EditState edit;
    EditHistory history(s);
    SoundRecorder sounds;
    BoxRecorder boxes;
    const int32_t hex = s.HexIndex(5, 5);
    QWidget main;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    main.setGeometry(area.adjusted(60, 20, -20, -60));
    main.show();

    struct Case {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> open; // made on `main` and prepared
    };
    const std::vector<Case> cases = {
        {"TAddBase",
         [&] {
             auto d = std::make_unique<TAddBase>(s, StockSymbols(), edit, &main);
             d->Prepare(hex);
             return std::unique_ptr<QDialog>(std::move(d));
         }},
        {"TAddVHex",
         [&] {
             auto d = std::make_unique<TAddVHex>(s, edit, &main);
             d->Prepare(hex);
             return std::unique_ptr<QDialog>(std::move(d));
         }},
        {"TVicHexes",
         [&] {
             auto d = std::make_unique<TVicHexes>(s, sounds, &main);
             d->Prepare();
             return std::unique_ptr<QDialog>(std::move(d));
         }},
        {"TMapInfo",
         [&] {
             auto d = std::make_unique<TMapInfo>(s, history, sounds, boxes, &main);
             d->Prepare();
             return std::unique_ptr<QDialog>(std::move(d));
         }},
        {"TAddLocation",
         [&] {
             auto d = std::make_unique<TAddLocation>(s, edit, history, StockSymbols(), sounds, boxes, &main);
             d->Prepare(hex);
             return std::unique_ptr<QDialog>(std::move(d));
         }},
        {"TSelectHxMrk",
         [&] {
             auto d = std::make_unique<TSelectHxMrk>(s, StockSymbols(), history, &main);
             d->Prepare();
             return std::unique_ptr<QDialog>(std::move(d));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QDialog> dialog = c.open();
        dialog->show();
        const QRect frame = dialog->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << frame.width() << "x" << frame.height();
        EXPECT_LE(std::abs(frame.center().x() - main.frameGeometry().center().x()), CentreSlack);
        EXPECT_LE(std::abs(frame.center().y() - main.frameGeometry().center().y()), CentreSlack);
        dialog->hide();
    }
}

TEST(TAddVHexDialog, AddNameValueAndExit) {
    auto battle = MakeBattle(20, 20);
    Scenario& s = *battle;
    EditState edit;
    TAddVHex dialog(s, edit);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.Prepare(s.HexIndex(8, 3));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Victory Objectives");
    auto* box = Child<QGroupBox>(&dialog, "SymBox");
    auto* points = Child<QLabel>(&dialog, "VptLbl");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(points->text(), "Victory Points: 0");
    EXPECT_FALSE(Child<QPushButton>(&dialog, "RemBtn")->isEnabled());

    gui::Click(Child<QPushButton>(&dialog, "AddBtn"));
    EXPECT_TRUE(box->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(&dialog, "AddBtn")->isEnabled());
    EXPECT_EQ(points->text(), "Victory Points: 50");
    EXPECT_EQ(Child<QLineEdit>(&dialog, "SymName")->text(), "");
    ASSERT_EQ(s.ObjectiveCount, 1);
    EXPECT_EQ(s.Objectives[1].Name, "Land Objective");

    gui::Type(Child<QLineEdit>(&dialog, "SymName"), "Bridge");
    EXPECT_EQ(s.Objectives[1].Name, "Bridge");
    gui::Click(Arrow(&dialog, "VpUD", "Right"));
    EXPECT_EQ(points->text(), "Victory Points: 51");
    EXPECT_EQ(s.Objectives[1].VictoryPoints, 51);
    SaveShot(&dialog, "TAddVHex");
    gui::Click(Child<QPushButton>(&dialog, "Exit"));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), ObjectiveResultRedraw);

    // Opened again on that hex: filling the box does not rename; Remove takes it out.
    dialog.Prepare(s.HexIndex(8, 3));
    EXPECT_EQ(Child<QLineEdit>(&dialog, "SymName")->text(), "Bridge");
    gui::Click(Child<QPushButton>(&dialog, "RemBtn"));
    EXPECT_EQ(s.ObjectiveCount, 0);
}

TEST(TVicHexesDialog, ListsEveryObjectiveAndAcceptsWithTheAcceptSound) {
    auto battle = MakeBattle(20, 20);
    Scenario& s = *battle;
    AddObjective(s, 4, 17, "Hill");
    AddObjective(s, 12, 3, "Ford");
    AddUnit(s, 12, 3, "Lancers", SideEastern);
    SoundRecorder sounds;
    TVicHexes dialog(s, sounds);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.Prepare();
    dialog.show();
    auto* grid = Child<QTableWidget>(&dialog, "OBGrd");
    ASSERT_EQ(grid->columnCount(), 4);
    ASSERT_EQ(grid->rowCount(), 2);
    const QStringList headers = {"Objective", "Owner", "Value", "Hex"};
    const int widths[] = {115, 115, 50, 50};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), headers[c]);
        EXPECT_EQ(grid->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(grid->item(0, 3)->text(), "417");
    EXPECT_EQ(grid->item(1, 1)->text(), "Blue Host");
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), 0);
    SaveShot(&dialog, "TVicHexes");
    gui::Click(Child<QPushButton>(&dialog, "Button1"));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), StatusResultOk);
    EXPECT_EQ(sounds.played, std::vector<int>{SoundAccept});
}

TEST(TMapInfoDialog, EachPressIsOneStepWithItsSoundRedrawAndCounts) {
    auto battle = MakeBattle(20, 20);
    Scenario& s = *battle;
    AddUnit(s, 18, 4, "On the new edge");
    AddUnit(s, 5, 5, "Inside");
    AddStructure(s, 5, 5, "Keep");
    AddObjective(s, 18, 6, "Ford");
    AddMapText(s, 19, 9, "Cut away");
    AddMapText(s, 3, 3, "Stays");
    EditHistory history(s);
    SoundRecorder sounds;
    BoxRecorder boxes;
    k2::test::RedrawRecorder redraw;
    history.AddListener(&redraw);
    TMapInfo dialog(s, history, sounds, boxes);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.Prepare();
    dialog.show();
    const auto label = [&](const char* name) { return Child<QLabel>(&dialog, name)->text(); };
    EXPECT_EQ(label("Label1"), "Total Hexes: 400");
    EXPECT_EQ(label("Label4"), "Max Rows: 20");
    EXPECT_EQ(label("Label5"), "Max Cols: 20");
    EXPECT_EQ(label("Label6"), "Total Units: 2");
    EXPECT_EQ(label("Label3"), "Structures: 1");
    EXPECT_EQ(label("Label8"), "Objectives: 1");
    EXPECT_EQ(label("Label7"), "Map Text Entries: 2");
    SaveShot(&dialog, "TMapInfo");

    gui::Click(Child<QPushButton>(&dialog, "XBR"));
    EXPECT_EQ(label("Label1"), "Total Hexes: 380");
    EXPECT_EQ(label("Label4"), "Max Rows: 19");
    EXPECT_EQ(label("Label6"), "Total Units: 1");
    EXPECT_EQ(label("Label8"), "Objectives: 0");
    EXPECT_EQ(label("Label7"), "Map Text Entries: 1");
    EXPECT_EQ(sounds.played, std::vector<int>{SoundAccept});
    EXPECT_EQ(redraw.resizes, 1);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Trim Map");

    gui::Click(Child<QPushButton>(&dialog, "GLC"));
    EXPECT_EQ(label("Label5"), "Max Cols: 22");
    EXPECT_EQ(history.StepCount(), 2u);
    EXPECT_EQ(history.UndoName(), "Grow Map");
    EXPECT_EQ(redraw.resizes, 2);

    gui::Click(Child<QPushButton>(&dialog, "XLC"));
    EXPECT_EQ(label("Label5"), "Max Cols: 20");
    EXPECT_EQ(s.Units[1].Name, "Inside");
    EXPECT_EQ(s.Units[1].Hex, s.HexIndex(5, 5));
    EXPECT_TRUE(boxes.plain.empty());
    EXPECT_EQ(Inconsistency(s), "");
    gui::Click(Child<QPushButton>(&dialog, "Button1"));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), MapInfoResultExit);
}

TEST(TMapInfoDialog, ARefusedPressSoundsRefusalShowsWhyAndRecordsNothing) {
    auto battle = MakeBattle(10, 10);
    Scenario& s = *battle;
    const Scenario start = s;
    EditHistory history(s);
    SoundRecorder sounds;
    BoxRecorder boxes;
    k2::test::RedrawRecorder redraw;
    history.AddListener(&redraw);
    TMapInfo dialog(s, history, sounds, boxes);
    dialog.Prepare();
    dialog.show();
    gui::Click(Child<QPushButton>(&dialog, "XTR"));
    EXPECT_EQ(sounds.played, std::vector<int>{SoundRefuse});
    ASSERT_EQ(boxes.plain.size(), 1u);
    EXPECT_EQ(boxes.plain[0], "Map Trimmer: The map cannot have fewer than 10 rows.");
    EXPECT_EQ(redraw.resizes, 0);
    EXPECT_EQ(history.StepCount(), 0u);
    EXPECT_TRUE(s == start);
    EXPECT_EQ(Child<QLabel>(&dialog, "Label4")->text(), "Max Rows: 10");
}

} // namespace
