// The main window's menu bar and map keys, built row by row from the command table, and the
// items that the logic classes enable and caption by their names.
#pragma once

#include "app/command_table.h"
#include "core/edit_state.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace k2 {

struct CommandMenuParts {
    WindowCommandTarget& window;
    EditCommandTarget& edit;
    DisplaySwitches& switches;
    // The Overview panel's show/hide toggle, which becomes its Preferences item.
    QAction* overviewToggle;
    // A recent battle item was chosen (0 = newest).
    std::function<void(int32_t)> openRecent;
    // A display switch was flipped; the map is drawn again.
    std::function<void()> switched;
};

class CommandMenus : public QObject {
  public:
    CommandMenus(QMainWindow& window, CommandMenuParts parts);

    // By objectName: a menu item, or else a control of the window that is enabled like one.
    void SetEnabled(std::string_view name, bool enabled);
    void SetCaption(std::string_view name, const std::string& caption);
    // The recent battle items, newest first, and their separator shown while there are any.
    void SetRecentBattles(const std::vector<std::string>& paths);

  private:
    void AddRow(QMenu* menu, const CommandRow& row);
    QAction* AddItem(QMenu* menu, std::string_view name, const QString& caption);
    void AddRecentItems(QMenu* menu);
    void Run(const CommandRow& row);

    QMainWindow& window_;
    CommandMenuParts parts_;
    std::vector<QAction*> recentItems_;
    QAction* recentSeparator_ = nullptr;
};

} // namespace k2
