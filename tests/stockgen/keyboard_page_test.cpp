// The help's Keyboard page names every key the editor's command table gives out.
#include "app/command_table.h"
#include "stockgen/help_document.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(KeyboardPageTest, ListsEveryKeyOfTheCommandTableWithItsCommand) {
    const std::string html = k2stock::HelpDocumentHtml();
    const std::size_t begin = html.find("<h2 id=\"keyboard-mouse\">");
    ASSERT_NE(begin, std::string::npos);
    const std::string page = html.substr(begin, html.find("<h2", begin + 1) - begin);
    int listed = 0;
    for (const k2::CommandRow& row : k2::CommandTable) {
        if (row.keys[0].empty()) continue;
        std::string line = "<li>" + std::string(row.keys[0]);
        if (!row.keys[1].empty()) line += " or " + std::string(row.keys[1]);
        line += ": ";
        if (row.menu != k2::CommandMenu::None) line += std::string(k2::MenuTitle(row.menu)) + " &gt; ";
        line += std::string(row.caption);
        EXPECT_NE(page.find(line), std::string::npos) << line;
        ++listed;
    }
    // Open, New, Save, Save As, Check, Exit, Undo, Redo, Contents and the two zoom rows at least.
    EXPECT_GE(listed, 11);
}

} // namespace
