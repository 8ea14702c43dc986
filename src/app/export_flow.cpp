#include "app/export_flow.h"

#include "app/editor_context.h"
#include "app/export_map_dialog.h"
#include "app/reference_window.h"
#include "graphics/map_export.h"

#include <QApplication>
#include <QProgressDialog>

#include <optional>

namespace k2 {

void ExportFlow::Run(QSize visible, const std::filesystem::path& battleFile,
                     const std::filesystem::path& scenariosDir) {
    const Scenario& battle = context_.Battle();
    if (!choice_) choice_ = new TExportMap(parent_);
    choice_->OfferReference(reference_.HasPicture(), context_.Switches().Reference);
    const std::optional<ExportArea> area = choice_->Choose(WholeMapSize(battle, context_.Symbols()), visible);
    if (!area) return;
    std::string proposed = battle.BattleName.Str();
    if (proposed.empty()) proposed = battleFile.stem().string();
    const std::optional<std::filesystem::path> file = context_.Chooser().ChooseSave(
        {"Export Map Image", "PNG Images|*.png", ".png",
         battleFile.has_parent_path() ? battleFile.parent_path() : scenariosDir, proposed + ".png"});
    if (!file) return;

    QProgressDialog progress("Drawing the map image...", "Cancel", 0, 100, parent_);
    progress.setObjectName("ExportProgress");
    progress.setWindowTitle("Export Map Image");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    MapDecoration decorate;
    if (choice_->IncludeReference())
        decorate = [this](QImage& picture, QPointF mapOrigin) { reference_.DrawOverMap(picture, mapOrigin); };
    screen_.SetBusy(true);
    const Status status = ExportMapImage(
        battle, context_.Symbols(), context_.Switches(), *area, visible, *file,
        [&progress](int percent) {
            progress.setValue(percent);
            QApplication::processEvents();
            return !progress.wasCanceled();
        },
        decorate);
    screen_.SetBusy(false);
    progress.reset();
    if (IsExportCancelled(status)) return;
    if (!status) {
        context_.Boxes().ShowPlain("Warning", status.message);
        return;
    }
    screen_.SetInfoText("Map image written to " + file->string());
}

} // namespace k2
