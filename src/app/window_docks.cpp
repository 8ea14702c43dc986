#include "app/window_docks.h"

#include "app/check_panel.h"
#include "check/battle_check.h"
#include "view/map_view.h"
#include "view/overview_panel.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QSettings>
#include <QTimer>

namespace k2 {

WindowDocks::WindowDocks(QMainWindow& window, Scenario& battle, const SymbolSet& symbols, MapView& view,
                         std::function<bool()> battleActive)
    : window_(window), battle_(battle), battleActive_(std::move(battleActive)) {
    checkPanel_ = new CheckPanel(&window_);
    checkDock_ = new QDockWidget(tr("Check Battle"), &window_);
    checkDock_->setObjectName("CheckDock");
    checkDock_->setWidget(checkPanel_);
    window_.addDockWidget(Qt::BottomDockWidgetArea, checkDock_);
    checkDock_->hide();
    connect(checkPanel_, &CheckPanel::CheckRequested, this, &WindowDocks::RunCheck);
    connect(checkPanel_, &CheckPanel::FindingActivated, this, [this, &view](int hex) {
        if (!battleActive_() || hex < 0 || hex >= battle_.HexCount) return;
        view.CenterOn(hex);
        view.MarkHex(hex);
    });
    recheckTimer_ = new QTimer(&window_);
    recheckTimer_->setObjectName("RecheckTimer");
    recheckTimer_->setSingleShot(true);
    recheckTimer_->setInterval(250);
    connect(recheckTimer_, &QTimer::timeout, this, [this] {
        if (battleActive_() && !checkDock_->isHidden()) checkPanel_->ShowFindings(RunBattleCheck({battle_}));
    });

    overview_ = new OverviewPanel(battle_, symbols, view, &window_);
    overviewDock_ = new QDockWidget(tr("Overview"), &window_);
    overviewDock_->setObjectName("OverviewDock");
    overviewDock_->setWidget(overview_);
    window_.addDockWidget(Qt::RightDockWidgetArea, overviewDock_);
    connect(overview_, &OverviewPanel::ScrollRequested, &view, &MapView::CenterOn);
    // Hidden unless the user showed it last time.
    overviewDock_->setVisible(QSettings().value(OverviewSetting, false).toBool());
    connect(OverviewToggle(), &QAction::toggled, this,
            [](bool on) { QSettings().setValue(OverviewSetting, on); });
}

WindowDocks::~WindowDocks() {
    // The docks are hidden as they are taken down; that is not the user turning the overview off.
    disconnect(OverviewToggle(), nullptr, this, nullptr);
}

QAction* WindowDocks::OverviewToggle() const {
    return overviewDock_->toggleViewAction();
}

void WindowDocks::RunCheck() {
    if (!battleActive_()) return;
    checkPanel_->ShowFindings(RunBattleCheck({battle_}));
    if (checkDock_->isHidden()) {
        checkDock_->show();
        // A few lines of findings below the map, not half the window.
        if (!checkDock_->isFloating()) window_.resizeDocks({checkDock_}, {170}, Qt::Vertical);
    }
    checkDock_->raise();
}

void WindowDocks::ScheduleRecheck() {
    if (!battleActive_() || checkDock_->isHidden()) return;
    checkPanel_->MarkStale();
    recheckTimer_->start();
}

void WindowDocks::BattleShown() {
    // Findings of the battle shown before no longer apply; a shown panel checks this one.
    checkPanel_->Clear();
    ScheduleRecheck();
    overview_->BattleChanged();
}

void WindowDocks::TitleShown() {
    overview_->BattleChanged();
}

void WindowDocks::WindowClosing() {
    // The docks are hidden with the window.
    disconnect(OverviewToggle(), nullptr, this, nullptr);
    QSettings().setValue(OverviewSetting, !overviewDock_->isHidden());
}

} // namespace k2
