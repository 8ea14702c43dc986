// The editor's help file tkx2.hlp: an HTML document with one anchored section per menu and
// command and a closing keyword index that a help window can search.
#pragma once

#include <string>
#include <vector>

namespace k2stock {

struct HelpKeyword {
    std::string keyword;
    std::string anchor; // id of the section it leads to
};

std::string HelpDocumentHtml();
const std::vector<HelpKeyword>& HelpKeywords();

} // namespace k2stock
