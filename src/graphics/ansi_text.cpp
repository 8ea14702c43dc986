#include "graphics/ansi_text.h"

#include <QFont>
#include <QStringList>

#include <array>

namespace k2 {
namespace {

// 0x80..0x9F of Windows-1252; the rest of the page equals Latin-1. The five bytes the code
// page leaves undefined decode to U+FFFD.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString DecodeByTable(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(HighControls[b - 0x80]) : QChar(char16_t(b)));
    }
    return out;
}

std::string EncodeByTable(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (size_t i = 0; i < HighControls.size(); ++i)
            if (HighControls[i] == u && u != 0xFFFD) mapped = static_cast<char>(0x80 + i);
        out.push_back(mapped);
    }
    return out;
}

} // namespace

QString FromAnsi(std::string_view bytes) {
    // By the table rather than the platform codec: codec libraries differ on the five
    // undefined bytes, and the program decodes them one way everywhere.
    return DecodeByTable(bytes);
}

std::string ToAnsi(const QString& text) {
    // The table is exact for this code page, and the codec's handling of unmappable characters
    // differs between codec libraries; one answer everywhere is worth more here.
    return EncodeByTable(text);
}

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("Arial"), QStringList{"Liberation Sans", "Arimo"});
    QFont::insertSubstitutions(QStringLiteral("Galant"), QStringList{"Cardo"});
    QFont::insertSubstitutions(QStringLiteral("Kelt"), QStringList{"Klaudia"});
    // Debian's package names the family after its file.
    QFont::insertSubstitutions(QStringLiteral("Viking"), QStringList{"Blankenburg", "Blankenburg_UNZ1A"});
}

} // namespace k2
