// The map text dialog on screen, opened as the map opens it (a click in map text mode through
// the click dispatch) and driven by control names; and its sample, which must show the text
// exactly where and how the map shows it.
#include "common/gui_fixture.h"
#include "common/gui_input.h"
#include "common/redraw_recorder.h"
#include "edit/dialogs/map_text_dialog.h"
#include "edit/map_click_dispatch.h"
#include "edit/map_text_tool.h"
#include "marker_text_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <gmock/gmock.h>

#include <functional>

namespace k2 {
namespace {

using k2test_markers::RecordingBoxes;
using k2test_markers::RecordingSounds;
using k2test_markers::SaveScreenshot;
using k2test_markers::SmallBattle;
using k2test_markers::StockSymbols;

int CountPixels(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += QColor(image.pixel(x, y)).rgb() == colour.rgb();
    return n;
}

// The bounding box of the pixels of `colour`.
QRect InkBox(const QImage& image, QColor colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)).rgb() == colour.rgb()) box |= QRect(x, y, 1, 1);
    return box;
}

// The application's host in small: runs the real dialog modally, with `drive` acting on it
// once it is up.
class DialogHost : public MapTextDialogs {
  public:
    explicit DialogHost(TAddLocation& dialog) : dialog_(dialog) {}
    std::function<void()> drive;
    std::vector<k2::DialogResult> results;
    k2::DialogResult RunMapTextDialog() override {
        QTimer::singleShot(0, &dialog_, drive);
        results.push_back(dialog_.Run());
        return results.back();
    }

  private:
    TAddLocation& dialog_;
};

class MapTextDialogTest : public test::GuiTest {
  protected:
    std::unique_ptr<Scenario> battle = SmallBattle();
    EditState edit;
    EditHistory history{*battle};
    RecordingSounds sounds;
    RecordingBoxes boxes;
    k2::test::RedrawRecorder redraw;
    MapClickDispatch dispatch{edit, history, sounds};
    TAddLocation dialog{*battle, edit, history, StockSymbols(), sounds, boxes};
    DialogHost host{dialog};
    MapTextTool tool{edit, host};

    void SetUp() override {
        history.AddListener(&redraw);
        dispatch.Register(EditMode::MapText, tool);
        edit.Mode = EditMode::MapText;
    }
    void TearDown() override { dialog.hide(); }

    QWidget* Root() override { return &dialog; }
    QImage Sample() { return Get<QLabel>("TxtSample")->pixmap().toImage(); }
    // Moves a closed list to `index` with the keyboard, as a user would.
    void Choose(const char* combo, int index) {
        auto* box = Get<QComboBox>(combo);
        while (box->currentIndex() < index)
            gui_input::PressKey(box, Qt::Key_Down);
        while (box->currentIndex() > index)
            gui_input::PressKey(box, Qt::Key_Up);
    }
    QAbstractButton* Arrow(int level, const char* part) {
        return Get(QString("UpDown%1").arg(level).toLatin1().constData())->findChild<QAbstractButton*>(part);
    }
    int32_t PutEntry(int32_t hex, const char* text, const char* font) {
        const int32_t m = ++battle->MapTextCount;
        PlaceName& entry = battle->MapTexts[std::size_t(m)];
        entry.Hex = hex;
        entry.Text = text;
        entry.FontName = font;
        entry.Size = {9, 13, 18};
        entry.Style = 9;
        battle->Hexes[std::size_t(hex)].MapText = m;
        return m;
    }
};

TEST_F(MapTextDialogTest, AddingATextFromAMapClickIsOneStepThatUndoes) {
    const int32_t hex = battle->HexIndex(5, 5);
    const Scenario before = *battle;
    std::vector<std::string> seen;
    host.drive = [&] {
        // On an empty hex only Add is offered.
        EXPECT_FALSE(Get<QGroupBox>("TextGrp")->isEnabled());
        EXPECT_FALSE(Get<QGroupBox>("OriBox")->isEnabled());
        EXPECT_FALSE(Get<QPushButton>("RemveBtn")->isEnabled());
        SaveScreenshot(dialog, "TAddLocation-empty");
        Get<QPushButton>("NewBtn")->click();
        EXPECT_FALSE(Get<QPushButton>("NewBtn")->isEnabled());
        EXPECT_TRUE(Get<QPushButton>("RemveBtn")->isEnabled());
        EXPECT_TRUE(Get<QGroupBox>("SizeGrp")->isEnabled());
        EXPECT_EQ(Get<QLineEdit>("LocText")->text(), "Map Text");
        EXPECT_EQ(Get<QComboBox>("FntBox")->currentText(), "Galant");
        EXPECT_TRUE(Get<QRadioButton>("TPosLC")->isChecked());

        auto* text = Get<QLineEdit>("LocText");
        text->selectAll();
        gui_input::Type(text, "Kings Ford");
        EXPECT_FALSE(Get<QPushButton>("RemveBtn")->isEnabled()) << "an edited text cannot be removed";
        Choose("ClrBox", 9);
        Choose("FntBox", 3);
        gui_input::Click(Get("FSzePan3"), QPoint(4, 4));
        EXPECT_EQ(Get<QGroupBox>("OriBox")->title(), "Level 3 Orientation");
        Arrow(3, "Up")->click();
        EXPECT_EQ(Get<QLabel>("TSze3")->text(), "17");
        Get<QRadioButton>("TPosUR")->click();
        Get<QCheckBox>("TxtItl")->click();
        EXPECT_GT(CountPixels(Sample(), Qt::red), 40) << "the sample shows the text in its colour";
        SaveScreenshot(dialog, "TAddLocation");
        seen.push_back(Get<QLineEdit>("LocText")->text().toStdString());
        Get<QPushButton>("ExitBtn")->click();
    };

    dispatch.Press(true, MapButton::Left, hex);

    EXPECT_THAT(seen, ::testing::ElementsAre("Kings Ford"));
    EXPECT_THAT(host.results, ::testing::ElementsAre(k2::DialogResult::Ok));
    ASSERT_EQ(battle->MapTextCount, 1);
    const PlaceName& stored = battle->MapTexts[1];
    EXPECT_EQ(stored.Text, std::string_view("Kings Ford"));
    EXPECT_EQ(stored.FontName, std::string_view("Viking"));
    EXPECT_EQ(stored.Colour, 0x0000FFu);
    EXPECT_EQ(stored.Size, (std::array<uint8_t, 3>{8, 12, 17}));
    EXPECT_EQ(stored.Placement, (std::array<uint8_t, 3>{1, 1, 4}));
    EXPECT_EQ(stored.Style, 9 | 32);
    EXPECT_EQ(battle->Hexes[std::size_t(hex)].MapText, 1);
    EXPECT_EQ(redraw.fullRenders, 1);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Add/Modify Map Text");
    history.Undo();
    EXPECT_TRUE(*battle == before);
}

TEST_F(MapTextDialogTest, AnEntryOpensForEditingAndRemoveClosesWithTheMapRedrawn) {
    const int32_t first = battle->HexIndex(2, 2), hex = battle->HexIndex(6, 6), last = battle->HexIndex(8, 3);
    PutEntry(first, "Abbey", "Kelt");
    PutEntry(hex, "Old Road", "Papyrus");
    PutEntry(last, "Marsh", "Galant");
    history.Reset();
    host.drive = [&] {
        EXPECT_EQ(Get<QLineEdit>("LocText")->text(), "Old Road");
        EXPECT_EQ(Get<QComboBox>("FntBox")->currentText(), "Arial") << "an unknown face";
        EXPECT_FALSE(Get<QPushButton>("NewBtn")->isEnabled());
        EXPECT_TRUE(Get<QGroupBox>("FntGrp")->isEnabled());
        Get<QPushButton>("RemveBtn")->click();
    };
    dispatch.Press(true, MapButton::Left, hex);
    EXPECT_THAT(host.results, ::testing::ElementsAre(k2::DialogResult::Ok));
    EXPECT_EQ(battle->MapTextCount, 2);
    EXPECT_EQ(battle->Hexes[std::size_t(hex)].MapText, 0);
    EXPECT_EQ(battle->Hexes[std::size_t(last)].MapText, 2);
    EXPECT_EQ(battle->MapTexts[2].Text, std::string_view("Marsh"));
    EXPECT_EQ(history.StepCount(), 1u);
}

TEST_F(MapTextDialogTest, ClosingWithoutExitStoresNothing) {
    const int32_t hex = battle->HexIndex(6, 6);
    PutEntry(hex, "Old Road", "Arial");
    history.Reset();
    host.drive = [&] {
        auto* text = Get<QLineEdit>("LocText");
        text->selectAll();
        gui_input::Type(text, "New Road");
        gui_input::PressKey(&dialog, Qt::Key_Escape);
    };
    dispatch.Press(true, MapButton::Left, hex);
    EXPECT_THAT(host.results, ::testing::ElementsAre(k2::DialogResult::Cancel));
    EXPECT_EQ(battle->MapTexts[1].Text, std::string_view("Old Road"));
    EXPECT_FALSE(history.Modified());
    EXPECT_EQ(redraw.fullRenders, 0);
}

TEST_F(MapTextDialogTest, TheSampleShowsWhatTheMapShowsAtTheSelectedLevel) {
    const int32_t hex = battle->HexIndex(4, 4);
    PutEntry(hex, "Wood", "Galant");
    battle->MapTexts[1].Colour = 0x0000FF;
    battle->MapTexts[1].Size = {14, 14, 14};
    battle->MapTexts[1].Placement = {1, 1, 2};
    dialog.Prepare(hex);
    dialog.show();
    gui_input::Click(Get("FSzePan2"), QPoint(4, 4));
    const QRect below = InkBox(Sample(), Qt::red);
    gui_input::Click(Get("FSzePan3"), QPoint(4, 4));
    const QRect above = InkBox(Sample(), Qt::red);
    SaveScreenshot(dialog, "TAddLocation-entry");
    ASSERT_FALSE(below.isEmpty());
    ASSERT_FALSE(above.isEmpty());
    EXPECT_LT(above.bottom(), Sample().height() / 2) << "upper centre";
    EXPECT_GT(below.top(), Sample().height() / 2) << "lower centre";
    EXPECT_NEAR(below.center().x(), Sample().width() / 2, 6);

    // The faces are the installed ones the map uses, and they look different.
    PlaceName entry = battle->MapTexts[1];
    EXPECT_EQ(QFontInfo(MapTextFont(entry, 1)).family(), "Cardo");
    const QImage galant = MapTextSample(entry, 1, StockSymbols(), 0, 7, QSize(200, 100));
    entry.FontName = "Kelt";
    EXPECT_EQ(QFontInfo(MapTextFont(entry, 1)).family(), "Klaudia");
    EXPECT_NE(InkBox(MapTextSample(entry, 1, StockSymbols(), 0, 7, QSize(200, 100)), Qt::red),
              InkBox(galant, Qt::red));
    entry.Style = 9 | 16;
    EXPECT_TRUE(QFontInfo(MapTextFont(entry, 1)).bold());
}

} // namespace
} // namespace k2
