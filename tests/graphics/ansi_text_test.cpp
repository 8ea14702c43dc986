#include "graphics/ansi_text.h"

#include <QFont>
#include <QFontInfo>
#include <QStringList>
#include <gmock/gmock.h>

using namespace k2;

namespace {

TEST(AnsiText, Windows1252RoundTrip) {
    const std::string bytes = "Caf\xE9 \x80 \x93quoted\x94 \x9F";
    const QString text = FromAnsi(bytes);
    EXPECT_EQ(text, QString::fromUtf8("Café € “quoted” Ÿ"));
    EXPECT_EQ(ToAnsi(text), bytes);
    EXPECT_EQ(ToAnsi(QString::fromUtf8("日本")), "??");
    // The five bytes the code page leaves undefined are one replacement character each.
    EXPECT_EQ(FromAnsi(std::string("\x81\x8D\x8F\x90\x9D", 5)), QString(5, QChar(0xFFFD)));
}

TEST(AnsiText, StoredFaceNamesMapOntoShippedFonts) {
    InstallFontSubstitutions();
    InstallFontSubstitutions();
    struct Case {
        const char* stored;
        const char* family;
    };
    for (const Case c : {Case{"Arial", "Liberation Sans"}, Case{"Galant", "Cardo"}, Case{"Kelt", "Klaudia"},
                         Case{"Viking", "Blankenburg"}}) {
        EXPECT_TRUE(QFont::substitutes(c.stored).contains(c.family, Qt::CaseInsensitive))
            << c.stored << ": " << QFont::substitutes(c.stored).join(",").toStdString();
        EXPECT_THAT(QFontInfo(QFont(c.stored)).family().toStdString(), ::testing::HasSubstr(c.family))
            << c.stored;
    }
}

} // namespace
