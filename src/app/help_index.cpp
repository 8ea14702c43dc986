#include "app/help_index.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

namespace k2 {

namespace {

QString PlainText(const QString& htmlFragment) {
    return QTextDocumentFragment::fromHtml(htmlFragment).toPlainText().simplified();
}

void Add(std::vector<HelpKeyword>& index, const QString& keyword, const QString& anchor) {
    if (keyword.isEmpty() || anchor.isEmpty()) return;
    HelpKeyword entry{keyword, anchor};
    if (std::find(index.begin(), index.end(), entry) == index.end()) index.push_back(std::move(entry));
}

} // namespace

std::vector<HelpKeyword> ParseHelpIndex(const QString& html) {
    std::vector<HelpKeyword> index;
    const auto options =
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;

    static const QRegularExpression link(R"re(<a\s[^>]*href\s*=\s*["']#([^"']+)["'][^>]*>(.*?)</a\s*>)re",
                                         options);
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        Add(index, PlainText(m.captured(2)), m.captured(1));
    }

    static const QRegularExpression heading(R"re(<h([1-6])([^>]*)>(.*?)</h\1\s*>)re", options);
    static const QRegularExpression idAttr(R"re(\bid\s*=\s*["']([^"']+)["'])re", options);
    static const QRegularExpression nameAnchor(R"re(<a\s[^>]*\bname\s*=\s*["']([^"']+)["'])re", options);
    for (auto it = heading.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString anchor = idAttr.match(m.captured(2)).captured(1);
        if (anchor.isEmpty()) anchor = nameAnchor.match(m.captured(3)).captured(1);
        Add(index, PlainText(m.captured(3)), anchor);
    }

    std::stable_sort(index.begin(), index.end(), [](const HelpKeyword& a, const HelpKeyword& b) {
        return QString::compare(a.keyword, b.keyword, Qt::CaseInsensitive) < 0;
    });
    return index;
}

std::vector<HelpKeyword> FilterHelpIndex(const std::vector<HelpKeyword>& index, const QString& typed) {
    const QString key = typed.trimmed();
    if (key.isEmpty()) return index;
    std::vector<HelpKeyword> starts, contains;
    for (const HelpKeyword& entry : index) {
        if (entry.keyword.startsWith(key, Qt::CaseInsensitive))
            starts.push_back(entry);
        else if (entry.keyword.contains(key, Qt::CaseInsensitive))
            contains.push_back(entry);
    }
    starts.insert(starts.end(), contains.begin(), contains.end());
    return starts;
}

} // namespace k2
