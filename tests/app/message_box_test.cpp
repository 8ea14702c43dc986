// The program's own message box: its table, its button layouts, what it shows and returns.
#include "app/message_box.h"
#include "app/message_box_logic.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/gui_input.h"
#include "common/recorders.h"

#include <gmock/gmock.h>

namespace k2 {
namespace {

TEST(MessageTableTest, EveryKindHasItsTextAndTitle) {
    const std::vector<MessageEntry> expected = {
        {1, "Save changes to this battle?", "Save Changes?"},
        {7, "Keep Terrain Fill Changes?", "Keep Changes?"},
        {10, "You must enter a battle name.", "Scenario Name?"},
        {12, "You must enter both faction names.", "Factions?"},
        {13, "Units for this faction have not been defined.", "Order of Battle"},
        {14, "Reinforcements for this faction have not been defined.", "ReinForcements"},
    };
    for (const MessageEntry& e : expected) {
        const auto found = LookUpMessage(e.kind);
        ASSERT_TRUE(found) << e.kind;
        EXPECT_EQ(found->text, e.text);
        EXPECT_EQ(found->title, e.title);
    }
    for (int kind : {0, 2, 6, 8, 11, 15, -1})
        EXPECT_FALSE(LookUpMessage(kind)) << kind;
}

TEST(MessageTableTest, LayoutOneIsALoneOkAndEveryOtherLayoutYesNo) {
    const MessageButtons ok = ButtonsForLayout(1);
    EXPECT_EQ(ok.yesCaption, "Ok");
    EXPECT_FALSE(ok.noVisible);
    for (int layout : {2, 0, 3}) {
        const MessageButtons yesNo = ButtonsForLayout(layout);
        EXPECT_EQ(yesNo.yesCaption, "Yes");
        EXPECT_TRUE(yesNo.noVisible);
        EXPECT_FALSE(yesNo.cancelVisible);
    }
    EXPECT_FALSE(ok.cancelVisible);
}

class MessageBoxTest : public ::testing::Test {
  protected:
    test::SoundRecorder sounds;
    TQRMMsgBox box{sounds};
    QLabel* Label() { return box.findChild<QLabel*>("Label1"); }
    QPushButton* Button(const char* name) { return box.findChild<QPushButton*>(name); }

    // Shows the box modally and lets `answer` act on it once it is up.
    int32_t ShowAndAnswer(int layout, int kind, const std::function<void()>& answer) {
        QTimer::singleShot(0, &box, answer);
        return box.Show(layout, kind);
    }
};

TEST_F(MessageBoxTest, SavePromptShowsYesAndNoButNoCancel) {
    box.Prepare(2, 1);
    box.show();
    EXPECT_EQ(Label()->text(), "Save changes to this battle?");
    EXPECT_EQ(box.windowTitle(), "Save Changes?");
    EXPECT_EQ(Button("yesbtn")->text(), "Yes");
    EXPECT_TRUE(Button("yesbtn")->isVisible());
    EXPECT_EQ(Button("nobtn")->text(), "No");
    EXPECT_TRUE(Button("nobtn")->isVisible());
    EXPECT_FALSE(Button("canbtn")->isVisible());
    box.hide();
}

TEST_F(MessageBoxTest, InputErrorShowsASingleOk) {
    box.Prepare(1, 12);
    box.show();
    EXPECT_EQ(Label()->text(), "You must enter both faction names.");
    EXPECT_EQ(box.windowTitle(), "Factions?");
    EXPECT_EQ(Button("yesbtn")->text(), "Ok");
    EXPECT_FALSE(Button("nobtn")->isVisible());
    EXPECT_FALSE(Button("canbtn")->isVisible());
    // The lone button sits in the middle of the box.
    EXPECT_NEAR(Button("yesbtn")->geometry().center().x(), box.width() / 2, 2);
    box.hide();
}

TEST_F(MessageBoxTest, IsABorderlessBoxOfFixedSizeInTheProgramsFonts) {
    EXPECT_EQ(box.size(), QSize(409, 73));
    EXPECT_TRUE(box.windowFlags() & Qt::FramelessWindowHint);
    box.ensurePolished();
    Label()->ensurePolished();
    EXPECT_EQ(Label()->font().family(), "Kelt");
    EXPECT_EQ(Label()->font().pixelSize(), 21);
    EXPECT_EQ(Label()->palette().color(QPalette::WindowText), QColor(0xDD, 0xC5, 0x1C));
    for (const char* name : {"yesbtn", "nobtn", "canbtn"})
        EXPECT_EQ(Button(name)->font().pixelSize(), 16) << name;
}

TEST_F(MessageBoxTest, ResultFollowsTheButtonAndAnyOtherCloseIsNo) {
    EXPECT_EQ(ShowAndAnswer(2, 1, [this] { gui_input::Click(Button("yesbtn")); }), 1);
    EXPECT_EQ(ShowAndAnswer(2, 1, [this] { gui_input::Click(Button("nobtn")); }), 2);
    EXPECT_EQ(ShowAndAnswer(2, 7, [this] { gui_input::PressKey(&box, Qt::Key_Escape); }), 2);
    EXPECT_EQ(ShowAndAnswer(2, 7, [this] { box.close(); }), 2);
    EXPECT_EQ(ShowAndAnswer(1, 10, [this] { gui_input::Click(Button("yesbtn")); }), 1);
    EXPECT_EQ(ShowAndAnswer(2, 1, [this] { Button("canbtn")->click(); }), 2);
}

TEST_F(MessageBoxTest, ClicksEachTimeItIsShown) {
    ShowAndAnswer(2, 1, [this] { Button("yesbtn")->click(); });
    ShowAndAnswer(1, 13, [this] { Button("yesbtn")->click(); });
    EXPECT_THAT(sounds.played, ::testing::ElementsAre(6, 6));
    EXPECT_THAT(sounds.modes, ::testing::ElementsAre(1, 1));
}

TEST_F(MessageBoxTest, SwitchingLayoutsBringsTheNoButtonBack) {
    box.Prepare(1, 10);
    box.show();
    EXPECT_FALSE(Button("nobtn")->isVisible());
    box.Prepare(2, 7);
    EXPECT_TRUE(Button("nobtn")->isVisible());
    EXPECT_EQ(Label()->text(), "Keep Terrain Fill Changes?");
    EXPECT_EQ(box.windowTitle(), "Keep Changes?");
    EXPECT_LT(Button("yesbtn")->geometry().right(), Button("nobtn")->geometry().left());
    box.hide();
}

} // namespace
} // namespace k2
