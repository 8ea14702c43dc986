// The about box: what it says, and its clicks on showing and on OK.
#include "app/about_box.h"

#include <QLabel>
#include <QPushButton>

#include "common/gui_input.h"
#include "common/recorders.h"

#include <gmock/gmock.h>

namespace k2 {
namespace {

TEST(AboutBoxTest, ShowsTheProductAndVersion) {
    test::SoundRecorder sounds;
    TAboutMBld about(sounds);
    EXPECT_EQ(about.windowTitle(), "About Tessary");
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Tessary"));
    EXPECT_TRUE(texts.contains("Keldmar 2"));
    EXPECT_TRUE(texts.contains(" Version 2.02"));
    ASSERT_NE(about.findChild<QPushButton*>("OK"), nullptr);
}

TEST(AboutBoxTest, ClicksWhenShownAndOnOkWhichCloses) {
    test::SoundRecorder sounds;
    TAboutMBld about(sounds);
    about.show();
    EXPECT_THAT(sounds.played, ::testing::ElementsAre(6));
    EXPECT_THAT(sounds.modes, ::testing::ElementsAre(1));
    gui_input::Click(about.findChild<QPushButton*>("OK"));
    EXPECT_THAT(sounds.Numbers(), ::testing::ElementsAre(6, 6));
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    about.show();
    EXPECT_EQ(sounds.played.size(), 3u);
    about.hide();
}

} // namespace
} // namespace k2
