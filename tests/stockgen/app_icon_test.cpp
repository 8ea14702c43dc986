// The program's desktop icon: one picture per hicolor size, a hexagon on a transparent square.
#include "stockgen/app_icon.h"

#include <QImage>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <filesystem>

namespace {
namespace fs = std::filesystem;

TEST(AppIcon, IsWrittenAtEveryThemeSizeBesideTheInstallation) {
    EXPECT_EQ(k2stock::AppIconsPath("/a/b/install"), fs::path("/a/b/icons"));
    EXPECT_EQ(k2stock::AppIconsPath("/a/b/install/"), fs::path("/a/b/icons"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path icons = fs::path(dir.path().toStdString()) / "icons";
    std::string error;
    ASSERT_TRUE(k2stock::WriteAppIcons(icons, error)) << error;
    for (int size : k2stock::AppIconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const QImage icon(
            QString::fromStdString((icons / "hicolor" / name / "apps" / "keldmar2-editor.png").string()));
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_EQ(icon.size(), QSize(size, size)) << name;
        EXPECT_TRUE(icon.hasAlphaChannel()) << name;
        // Transparent where the hexagon leaves the square free, solid in the middle.
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << name;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << name;
        // Both forces' colours show: a blue half and a red half of the shield.
        const QColor left = icon.pixelColor(size * 3 / 8, size / 2 + size / 8);
        const QColor right = icon.pixelColor(size * 5 / 8, size / 2 + size / 8);
        EXPECT_GT(left.blue(), left.red()) << name;
        EXPECT_GT(right.red(), right.blue()) << name;
    }
    // A folder that cannot be made is reported.
    const fs::path blocker = fs::path(dir.path().toStdString()) / "file";
    QImage(1, 1, QImage::Format_RGB32).save(QString::fromStdString(blocker.string()), "PNG");
    EXPECT_FALSE(k2stock::WriteAppIcons(blocker / "icons", error));
    EXPECT_THAT(error, ::testing::HasSubstr("Could not write"));
}

} // namespace
