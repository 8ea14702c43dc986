#include "app/command_menus.h"

#include "graphics/ansi_text.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace k2 {

namespace {

constexpr const char* RecentNames[] = {"MapA1", "MapB1", "MapC1", "MapD1", "MapE1"};

QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CommandMenus::CommandMenus(QMainWindow& window, CommandMenuParts parts)
    : window_(window), parts_(std::move(parts)) {
    for (const MenuHeading& heading : MenuHeadings) {
        QMenu* menu = window_.menuBar()->addMenu(tr(heading.title.data()));
        menu->setObjectName(ToQString(heading.name));
        for (const CommandRow& row : CommandTable)
            if (row.menu == heading.menu) AddRow(menu, row);
    }
    for (const CommandRow& row : CommandTable)
        if (row.kind == CommandKind::MapKeys) AddRow(nullptr, row);
}

QAction* CommandMenus::AddItem(QMenu* menu, std::string_view name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(ToQString(name));
    // Shortcuts act while the map has the focus, not while a dialog of the program does.
    item->setShortcutContext(Qt::WindowShortcut);
    return item;
}

void CommandMenus::AddRow(QMenu* menu, const CommandRow& row) {
    switch (row.kind) {
    case CommandKind::Separator:
        menu->addSeparator();
        return;
    case CommandKind::RecentBattles:
        AddRecentItems(menu);
        return;
    case CommandKind::OverviewDock:
        parts_.overviewToggle->setObjectName(ToQString(row.name));
        parts_.overviewToggle->setText(ToQString(row.caption));
        menu->addAction(parts_.overviewToggle);
        return;
    case CommandKind::Switch: {
        QAction* item = AddItem(menu, row.name, QString::fromStdString(InitialSwitchCaption(row.display)));
        item->setEnabled(false);
        for (std::string_view keys : row.keys)
            if (!keys.empty()) item->setShortcut(QKeySequence(ToQString(keys)));
        connect(item, &QAction::triggered, this, [this, &row, item] {
            const bool on = ToggleSwitch(parts_.switches, row.display);
            item->setText(QString::fromStdString(SwitchCaption(row.display, on)));
            parts_.switched();
        });
        return;
    }
    case CommandKind::MapKeys:
        for (std::string_view keys : row.keys)
            if (!keys.empty())
                connect(new QShortcut(QKeySequence(ToQString(keys)), &window_), &QShortcut::activated, this,
                        [this, &row] { Run(row); });
        return;
    case CommandKind::Item:
        break;
    }
    QAction* item = AddItem(menu, row.name, ToQString(row.caption));
    QList<QKeySequence> shortcuts;
    for (std::string_view keys : row.keys)
        if (!keys.empty()) shortcuts.push_back(QKeySequence(ToQString(keys)));
    item->setShortcuts(shortcuts);
    item->setEnabled(row.enabling == Enabling::Always);
    connect(item, &QAction::triggered, this, [this, &row] { Run(row); });
}

void CommandMenus::Run(const CommandRow& row) {
    if (row.window) (parts_.window.*row.window)();
    if (row.edit) (parts_.edit.*row.edit)();
}

void CommandMenus::AddRecentItems(QMenu* file) {
    recentSeparator_ = file->addSeparator();
    recentSeparator_->setObjectName(ToQString(cmd::RecentSeparator));
    recentSeparator_->setVisible(false);
    for (int32_t i = 0; i < 5; ++i) {
        QAction* item = AddItem(file, RecentNames[i], QString());
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i] { parts_.openRecent(i); });
        recentItems_.push_back(item);
    }
}

void CommandMenus::SetEnabled(std::string_view name, bool enabled) {
    const QString objectName = ToQString(name);
    if (QAction* item = window_.findChild<QAction*>(objectName)) {
        item->setEnabled(enabled);
        return;
    }
    if (QWidget* control = window_.findChild<QWidget*>(objectName)) control->setEnabled(enabled);
}

void CommandMenus::SetCaption(std::string_view name, const std::string& caption) {
    if (QAction* item = window_.findChild<QAction*>(ToQString(name))) item->setText(FromAnsi(caption));
}

void CommandMenus::SetRecentBattles(const std::vector<std::string>& paths) {
    recentSeparator_->setVisible(!paths.empty());
    for (size_t i = 0; i < recentItems_.size(); ++i) {
        QAction* item = recentItems_[i];
        const bool shown = i < paths.size();
        item->setVisible(shown);
        // Paths are the file system's own bytes; an ampersand would otherwise become a mnemonic.
        item->setText(shown ? QString::fromStdString(paths[i]).replace('&', "&&") : QString());
    }
}

} // namespace k2
