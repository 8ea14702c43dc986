// The keyword index of the HTML help file: which words lead to which anchor, and the
// partial-key filter the keyword search applies as the user types.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace k2 {

struct HelpKeyword {
    QString keyword;
    QString anchor;

    bool operator==(const HelpKeyword&) const = default;
};

// Keywords are the texts of the document's internal links (<a href="#x">text</a>, which is
// how its index section lists them) and of its headings that carry an anchor (an id, or an
// <a name> inside). The list is sorted without regard to case, each pair once.
std::vector<HelpKeyword> ParseHelpIndex(const QString& html);

// The entries whose keyword starts with `typed` (ignoring case), then those that merely
// contain it; an empty text keeps every entry.
std::vector<HelpKeyword> FilterHelpIndex(const std::vector<HelpKeyword>& index, const QString& typed);

} // namespace k2
