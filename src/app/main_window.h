// TMainForm, the editor's main window: the menu bar, the map view with its panels, and the
// battle lifecycle, the display switches, help and about wired to them.
#pragma once

#include "app/battle_lifecycle.h"
#include "app/edit_commands.h"
#include "app/editor_context.h"
#include "app/map_refresher.h"
#include "edit/edit_session.h"
#include "view/map_view_logic.h"

#include <QMainWindow>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QMenu;
class QTimer;

namespace k2 {

class MapView;
class TNewMap;
class TSelectTer;
class DialogHost;
class TAboutMBld;
class CheckPanel;
class OverviewPanel;
class ExportFlow;
class SettingsAdapter;
class MapAdapter;
class PickerAdapter;

class TMainForm : public QMainWindow, private LifecycleScreen, private HistoryListener {
    Q_OBJECT
  public:
    explicit TMainForm(EditorContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    BattleLifecycle& Lifecycle() { return *lifecycle_; }
    MapView& View() { return *view_; }
    TNewMap& SettingsDialogWindow();
    TSelectTer& TerrainPickerWindow() { return *picker_; }
    k2::DialogHost& Dialogs() { return *dialogs_; }
    k2::CheckPanel& CheckFindings() { return *checkPanel_; }
    k2::OverviewPanel& Overview() { return *overview_; }
    // The QSettings key of the overview's toggle.
    static constexpr const char* OverviewSetting = "view/overview";
    // How long a notice stays in the info bar.
    static constexpr int NoticeMilliseconds = 4000;
    MapClickDispatch& Dispatch() { return session_->Dispatch(); }
    EditSession& Session() { return *session_; }
    EditCommands& Commands() { return *editCommands_; }

    // The text of the low-colour warning.
    static std::string LowColourWarning();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // LifecycleScreen
    void SetCaption(const std::string& text) override;
    void SetInfoText(const std::string& text) override;
    void ShowNotice(const std::string& text) override;
    void ShowProgress(int32_t position) override;
    void HideProgress() override;
    void SetBusy(bool busy) override;
    void SetCommandEnabled(std::string_view name, bool enabled) override;
    void SetCommandCaption(std::string_view name, const std::string& caption) override;
    void SetRecentBattles(const std::vector<std::string>& paths) override;
    void ShowTitlePicture() override;
    void ShowBattle() override;
    // HistoryListener
    void HistoryChanged(const StepChange& change) override;

    struct MenuItem;
    void BuildMenus();
    void AddItems(QMenu* menu, std::initializer_list<MenuItem> items);
    QAction* AddItem(QMenu* menu, std::string_view name, const QString& caption, std::function<void()> slot);
    void AddSwitch(QMenu* menu, std::string_view name, DisplaySwitch which);
    void StartUp();
    void ExitClicked();
    void ToggleDisplaySwitch(DisplaySwitch which, QAction* item);
    void ZoomFromKeyboard(bool in);
    void ShowUnitPanel(int32_t hex);
    // The caption as the life cycle set it, with " *" while the battle differs from its file.
    void UpdateCaption();
    // Puts `text` in the info bar now (a prompt or a notice).
    void ShowInfo(const std::string& text);
    void KeepRecoveryCopy();
    // Runs the check again once the edits of a burst are over, while its panel is shown.
    void ScheduleRecheck();

    void OpenClicked() { lifecycle_->Open(); }
    void NewClicked();
    void SaveClicked() { lifecycle_->Save(); }
    void SaveAsClicked() { lifecycle_->SaveAs(); }
    void SettingsClicked() { lifecycle_->BattleSettings(); }
    void HelpContentsClicked();
    void KeywordSearchClicked();
    void AboutClicked();
    // Runs the battle check and shows its findings in their panel.
    void CheckBattleClicked();
    void BuildDocks();
    void ExportMapImageClicked();
    void UndoClicked() { editCommands_->Undo(); }
    void RedoClicked() { editCommands_->Redo(); }
    // An item of an edit menu runs one method of the edit commands.
    MenuItem EditItem(std::string_view name, const char* caption, void (EditCommands::*command)());
    std::function<void()> Run(void (TMainForm::*slot)());

    EditorContext& context_;
    MapView* view_ = nullptr;
    TNewMap* newMap_ = nullptr;
    TAboutMBld* about_ = nullptr;
    std::unique_ptr<SettingsAdapter> settings_;
    std::unique_ptr<BattleLifecycle> lifecycle_;
    std::unique_ptr<MapAdapter> mapAdapter_;
    std::unique_ptr<MapRefresher> refresher_;
    TSelectTer* picker_ = nullptr;
    std::unique_ptr<PickerAdapter> pickerAdapter_;
    std::unique_ptr<k2::DialogHost> dialogs_;
    std::unique_ptr<EditSession> session_;
    std::unique_ptr<EditCommands> editCommands_;
    std::vector<QAction*> recentItems_;
    QAction* recentSeparator_ = nullptr;
    bool busy_ = false;
    // Writes the recovery copy once it is due after an edit that came too soon for it.
    QTimer* recoveryTimer_ = nullptr;
    CheckPanel* checkPanel_ = nullptr;
    QDockWidget* checkDock_ = nullptr;
    OverviewPanel* overview_ = nullptr;
    QDockWidget* overviewDock_ = nullptr;
    std::unique_ptr<ExportFlow> exportFlow_;
    std::string caption_;
    // The info text that a notice covers for a few seconds.
    std::string infoText_;
    QTimer* noticeTimer_ = nullptr;
    QTimer* recheckTimer_ = nullptr;
};

} // namespace k2
