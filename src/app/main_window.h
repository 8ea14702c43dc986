// TMainForm, the editor's main window: the menu bar, the map view with its panels, and the
// battle lifecycle, the display switches, help and about wired to them.
#pragma once

#include "app/battle_lifecycle.h"
#include "app/command_table.h"
#include "app/edit_commands.h"
#include "app/editor_context.h"
#include "app/map_refresher.h"
#include "app/reference_window.h"
#include "app/window_docks.h"
#include "edit/edit_session.h"
#include "view/map_view_logic.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QTimer;

namespace k2 {

class MapView;
class TNewMap;
class TSelectTer;
class DialogHost;
class TAboutMBld;
class CheckPanel;
class OverviewPanel;
class CommandMenus;
class ExportFlow;
class SettingsAdapter;
class MapAdapter;
class PickerAdapter;
class AreaWindow;
class AreaCommands;

class TMainForm : public QMainWindow,
                  private LifecycleScreen,
                  private HistoryListener,
                  private WindowCommandTarget {
    Q_OBJECT
  public:
    explicit TMainForm(EditorContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    BattleLifecycle& Lifecycle() { return *lifecycle_; }
    MapView& View() { return *view_; }
    TNewMap& SettingsDialogWindow();
    TSelectTer& TerrainPickerWindow() { return *picker_; }
    k2::DialogHost& Dialogs() { return *dialogs_; }
    k2::CheckPanel& CheckFindings() { return docks_->Check(); }
    k2::OverviewPanel& Overview() { return docks_->Overview(); }
    // The QSettings key of the overview's toggle.
    static constexpr const char* OverviewSetting = WindowDocks::OverviewSetting;
    // How long a notice stays in the info bar.
    static constexpr int NoticeMilliseconds = 4000;
    MapClickDispatch& Dispatch() { return session_->Dispatch(); }
    EditSession& Session() { return *session_; }
    EditCommands& Commands() { return *editCommands_; }
    ReferenceWindow& Reference() { return *reference_; }

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
    void SetCommandTip(std::string_view name, const std::string& tip) override;
    void SetRecentBattles(const std::vector<std::string>& paths) override;
    void ShowTitlePicture() override;
    void ShowBattle() override;
    // HistoryListener
    void HistoryChanged(const StepChange& change) override;

    // WindowCommandTarget: the commands of the table that the window carries out.
    void OpenBattle() override { lifecycle_->Open(); }
    void CreateBattle() override;
    void SaveBattle() override { lifecycle_->Save(); }
    void SaveBattleAs() override { lifecycle_->SaveAs(); }
    void BattleSettings() override { lifecycle_->BattleSettings(); }
    // Runs the battle check and shows its findings in their panel.
    void CheckBattle() override;
    void ExportMapImage() override;
    void ReferenceImage() override { reference_->ShowDialog(); }
    void AlignReferenceImage() override { reference_->BeginAlign(); }
    void Exit() override;
    void HelpContents() override;
    void KeywordSearch() override;
    void About() override;
    void ZoomInByKey() override { ZoomFromKeyboard(true); }
    void ZoomOutByKey() override { ZoomFromKeyboard(false); }

    void StartUp();
    void ZoomFromKeyboard(bool in);
    void ShowUnitPanel(int32_t hex);
    // The caption as the life cycle set it, with " *" while the battle differs from its file.
    void UpdateCaption();
    // Puts `text` in the info bar now (a prompt or a notice).
    void ShowInfo(const std::string& text);
    void KeepRecoveryCopy();

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
    std::unique_ptr<AreaWindow> areaWindow_;
    std::unique_ptr<AreaCommands> areas_;
    std::unique_ptr<ReferenceWindow> reference_;
    std::unique_ptr<WindowDocks> docks_;
    std::unique_ptr<CommandMenus> menus_;
    bool busy_ = false;
    // Writes the recovery copy once it is due after an edit that came too soon for it.
    QTimer* recoveryTimer_ = nullptr;
    std::unique_ptr<ExportFlow> exportFlow_;
    std::string caption_;
    // The info text that a notice covers for a few seconds.
    std::string infoText_;
    QTimer* noticeTimer_ = nullptr;
};

} // namespace k2
