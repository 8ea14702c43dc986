// The panels docked beside the map: the battle check's findings below it, which check again by
// themselves a moment after the last edit while shown, and the overview of the whole map.
#pragma once

#include <QObject>

#include <functional>

class QAction;
class QDockWidget;
class QMainWindow;
class QTimer;

namespace k2 {

class CheckPanel;
class MapView;
class OverviewPanel;
struct Scenario;
class SymbolSet;

class WindowDocks : public QObject {
  public:
    // The QSettings key of the overview's toggle.
    static constexpr const char* OverviewSetting = "view/overview";

    WindowDocks(QMainWindow& window, Scenario& battle, const SymbolSet& symbols, MapView& view,
                std::function<bool()> battleActive);
    ~WindowDocks() override;

    CheckPanel& Check() { return *checkPanel_; }
    OverviewPanel& Overview() { return *overview_; }
    // The overview's show/hide toggle (the Preferences item).
    QAction* OverviewToggle() const;

    // Checks the battle and shows the findings' panel.
    void RunCheck();
    // After an edit: a shown panel checks again once a burst of edits is over.
    void ScheduleRecheck();
    // Another battle (or the title picture) is shown.
    void BattleShown();
    void TitleShown();
    // The window closes: the overview's setting stays what the user left it.
    void WindowClosing();

  private:
    QMainWindow& window_;
    Scenario& battle_;
    std::function<bool()> battleActive_;
    CheckPanel* checkPanel_ = nullptr;
    QDockWidget* checkDock_ = nullptr;
    OverviewPanel* overview_ = nullptr;
    QDockWidget* overviewDock_ = nullptr;
    QTimer* recheckTimer_ = nullptr;
};

} // namespace k2
