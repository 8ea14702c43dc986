#include "app/main_window.h"

#include "app/about_box.h"
#include "app/area_commands.h"
#include "app/area_window.h"
#include "app/command_menus.h"
#include "app/dialog_host.h"
#include "app/export_flow.h"
#include "app/new_map_dialog.h"
#include "app/window_adapters.h"
#include "app/window_docks.h"
#include "edit/dialogs/terrain_picker_dialog.h"
#include "forces/unit_summary.h"
#include "graphics/ansi_text.h"
#include "view/map_view.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

namespace k2 {

namespace {

MapButton ToMapButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MapButton::Left;
    case Qt::RightButton:
        return MapButton::Right;
    default:
        return MapButton::Middle;
    }
}

} // namespace

std::string TMainForm::LowColourWarning() {
    return "Keldmar 2 was designed to run in Windows High Color (16 bit) mode or greater.\n"
           "Keldmar 2 has determined that your Window's Color Palette Display Setting\n"
           "is currently lower than 16 bit. Please enter your Contol Panel, select Display,\n"
           "then settings, and increase your Color Palette Setting to High Color (16 bit).\n";
}

TMainForm::TMainForm(EditorContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setObjectName("TMainForm");
    setMinimumSize(MapView::MinimumWidth, MapView::MinimumHeight);

    view_ = new MapView(context_.Battle(), context_.Renderer(), context_.Switches(), context_.Sounds(),
                        context_.InstallDir(), this);
    setCentralWidget(view_);

    settings_ = std::make_unique<SettingsAdapter>([this]() -> TNewMap& { return SettingsDialogWindow(); });
    lifecycle_ = std::make_unique<BattleLifecycle>(
        LifecycleParts{context_.Battle(), context_.Equipment(), *this, *settings_, context_.SymbolLoader(),
                       context_.Boxes(), context_.Chooser(), context_.Random(), context_.History()},
        context_.InstallDir());
    mapAdapter_ = std::make_unique<MapAdapter>(*view_, context_.Symbols());
    refresher_ = std::make_unique<MapRefresher>(*view_, context_.Renderer(), context_.Switches());
    dialogs_ = std::make_unique<k2::DialogHost>(context_, static_cast<CommandScreen&>(*this), this);
    session_ = std::make_unique<EditSession>(context_.Battle(), context_.Edit(), context_.History(),
                                             EditSeams{context_.Sounds(), context_.Boxes(), context_.Random(),
                                                       *mapAdapter_, *mapAdapter_, *dialogs_});
    picker_ = new TSelectTer(context_.Battle(), context_.Symbols(), context_.Edit(), context_.History(),
                             context_.Boxes(), context_.InstallDir(), this);
    pickerAdapter_ = std::make_unique<PickerAdapter>(*picker_);
    editCommands_ = std::make_unique<EditCommands>(
        EditCommandParts{context_.History(), *session_, static_cast<CommandScreen&>(*this), context_.Edit(),
                         *mapAdapter_, *pickerAdapter_, *dialogs_, context_.Battle()});
    view_->SetEditState(&context_.Edit());
    // Map areas and the brush; the selection and a paste's preview are drawn over the map.
    areaWindow_ = std::make_unique<AreaWindow>(*view_, *picker_, *mapAdapter_, context_.Battle(),
                                               context_.Symbols(), context_.Switches(), context_.Renderer());
    areas_ = std::make_unique<AreaCommands>(AreaCommandParts{*session_, context_.Edit(),
                                                             static_cast<CommandScreen&>(*this), *areaWindow_,
                                                             *areaWindow_, context_.Sounds()});
    areaWindow_->SetCommands(areas_.get(), &session_->Selection());
    editCommands_->SetAreaCommands(areas_.get());
    session_->Areas().SetTerrainSymbolCount([this] { return context_.Symbols().TerrainCount(); });
    // The reference picture lies under the marks; the align mode takes its clicks and the arrows.
    reference_ = std::make_unique<ReferenceWindow>(
        ReferenceParts{*view_, context_.Renderer(), context_.Battle(), context_.Edit(), context_.Switches(),
                       static_cast<CommandScreen&>(*this), context_.Chooser(), this});
    lifecycle_->SetFileFollower(reference_.get());
    view_->SetKeyHook([this](int key) { return reference_->Key(key); });
    view_->SetPresenter([this](const QImage& map, QRect from, const BufferChanges& changes, QImage& picture) {
        return reference_->Present(map, from, changes, picture);
    });
    view_->SetOverlay([this](QImage& picture) { areaWindow_->DrawMarks(picture); });
    // Every completed step, undo and redo: first the picture, then the window's followers.
    context_.History().AddListener(refresher_.get());
    context_.History().AddListener(this);
    lifecycle_->SetRecovery(context_.Recovery());
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setObjectName("RecoveryTimer");
    recoveryTimer_->setSingleShot(true);
    // A coarse timer may fire a little early; the copy then says how much longer to wait.
    recoveryTimer_->setTimerType(Qt::PreciseTimer);
    connect(recoveryTimer_, &QTimer::timeout, this, &TMainForm::KeepRecoveryCopy);
    noticeTimer_ = new QTimer(this);
    noticeTimer_->setObjectName("NoticeTimer");
    noticeTimer_->setSingleShot(true);
    connect(noticeTimer_, &QTimer::timeout, this, [this] { SetInfoText(infoText_); });
    connect(view_, &MapView::MapPressed, this, [this](Qt::MouseButton button) {
        // Select Map Area's drags and the paste mode's right button are the area commands' own.
        if (reference_->Press(button == Qt::LeftButton, view_->PointerPosition(), view_->PointerHex()))
            return;
        const SelectionMode mode = SelectionModeFor(QGuiApplication::keyboardModifiers());
        if (areas_->Press(ToMapButton(button), view_->PointerHex(), mode)) return;
        editCommands_->MapPressed(lifecycle_->BattleActive(), ToMapButton(button), view_->PointerHex());
    });
    connect(view_, &MapView::MapDragged, this, [this](int32_t hex) {
        areas_->DragTo(hex);
        editCommands_->MapDragged(hex);
    });
    connect(view_, &MapView::MapReleased, this, [this] {
        Dispatch().Release();
        areas_->Release();
    });
    connect(view_, &MapView::MapDoubleClicked, this, [this] {
        areas_->DoubleClick(view_->PointerHex(), SelectionModeFor(QGuiApplication::keyboardModifiers()));
    });
    connect(view_, &MapView::PointerHexChanged, this, [this](int32_t hex) { areas_->PointerAt(hex); });
    auto* endPaste =
        new QShortcut(QKeySequence(Qt::Key_Escape), view_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(endPaste, &QShortcut::activated, this, [this] { areas_->EndPaste(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { areas_->RefreshCommands(); });
    connect(view_, &MapView::ZoomInPressed, this, [this] { session_->ZoomPick().Begin(); });
    connect(view_, &MapView::UnitPanelHexChanged, this, &TMainForm::ShowUnitPanel);

    docks_ = std::make_unique<WindowDocks>(*this, context_.Battle(), context_.Symbols(), *view_,
                                           [this] { return lifecycle_->BattleActive(); });
    refresher_->SetOverview(&docks_->Overview());
    menus_ = std::make_unique<CommandMenus>(
        *this, CommandMenuParts{static_cast<WindowCommandTarget&>(*this), *editCommands_, context_.Switches(),
                                docks_->OverviewToggle(), [this](int32_t i) { lifecycle_->OpenRecent(i); },
                                [this] {
                                    reference_->SwitchFlipped();
                                    view_->DisplayMap();
                                }});

    StartUp();
    // Once the window is up, a battle a previous run left unsaved is offered back.
    QTimer::singleShot(0, this, [this] { lifecycle_->OfferRecovery(); });
}

TMainForm::~TMainForm() {
    view_->SetOverlay({});
    view_->SetPresenter({});
    view_->SetKeyHook({});
    lifecycle_->SetFileFollower(nullptr);
    context_.History().RemoveListener(this);
    context_.History().RemoveListener(refresher_.get());
    if (busy_) QApplication::restoreOverrideCursor();
}

TNewMap& TMainForm::SettingsDialogWindow() {
    // Made at its first use, as the other dialogs are, to keep the start-up short.
    if (!newMap_)
        newMap_ =
            new TNewMap(context_.Battle(), context_.InstallDir(), context_.Boxes(), context_.Chooser(), this);
    return *newMap_;
}

void TMainForm::ExportMapImage() {
    if (!lifecycle_->BattleActive()) return;
    if (!exportFlow_)
        exportFlow_ =
            std::make_unique<ExportFlow>(context_, static_cast<LifecycleScreen&>(*this), *reference_, this);
    exportFlow_->Run(QSize(view_->Logic().ViewWidth(), view_->Logic().ViewHeight()),
                     lifecycle_->CurrentPath(), lifecycle_->ScenariosDir());
}

void TMainForm::CheckBattle() {
    docks_->RunCheck();
}

void TMainForm::StartUp() {
    if (const QScreen* s = screen(); s && s->depth() < 16)
        context_.Boxes().ShowPlain("Warning", LowColourWarning());
    InstallFontSubstitutions();

    // The buffer starts large enough for a full-screen view; setting up the view sizes it.
    if (const QScreen* s = screen()) {
        const QSize size = s->size();
        context_.Renderer().Buffer().Resize(size.width() + 256, size.height() + 256);
        const QRect avail = s->availableGeometry();
        resize(std::min(1100, avail.width() - 40), std::min(780, avail.height() - 40));
    }
    context_.Renderer().SetBackground(Qt::black);

    const Status equipment = LoadEquipment(context_.Equipment(), context_.InstallDir() / "sysdefs");
    if (!equipment) context_.Boxes().ShowPlain(equipment.title, equipment.message);

    context_.Switches() = DisplaySwitches{};
    context_.Edit() = EditState{};
    lifecycle_->Start();
    editCommands_->RefreshCommands();
    ShowUnitPanel(NoSymbol);
}

void TMainForm::CreateBattle() {
    // The picker lists the symbols of the battle being replaced.
    pickerAdapter_->ClosePicker();
    lifecycle_->CreateNew();
}

void TMainForm::HistoryChanged(const StepChange&) {
    UpdateCaption();
    KeepRecoveryCopy();
    docks_->ScheduleRecheck();
}

void TMainForm::KeepRecoveryCopy() {
    const std::chrono::milliseconds wait = lifecycle_->KeepRecoveryCopy();
    if (wait.count() > 0 && !recoveryTimer_->isActive()) recoveryTimer_->start(wait);
}

void TMainForm::UpdateCaption() {
    // A touch alone (opening a battle marks it modified) is not a change to show; a battle that
    // has no file yet is.
    const bool unsaved =
        lifecycle_->BattleActive() && (context_.History().DiffersFromSaved() || lifecycle_->SaveAsRequired());
    setWindowTitle(FromAnsi(caption_) + (unsaved ? " *" : ""));
}

void TMainForm::ShowUnitPanel(int32_t hex) {
    const UnitSummary summary = SummarizeHex(context_.Battle(), context_.Equipment(), hex);
    view_->SetUnitSummary({summary.SdeLbl, summary.UntLbl, summary.StsLbl1, summary.BseLbl, summary.RnfLbl});
}

void TMainForm::Exit() {
    lifecycle_->RequestExit();
    view_->SetExiting(true);
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!lifecycle_->Close()) {
        view_->SetExiting(false);
        event->ignore();
        return;
    }
    view_->SetExiting(true);
    docks_->WindowClosing();
    // Every window the program opened ends with it, so that the program ends.
    context_.Help().Close();
    event->accept();
}

void TMainForm::ZoomFromKeyboard(bool in) {
    if (!lifecycle_->BattleActive()) return;
    // A zoom by key ends a pending zoom pick, cursor and all.
    session_->ZoomPick().Cancel();
    if (!in) {
        view_->ZoomOut();
        return;
    }
    // Zoom in on the hex under the mouse when it is over the map, else on the middle of the view.
    const int32_t pointer = view_->PointerHex();
    const QWidget* mapWin = view_->findChild<QWidget*>("MapWin");
    const bool overMap = mapWin && mapWin->underMouse() && pointer != NoSymbol;
    view_->ZoomInAt(overMap ? pointer : view_->Logic().CentreHex());
}

void TMainForm::HelpContents() {
    context_.Help().ShowContents(context_.InstallDir() / "tkx2.hlp");
}

void TMainForm::KeywordSearch() {
    context_.Help().ShowKeywordSearch(context_.InstallDir() / "tkx2.hlp");
}

void TMainForm::About() {
    if (!about_) about_ = new TAboutMBld(context_.Sounds(), this);
    about_->exec();
}

void TMainForm::SetCaption(const std::string& text) {
    caption_ = text;
    UpdateCaption();
}

void TMainForm::SetInfoText(const std::string& text) {
    infoText_ = text;
    if (noticeTimer_) noticeTimer_->stop();
    ShowInfo(text);
}

void TMainForm::ShowNotice(const std::string& text) {
    ShowInfo(text);
    noticeTimer_->start(NoticeMilliseconds);
}

void TMainForm::ShowInfo(const std::string& text) {
    QLabel* label = view_->InfoLabel();
    label->setText(FromAnsi(text));
    label->repaint();
}

void TMainForm::ShowProgress(int32_t position) {
    QProgressBar* bar = view_->ProgressBar();
    bar->setValue(std::clamp(position, 0, 100));
    bar->show();
    // Long loads do not return to the event loop, so the bar is painted here and now.
    bar->repaint();
}

void TMainForm::HideProgress() {
    view_->ProgressBar()->hide();
    view_->ProgressBar()->setValue(0);
}

void TMainForm::SetBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TMainForm::SetCommandEnabled(std::string_view name, bool enabled) {
    menus_->SetEnabled(name, enabled);
}

void TMainForm::SetCommandCaption(std::string_view name, const std::string& caption) {
    menus_->SetCaption(name, caption);
}

void TMainForm::SetCommandTip(std::string_view name, const std::string& tip) {
    QAction* item = findChild<QAction*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
    if (!item) return;
    item->setToolTip(FromAnsi(tip));
    // A menu shows its items' tips only when asked to.
    if (auto* menu = qobject_cast<QMenu*>(item->parent())) menu->setToolTipsVisible(true);
}

void TMainForm::SetRecentBattles(const std::vector<std::string>& paths) {
    menus_->SetRecentBattles(paths);
}

void TMainForm::ShowTitlePicture() {
    areas_->BattleClosed();
    view_->ShowTitlePicture();
    docks_->TitleShown();
}

void TMainForm::ShowBattle() {
    repaint();
    view_->ShowBattle();
    // The selection of the battle shown before does not apply to this one.
    areas_->BattleShown();
    docks_->BattleShown();
    pickerAdapter_->Refresh();
}

} // namespace k2
