// k2tool runs where there is no display and no sound: the libraries it loads are checked from
// the built program itself, beside the editor's as the counter-example.
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The shared libraries a program names as NEEDED in its dynamic section.
QStringList NeededLibraries(const QString& program) {
    QProcess readelf;
    readelf.start("readelf", {"--dynamic", "--wide", program});
    EXPECT_TRUE(readelf.waitForFinished(60000)) << "readelf could not be run";
    QStringList needed;
    for (const QString& line : QString::fromLocal8Bit(readelf.readAllStandardOutput()).split('\n')) {
        if (!line.contains("(NEEDED)")) continue;
        const qsizetype open = line.indexOf('['), close = line.indexOf(']');
        if (open >= 0 && close > open) needed << line.mid(open + 1, close - open - 1);
    }
    return needed;
}

bool Names(const QStringList& libraries, const char* part) {
    return !libraries.filter(part).isEmpty();
}

TEST(K2toolLinks, NeitherWidgetsNorMultimedia) {
    const QStringList tool = NeededLibraries(K2_TOOL_PATH);
    ASSERT_TRUE(Names(tool, "libQt6Gui")) << tool.join(", ").toStdString();
    EXPECT_FALSE(Names(tool, "libQt6Widgets")) << tool.join(", ").toStdString();
    EXPECT_FALSE(Names(tool, "libQt6Multimedia")) << tool.join(", ").toStdString();

    const QStringList editor = NeededLibraries(K2_EDITOR_PATH);
    EXPECT_TRUE(Names(editor, "libQt6Widgets") && Names(editor, "libQt6Multimedia"))
        << editor.join(", ").toStdString();
}

} // namespace
