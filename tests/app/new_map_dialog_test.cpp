// The battle settings dialog on screen: clicking its arrows and buttons by name, typing in its
// fields, and reading what the user sees; and the wrapping of the description memo.
#include "app/new_map_dialog.h"
#include "common/gui_fixture.h"
#include "common/gui_input.h"
#include "common/recorders.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <gmock/gmock.h>

#include <memory>

namespace k2 {
namespace {

void WriteIcon(const std::filesystem::path& file, QColor colour) {
    std::filesystem::create_directories(file.parent_path());
    QImage icon(120, 120, QImage::Format_RGB16);
    icon.fill(colour);
    ASSERT_TRUE(icon.save(QString::fromStdString(file.string()), "BMP"));
}

class NewMapDialogTest : public test::GuiTest {
  protected:
    QTemporaryDir dir;
    std::filesystem::path install{dir.path().toStdString()};
    Scenario scenario;
    test::MessageBoxRecorder boxes;
    test::ScriptedFileChooser chooser;
    TNewMap dialog{scenario, install, boxes, chooser};

    void SetUp() override { WriteIcon(install / "scenarios" / "icons" / "sword.bmp", QColor(200, 30, 30)); }
    void TearDown() override { dialog.hide(); }

    QWidget* Root() override { return &dialog; }
    void Open(NewMapMode mode) {
        dialog.Prepare(mode);
        dialog.show();
    }
};

TEST_F(NewMapDialogTest, FirstNewBattleShowsTheProposals) {
    Open(NewMapMode::NewBattle);
    EXPECT_EQ(Label("TitleLbl"), "Create Battle");
    EXPECT_EQ(Label("MpRw"), "Rows: 20");
    EXPECT_EQ(Label("MpCl"), "Cols: 40");
    EXPECT_EQ(Label("TotHex"), "Total Hexes: 800");
    EXPECT_EQ(Label("GameTurns"), "Max Turns: 30");
    EXPECT_EQ(Label("WBPLbl"), "Western: 30");
    EXPECT_EQ(Label("EBPLbl"), "Eastern: 30");
    EXPECT_EQ(Label("USetLbl"), "K2U");
    EXPECT_EQ(Label("IconLbl"), "sword");
    EXPECT_EQ(Get<QLineEdit>("SNam")->text(), "New Battle");
    EXPECT_EQ(Get<QLineEdit>("SideA")->text(), "Western Forces");
    EXPECT_EQ(Get<QLineEdit>("SideB")->text(), "Eastern Forces");
    EXPECT_EQ(Get<QLineEdit>("SNam")->maxLength(), 20);
    EXPECT_TRUE(Get<QRadioButton>("WstIni")->isChecked());
    EXPECT_TRUE(Get<QAbstractButton>("WstRplBtn")->isChecked());
    EXPECT_TRUE(Get<QAbstractButton>("EstRplBtn")->isChecked());
    EXPECT_EQ(Get<QTextEdit>("History")->toPlainText(), "History");
    EXPECT_EQ(Get<QPushButton>("Button3")->text(), "Select Unit Set");
    EXPECT_EQ(Get<QPushButton>("Button2")->text(), "Select Icon");

    QStringList weather;
    QString checked;
    for (QRadioButton* radio : Get<QGroupBox>("WthrGrp")->findChildren<QRadioButton*>()) {
        weather << radio->text();
        if (radio->isChecked()) checked = radio->text();
    }
    EXPECT_EQ(weather, QStringList({"Clear   ", "Rain    ", "Hvy Rain", "Fog     ", "Snow    ", "Hvy Snow"}));
    EXPECT_EQ(checked, "Clear   ");

    EXPECT_TRUE(Get<QGroupBox>("MapSizeGrp")->isEnabled());
    EXPECT_TRUE(CaptionHas("MapSizeGrp", QColor(0xDD, 0xC5, 0x1C)));
    EXPECT_TRUE(CaptionHas("USetGrp", QColor(0xDD, 0xC5, 0x1C)));
}

TEST_F(NewMapDialogTest, ArrowClicksChangeTheLabelsWithinTheRange) {
    Open(NewMapMode::NewBattle);
    gui_input::Click(Arrow("RowUpDn", "Up"));
    EXPECT_EQ(Label("MpRw"), "Rows: 21");
    EXPECT_EQ(Label("TotHex"), "Total Hexes: 840");
    gui_input::Click(Arrow("ColUpDn", "Down"));
    EXPECT_EQ(Label("MpCl"), "Cols: 39");
    EXPECT_EQ(Label("TotHex"), "Total Hexes: 819");
    for (int i = 0; i < 140; ++i)
        gui_input::Click(Arrow("RowUpDn", "Up"));
    EXPECT_EQ(Label("MpRw"), "Rows: 150");
    gui_input::Click(Arrow("TrnUpDn", "Down"));
    EXPECT_EQ(Label("GameTurns"), "Max Turns: 29");
    gui_input::Click(Arrow("WBPUD", "Up"));
    gui_input::Click(Arrow("EBPUD", "Down"));
    EXPECT_EQ(Label("WBPLbl"), "Western: 31");
    EXPECT_EQ(Label("EBPLbl"), "Eastern: 29");
}

TEST_F(NewMapDialogTest, TypedNamesAndChoicesReachTheBattleOnOk) {
    Open(NewMapMode::NewBattle);
    QLineEdit* name = Get<QLineEdit>("SNam");
    name->clear();
    gui_input::Type(name, "Agincourt");
    gui_input::Click(Get<QRadioButton>("EstIni"));
    gui_input::Click(Get<QRadioButton>("Weather3"));
    gui_input::Click(Get<QAbstractButton>("EstRplBtn"));
    gui_input::Click(Get<QPushButton>("OK"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), NewMapResultOk);
    EXPECT_EQ(scenario.BattleName, "Agincourt");
    EXPECT_EQ(scenario.StartInitiative, 2);
    EXPECT_EQ(scenario.Weather, 3);
    EXPECT_EQ(scenario.EasternLeaderReplacement, 0);
    EXPECT_EQ(scenario.WesternLeaderReplacement, 1);
    EXPECT_EQ(scenario.Rows, 20);
    EXPECT_EQ(scenario.Description[0], "History");
}

// The refused OK has written the new size into the open battle; Cancel, by button or by Escape,
// puts the battle back as it was.
TEST_F(NewMapDialogTest, EmptyNameKeepsTheDialogOpenAndCancelPutsTheBattleBack) {
    scenario.Rows = 30;
    scenario.Cols = 50;
    scenario.HexCount = 1500;
    scenario.BattleName = "Crecy";
    const auto before = std::make_unique<Scenario>(scenario);
    for (const bool byEscape : {false, true}) {
        Open(NewMapMode::NewBattle);
        gui_input::Click(Arrow("RowUpDn", "Up"));
        Get<QLineEdit>("SNam")->clear();
        gui_input::Click(Get<QPushButton>("OK"));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(scenario.Rows, byEscape ? 22 : 21); // the dialog keeps its size between uses
        if (byEscape)
            gui_input::PressKey(&dialog, Qt::Key_Escape);
        else
            gui_input::Click(Get<QPushButton>("Cancel"));
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), NewMapResultCancel);
        EXPECT_TRUE(scenario == *before) << (byEscape ? "Escape" : "Cancel");
    }
    EXPECT_THAT(boxes.AskedKinds(), ::testing::ElementsAre(10, 10));
}

TEST_F(NewMapDialogTest, StoredNamesLongerThanTheBoxesAreShownWholeAndKept) {
    const std::string battle(29, 'B'), western(49, 'W');
    scenario.BattleName = battle;
    scenario.WesternName = western;
    scenario.EasternName = "French";
    Open(NewMapMode::Settings);
    EXPECT_EQ(Get<QLineEdit>("SNam")->text().toStdString(), battle);
    EXPECT_EQ(Get<QLineEdit>("SideA")->text().toStdString(), western);
    EXPECT_EQ(Get<QLineEdit>("SideB")->maxLength(), 20);
    gui_input::Click(Get<QPushButton>("OK"));
    ASSERT_EQ(dialog.result(), NewMapResultOk);
    EXPECT_EQ(scenario.BattleName, battle);
    EXPECT_EQ(scenario.WesternName, western);
    EXPECT_EQ(scenario.EasternName, "French");
    // A new battle has the usual boxes again.
    Open(NewMapMode::NewBattle);
    EXPECT_EQ(Get<QLineEdit>("SNam")->maxLength(), 20);
    EXPECT_EQ(Get<QLineEdit>("SideA")->maxLength(), 20);
}

TEST_F(NewMapDialogTest, SettingsModeGreysTheSizeAndSetGroups) {
    scenario.Rows = 30;
    scenario.Cols = 50;
    scenario.BattleName = "Crecy";
    scenario.WesternName = "English";
    scenario.EasternName = "French";
    scenario.Description[0] = "Rain all day.";
    scenario.Description[1] = "Mud.";
    Open(NewMapMode::Settings);
    EXPECT_EQ(Label("TitleLbl"), "Create Battle");
    EXPECT_EQ(Label("MpRw"), "Rows: 30");
    EXPECT_EQ(Label("TotHex"), "Total Hexes: 1500");
    EXPECT_FALSE(Get<QGroupBox>("MapSizeGrp")->isEnabled());
    EXPECT_FALSE(Get<QGroupBox>("USetGrp")->isEnabled());
    EXPECT_FALSE(Arrow("RowUpDn", "Up")->isEnabled());
    EXPECT_TRUE(CaptionHas("MapSizeGrp", QColor(0x80, 0x80, 0x80)));
    EXPECT_FALSE(CaptionHas("MapSizeGrp", QColor(0xDD, 0xC5, 0x1C)));
    EXPECT_TRUE(CaptionHas("WthrGrp", QColor(0xDD, 0xC5, 0x1C)));
    EXPECT_EQ(Get<QLineEdit>("SNam")->text(), "Crecy");
    EXPECT_EQ(Get<QTextEdit>("History")->toPlainText(), "Rain all day.\nMud.");
    gui_input::Click(Get<QPushButton>("OK"));
    EXPECT_EQ(scenario.Rows, 30);
    EXPECT_EQ(scenario.Description[1], "Mud.");
}

TEST_F(NewMapDialogTest, LongDescriptionIsStoredAsItsWrappedLines) {
    Open(NewMapMode::NewBattle);
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QString("word%1 ").arg(i);
    text = text.trimmed() + "\n\nEnd.";
    Get<QTextEdit>("History")->setPlainText(text);
    gui_input::Click(Get<QPushButton>("OK"));
    const QStringList expected = WrapMemoLines(text, HistoryFont(), HistoryWrapWidth);
    ASSERT_GT(expected.size(), 3);
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QString::fromStdString(scenario.Description[size_t(i)].Str()), expected[i]);
    EXPECT_TRUE(scenario.Description[size_t(expected.size())].Empty());

    // The lines stored are the lines the memo shows.
    QStringList shown;
    QTextDocument* document = Get<QTextEdit>("History")->document();
    document->documentLayout(); // lays the document out
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            shown << block.text()
                         .mid(block.layout()->lineAt(i).textStart(), block.layout()->lineAt(i).textLength())
                         .trimmed();
    EXPECT_EQ(shown, expected);
}

TEST(WrapMemoLinesTest, LinesFitTheWidthAndKeepEveryWord) {
    const QFont font = HistoryFont();
    QString paragraph;
    for (int i = 0; i < 60; ++i)
        paragraph += QString("archers%1 ").arg(i);
    const QStringList lines = WrapMemoLines(paragraph.trimmed() + "\n\nShort", font, 481);
    ASSERT_GE(lines.size(), 4);
    const QFontMetrics metrics(font);
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), 481) << line.toStdString();
    EXPECT_EQ(lines.back(), "Short");
    EXPECT_EQ(lines[lines.size() - 2], "");
    EXPECT_EQ(lines.mid(0, lines.size() - 2).join(' '), paragraph.trimmed());
    // A word wider than the memo is broken rather than lost.
    const QStringList broken = WrapMemoLines(QString(300, 'm'), font, 481);
    EXPECT_GT(broken.size(), 1);
    EXPECT_EQ(broken.join(""), QString(300, 'm'));
}

TEST_F(NewMapDialogTest, IconPreviewShowsTheIconOrAnEmptyFrame) {
    Open(NewMapMode::NewBattle);
    const QImage shown = Get<QLabel>("Image1")->pixmap().toImage();
    ASSERT_EQ(shown.size(), QSize(60, 60));
    EXPECT_GT(QColor(shown.pixel(30, 30)).red(), 180);
    EXPECT_LT(QColor(shown.pixel(30, 30)).blue(), 60);

    scenario.BattleIcon = "nothere";
    Open(NewMapMode::NewBattle);
    EXPECT_EQ(Label("IconLbl"), "nothere");
    const QImage empty = Get<QLabel>("Image1")->pixmap().toImage();
    EXPECT_EQ(empty.size(), QSize(60, 60));
    EXPECT_LT(QColor(empty.pixel(30, 30)).red(), 60);

    WriteIcon(install / "elsewhere" / "lion.bmp", QColor(20, 20, 220));
    chooser.openAnswers.push_back(install / "elsewhere" / "lion.bmp");
    gui_input::Click(Get<QPushButton>("Button2"));
    EXPECT_EQ(Label("IconLbl"), "lion");
    EXPECT_EQ(scenario.BattleIcon, "lion");
    EXPECT_GT(QColor(Get<QLabel>("Image1")->pixmap().toImage().pixel(30, 30)).blue(), 200);
}

TEST_F(NewMapDialogTest, UnitSetButtonShowsTheChosenSet) {
    Open(NewMapMode::NewBattle);
    chooser.openAnswers.push_back(install / "scenarios" / "NORSE.set");
    gui_input::Click(Get<QPushButton>("Button3"));
    EXPECT_EQ(Label("USetLbl"), "NORSE");
}

} // namespace
} // namespace k2
