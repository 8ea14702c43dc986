// The unit editor on screen: adding, arming and promoting a unit through its controls found by
// name, the Reinforcements form with Remove, the caption colours, the symbol list and the
// information buttons, and a layout in which no text is cut off.
#include "common/gui_fixture.h"
#include "common/gui_input.h"
#include "forces/dialogs/unit_editor_dialog.h"
#include "forces/unit_editor_test_support.h"
#include "graphics/ansi_text.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

#include <gmock/gmock.h>

#include <cstdlib>

namespace k2 {
namespace {

// A dialog's frame is known only once it shows: its centre may differ by the frame's width.
constexpr int CentreSlack = 4;

constexpr int32_t Hex = 27;
const QColor Gold(221, 197, 28);
const QColor Grey(128, 128, 128);

class UnitEditorDialogTest : public test::GuiTest {
  protected:
    Scenario s = k2test::EditorBattle();
    EditState edit;
    EquipmentTables tables;
    k2test::RecordingSounds sounds;
    k2test::RecordingBoxes boxes;
    k2test::RecordingTables definitions;
    std::unique_ptr<TAddUnit> dialog;

    void SetUp() override {
        InstallFontSubstitutions();
        ASSERT_TRUE(LoadEquipment(tables, std::filesystem::path(K2_STOCK_DIR) / "sysdefs").ok);
        dialog =
            std::make_unique<TAddUnit>(s, edit, tables, k2test::StockSymbols(), sounds, boxes, definitions);
    }
    void TearDown() override { dialog->hide(); }

    void Open(EditMode mode, int32_t hex = Hex) {
        edit.Mode = mode;
        edit.CurrentHex = hex;
        dialog->Prepare(mode == EditMode::Reinforcements);
        dialog->show();
    }
    QWidget* Root() override { return dialog.get(); }
    // Picks the combo entry `text` with the keyboard, as a user stepping through the list would.
    void ChooseByKeys(const char* combo, const QString& text) {
        QComboBox* box = Get<QComboBox>(combo);
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << text.toStdString();
        while (box->currentIndex() < target)
            gui_input::PressKey(box, Qt::Key_Down);
        while (box->currentIndex() > target)
            gui_input::PressKey(box, Qt::Key_Up);
    }
};

TEST_F(UnitEditorDialogTest, AddArmPromoteAndExit) {
    Open(EditMode::Units);
    EXPECT_EQ(Label("FrmLbl"), "Units");
    EXPECT_EQ(Label("MenLbl"), "Men: --");
    EXPECT_EQ(Label("ActLbl"), "Activation Turn: --");
    EXPECT_FALSE(Get<QGroupBox>("StatsGroup")->isEnabled());
    EXPECT_TRUE(CaptionHas("StatsGroup", Grey));
    EXPECT_FALSE(CaptionHas("StatsGroup", Gold));
    EXPECT_TRUE(CaptionHas("CmbtBox", Grey));
    EXPECT_TRUE(Get<QPushButton>("AddBtn")->isEnabled());
    EXPECT_FALSE(Get<QPushButton>("RemBtn")->isEnabled());
    EXPECT_FALSE(Get<QRadioButton>("ASideBtn")->isChecked());
    EXPECT_EQ(Get<QRadioButton>("ASideBtn")->text(), "Western Forces");

    gui_input::Click(Get<QPushButton>("AddBtn"));
    ASSERT_EQ(s.UnitCount, 1);
    EXPECT_EQ(Label("MenLbl"), "Men: 25");
    EXPECT_EQ(Label("MorLbl"), "Morale: 80");
    EXPECT_TRUE(Get<QRadioButton>("ASideBtn")->isChecked());
    EXPECT_TRUE(Get<QRadioButton>("UType1")->isChecked());
    EXPECT_EQ(Get<QLineEdit>("SymName")->text(), "New Unit");
    EXPECT_TRUE(Get<QGroupBox>("StatsGroup")->isEnabled());
    EXPECT_TRUE(CaptionHas("StatsGroup", Gold));
    EXPECT_TRUE(CaptionHas("CmbtBox", Gold));
    EXPECT_FALSE(Get<QPushButton>("AddBtn")->isEnabled());
    EXPECT_FALSE(Get<QWidget>("AtrnUD")->isEnabled());

    QLineEdit* name = Get<QLineEdit>("SymName");
    name->selectAll();
    gui_input::Type(name, "Archers");
    gui_input::Click(Get<QRadioButton>("UType2"));
    EXPECT_EQ(Label("MvpLbl"), "Movement Points: 10");
    EXPECT_EQ(Label("VptLbl"), "Value: 5");
    gui_input::Click(Arrow("MenUD", "Up"));
    EXPECT_EQ(Label("MenLbl"), "Men: 26");

    EXPECT_FALSE(Get<QWidget>("AmmoUpDn")->isEnabled());
    ChooseByKeys("UnitMissle", "Longbow");
    EXPECT_EQ(Label("AmmoLbl"), "Missile Ammo: Hi");
    EXPECT_TRUE(Get<QWidget>("AmmoUpDn")->isEnabled());
    EXPECT_NE(Label("FStrLbl"), "Missile: 0");
    ChooseByKeys("UnitCombat", "Sword");
    ChooseByKeys("UnitRank", "Hero");
    EXPECT_EQ(Label("MorLbl"), "Morale: 120");

    EXPECT_FALSE(Get<QWidget>("RateUD")->isEnabled());
    QAbstractButton* leader = Get<QAbstractButton>("WingLdrBtn");
    gui_input::Click(leader, QPoint(8, leader->height() / 2)); // on its box
    EXPECT_TRUE(Get<QWidget>("RateUD")->isEnabled());
    EXPECT_EQ(Label("RngLbl"), "Range: 4");
    gui_input::Click(Arrow("RateUD", "Up"));
    EXPECT_EQ(Label("RateLbl"), "Rating: 1");
    EXPECT_EQ(Label("LedByLbl"), "Led by: Archers");

    gui_input::Click(Get<QPushButton>("ExitBtn"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 1);
    const UnitRecord& u = s.Units[1];
    EXPECT_EQ(u.Name, "Archers");
    EXPECT_EQ(u.UnitType, 2);
    EXPECT_EQ(u.Men, 26);
    EXPECT_EQ(tables.Missile(u.MissileWeapon).name, "Longbow");
    EXPECT_EQ(tables.Combat(u.CombatWeapon).name, "Sword");
    EXPECT_EQ(u.Class, 5);
    EXPECT_EQ(u.Morale, 120);
    EXPECT_EQ(u.MissileAmmo, 3);
    EXPECT_EQ(u.WingLeader, 1);
    EXPECT_EQ(u.CommandRating, 1);
    EXPECT_EQ(u.Hex, Hex);
    EXPECT_EQ(s.Hexes[Hex].Unit, 1);
}

TEST_F(UnitEditorDialogTest, AReinforcementHexOpensTheReinforcementsFormAndRemoveClosesIt) {
    UnitRecord late;
    late.Name = "Relief";
    late.ActivationTurn = 12;
    late.Side = SideEastern;
    late.Men = 30;
    k2test::AddUnit(s, Hex, late);
    s.Hexes[Hex].ReinforcementMarker = s.MarkerSymbols[MarkerEasternReinforcement];

    Open(EditMode::Units);
    EXPECT_EQ(Label("FrmLbl"), "Reinforcements");
    EXPECT_EQ(edit.Mode, EditMode::Reinforcements);
    EXPECT_TRUE(Get<QRadioButton>("BSideBtn")->isChecked());
    EXPECT_EQ(Label("ActLbl"), "Activation Turn: 12");
    gui_input::Click(Arrow("AtrnUD", "Down"));
    EXPECT_EQ(Label("ActLbl"), "Activation Turn: 11");
    EXPECT_TRUE(Get<QPushButton>("RemBtn")->isEnabled());

    gui_input::Click(Get<QPushButton>("RemBtn"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 1);
    EXPECT_EQ(s.UnitCount, 0);
    EXPECT_EQ(s.Hexes[Hex].Unit, 0);
    EXPECT_EQ(s.Hexes[Hex].ReinforcementMarker, 0);
}

TEST_F(UnitEditorDialogTest, SymbolListSideSwitchAndInformationButtons) {
    Open(EditMode::Units);
    gui_input::Click(Get<QPushButton>("AddBtn"));
    QListWidget* list = Get<QListWidget>("TerList");
    ASSERT_GE(list->count(), 2);
    const auto clickRow = [&](int row) {
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        gui_input::Click(list->viewport(), list->visualItemRect(item).center());
    };
    clickRow(1);
    const int32_t western = s.Units[1].Symbol;
    EXPECT_EQ(western % 2, 0);
    EXPECT_EQ(Label("SymNamPan"), list->item(1)->text());
    const QImage preview = Get<QLabel>("Image1")->pixmap().toImage();
    EXPECT_EQ(preview.size(), QSize(50, 50));
    EXPECT_NE(preview.pixel(25, 25), QColor(Qt::black).rgb()) << "the symbol is drawn";

    gui_input::Click(Get<QRadioButton>("BSideBtn"));
    EXPECT_EQ(s.Units[1].Side, 2);
    EXPECT_EQ(s.Units[1].Symbol, western);
    clickRow(1);
    EXPECT_EQ(s.Units[1].Symbol, western + 1);
    gui_input::Click(Get<QPushButton>("FacBtn"));
    EXPECT_EQ(s.Units[1].Symbol, western);

    for (const char* info : {"MslSts", "ComSts", "ArmSts", "ShlSts"})
        gui_input::Click(Get<QToolButton>(info));
    EXPECT_THAT(definitions.shown, ::testing::ElementsAre(1, 2, 3, 4));
    EXPECT_EQ(Get<QToolButton>("MslSts")->toolTip(), "Missle Weapon Information");
}

TEST_F(UnitEditorDialogTest, OpensWithinTheScreenCentredOnTheMainWindow) {
    QWidget main;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    main.setGeometry(area.adjusted(0, 40, -90, -10));
    main.show();
    TAddUnit onMain(s, edit, tables, k2test::StockSymbols(), sounds, boxes, definitions, &main);
    edit.Mode = EditMode::Units;
    edit.CurrentHex = Hex;
    onMain.Prepare(false);
    onMain.show();
    const QRect frame = onMain.frameGeometry();
    // A laptop's screen holds it; on a narrower test screen it keeps to the left edge.
    EXPECT_LE(frame.width(), 1366);
    EXPECT_LE(frame.height(), 768);
    if (frame.width() <= area.width())
        EXPECT_LE(std::abs(frame.center().x() - main.frameGeometry().center().x()), CentreSlack);
    else
        EXPECT_EQ(frame.left(), area.left());
    ASSERT_LE(frame.height(), area.height());
    EXPECT_LE(std::abs(frame.center().y() - main.frameGeometry().center().y()), CentreSlack);
    onMain.hide();
}

TEST_F(UnitEditorDialogTest, TypingAWingNameAddsTheWingOnExit) {
    Open(EditMode::Units);
    gui_input::Click(Get<QPushButton>("AddBtn"));
    QComboBox* wings = Get<QComboBox>("UnitGroup");
    EXPECT_EQ(wings->count(), 2);
    EXPECT_EQ(wings->currentText(), "Main");
    wings->lineEdit()->selectAll();
    gui_input::Type(wings->lineEdit(), "Vanguard");
    gui_input::Click(Get<QPushButton>("ExitBtn"));
    EXPECT_EQ(s.WingCount, 3);
    EXPECT_EQ(s.WingNames[2], "Vanguard");
    EXPECT_EQ(s.Units[1].Wing, 2);
}

// Long force names, unit and wing names and the widest values: every text fits its control.
// With K2_SCREENSHOT_DIR set the dialog is also saved there for a look.
TEST_F(UnitEditorDialogTest, NoTextIsCutOff) {
    s.WesternName = "The Western Alliance";
    s.EasternName = "Eastern Horde Ranks";
    s.WingNames[1] = "Left Wing Heavy Cavalry";
    UnitRecord u;
    u.Name = "Royal Guard Crossbows";
    u.ActivationTurn = 299;
    u.Men = 53;
    u.Morale = 125;
    u.MovementPoints = 12;
    u.MissileWeapon = 5;
    u.MissileAmmo = 4;
    u.Value = 25;
    u.WingLeader = 1;
    u.CommandRating = -5;
    u.CommandRange = 10;
    u.Wing = 1;
    u.Class = 4;
    u.UnitType = 3;
    u.SupplyLevel = 20;
    s.MaxTurns = 300;
    k2test::AddUnit(s, Hex, u);
    s.Hexes[Hex].ReinforcementMarker = s.MarkerSymbols[MarkerWesternReinforcement];
    Open(EditMode::Reinforcements);
    ASSERT_EQ(Label("ActLbl"), "Activation Turn: 299");

    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap()) continue;
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_LE(needed, label->contentsRect().width())
            << label->objectName().toStdString() << ": " << label->text().toStdString();
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty()) continue;
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->objectName().toStdString();
    }
    // Text boxes keep two pixels each side inside their frame; a list box also its arrow.
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        const int needed = edit->fontMetrics().horizontalAdvance(edit->text()) + 4;
        EXPECT_LE(needed, edit->contentsRect().width()) << edit->objectName().toStdString();
    }
    for (QComboBox* combo : dialog->findChildren<QComboBox*>()) {
        if (combo->isEditable()) continue;
        const int needed = combo->fontMetrics().horizontalAdvance(combo->currentText());
        EXPECT_LT(needed, combo->width() - 28) << combo->objectName().toStdString();
    }
    if (const QByteArray dir = qgetenv("K2_SCREENSHOT_DIR"); !dir.isEmpty()) {
        dialog->grab().save(QString::fromLocal8Bit(dir) + "/unit_editor.png");
        Open(EditMode::Units, 5);
        dialog->grab().save(QString::fromLocal8Bit(dir) + "/unit_editor_empty.png");
    }
}

} // namespace
} // namespace k2
