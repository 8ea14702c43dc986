#include "app/reference_window.h"

#include "app/command_names.h"
#include "app/reference_dialog.h"
#include "graphics/reference_sidecar.h"
#include "view/map_view.h"
#include "view/map_view_logic.h"

#include <QImageReader>
#include <QPainter>

#include <cmath>
#include <cstdio>

namespace k2 {

ReferenceWindow::ReferenceWindow(ReferenceParts parts) : parts_(parts) {
    // A slice at a time (about a millisecond), so that input waits for no more than one: the
    // blend kept for scrolls, from the buffer the view last showed (unless the renderer has
    // drawn since, when the next present blends everything), then the margin.
    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(0);
    QObject::connect(&idleTimer_, &QTimer::timeout, [this] {
        const MapRenderer& r = parts_.renderer;
        const bool more = r.ChangesPending() || !parts_.view.Logic().Usable()
                              ? layer_.FillMargin(MarginSlicePixels)
                              : layer_.RenewComposite(r.Buffer().Image(), r.ViewRect(), CompositeSliceRows) ||
                                    layer_.FillMargin(MarginSlicePixels);
        if (more) idleTimer_.start();
    });
}

ReferenceWindow::~ReferenceWindow() = default;

QTransform ReferenceWindow::ToMap() const {
    const Scenario& s = parts_.scenario;
    const HexPitches& pitches = parts_.view.Logic().Pitches();
    return PlacementAtZoom(PlacementOf(settings_, layer_.PictureSize(), s.Cols, s.Rows, pitches), pitches,
                           parts_.view.Logic().Zoom());
}

QTransform ReferenceWindow::ToView() const {
    const QPointF origin = MapOriginInView(parts_.renderer, parts_.scenario, parts_.view.Logic().Pitches(),
                                           parts_.view.Logic().Zoom());
    return ToMap() * QTransform::fromTranslate(origin.x(), origin.y());
}

ScaleAngle ReferenceWindow::CurrentScaleAngle() const {
    const Scenario& s = parts_.scenario;
    return ScaleAndAngleOf(
        PlacementOf(settings_, layer_.PictureSize(), s.Cols, s.Rows, parts_.view.Logic().Pitches()));
}

bool ReferenceWindow::Present(const QImage& map, QRect from, const BufferChanges& changes, QImage& picture) {
    if (!layer_.HasPicture() || !parts_.switches.Reference || !parts_.view.Logic().Usable()) {
        layer_.Forget();
        return false;
    }
    const QTransform toView = ToView();
    layer_.Present(map, from, picture, toView, settings_.Opacity, changes);
    // What the next scroll needs is made ready once the editor is idle.
    if ((layer_.CompositePending() || layer_.MarginPending()) && !idleTimer_.isActive()) idleTimer_.start();
    if (parts_.edit.Mode != EditMode::AlignReference) return true;
    // The points picked for the pairs under way, as small crosses.
    QPainter p(&picture);
    p.setPen(QPen(QColor(255, 40, 40), 2));
    for (const QPointF& point : aligner_.PendingPoints()) {
        const QPointF at = toView.map(point);
        p.drawLine(at + QPointF(-6, 0), at + QPointF(6, 0));
        p.drawLine(at + QPointF(0, -6), at + QPointF(0, 6));
    }
    return true;
}

void ReferenceWindow::DrawOverMap(QImage& picture, QPointF mapOrigin) const {
    if (!layer_.HasPicture() || picture.isNull()) return;
    // Once, over a picture that may be far larger than the view: drawn straight in, not kept.
    QPainter p(&picture);
    p.setOpacity(settings_.Opacity / 100.0);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setTransform(ToMap() * QTransform::fromTranslate(mapOrigin.x(), mapOrigin.y()));
    p.drawImage(0, 0, layer_.Picture());
}

Status ReferenceWindow::LoadPicture() {
    layer_.SetPicture(QImage());
    const std::string name = settings_.Picture.filename().string();
    QImageReader reader(QString::fromStdU16String(settings_.Picture.u16string()));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && int64_t(size.width()) * size.height() > MaxPicturePixels)
        return Status::Fail("The reference picture " + name +
                            " is too large: " + std::to_string(size.width()) + " x " +
                            std::to_string(size.height()) + " pixels.");
    const QImage picture = reader.read();
    if (picture.isNull())
        return Status::Fail("The reference picture " + name +
                            " could not be read: " + reader.errorString().toStdString() + ".");
    if (!layer_.SetPicture(picture))
        return Status::Fail("The reference picture " + name + " is too large to hold in memory.");
    return Status::Ok();
}

void ReferenceWindow::Keep() {
    if (battleFile_.empty() || inDialog_) return;
    const Status kept = WriteReferenceSidecar(settings_, battleFile_);
    if (!kept) parts_.screen.ShowNotice(kept.message);
}

void ReferenceWindow::RefreshCommands() {
    const bool picture = layer_.HasPicture();
    parts_.screen.SetCommandEnabled(cmd::AlignReference, picture);
    parts_.screen.SetCommandEnabled(cmd::ReferenceDisplay, picture);
    const std::string why = picture ? "" : "Choose a picture with View > Reference Image... first.";
    parts_.screen.SetCommandTip(cmd::AlignReference, why);
    parts_.screen.SetCommandTip(cmd::ReferenceDisplay, why);
    parts_.screen.SetCommandCaption(cmd::ReferenceDisplay,
                                    SwitchCaption(DisplaySwitch::Reference, parts_.switches.Reference));
    // Without a picture there is nothing to align.
    if (!picture && parts_.edit.Mode == EditMode::AlignReference) {
        parts_.edit.Mode = EditMode::None;
        parts_.screen.SetInfoText("Battle Active.");
    }
}

void ReferenceWindow::Changed(bool keep) {
    parts_.switches.Reference = settings_.Shown;
    RefreshCommands();
    parts_.view.Present();
    if (keep) Keep();
}

Status ReferenceWindow::ChoosePicture(const std::filesystem::path& file) {
    const ReferenceSettings before = settings_;
    settings_ = ReferenceSettings{};
    settings_.Picture = file;
    settings_.Opacity = before.Picture.empty() ? ReferenceSettings::DefaultOpacity : before.Opacity;
    const Status read = LoadPicture();
    if (!read) {
        Restore(before);
        return read;
    }
    aligner_.Restart();
    Changed();
    return read;
}

void ReferenceWindow::RemovePicture() {
    settings_ = ReferenceSettings{};
    layer_.SetPicture(QImage());
    Changed();
}

void ReferenceWindow::SetOpacity(int32_t percent) {
    settings_.Opacity = std::clamp(percent, 0, 100);
    Changed();
}

void ReferenceWindow::ResetAlignment() {
    settings_.Anchors.clear();
    settings_.Nudge = {};
    aligner_.Restart();
    Changed();
}

void ReferenceWindow::Restore(const ReferenceSettings& settings) {
    const bool reread = settings.Picture != settings_.Picture || !layer_.HasPicture();
    settings_ = settings;
    if (reread && !settings_.Picture.empty()) (void)LoadPicture();
    if (settings_.Picture.empty()) layer_.SetPicture(QImage());
    Changed();
}

void ReferenceWindow::ShowDialog() {
    if (!dialog_) dialog_ = new TReferenceImage(*this, parts_.chooser, parts_.parent);
    inDialog_ = true;
    dialog_->Run();
    inDialog_ = false;
    Keep();
}

void ReferenceWindow::BeginAlign() {
    if (!layer_.HasPicture()) return;
    parts_.edit.Mode = EditMode::AlignReference;
    aligner_.Restart();
    if (!settings_.Shown) settings_.Shown = true;
    parts_.screen.SetInfoText(aligner_.Prompt());
    Changed();
}

bool ReferenceWindow::Press(bool left, QPoint at, int32_t hex) {
    if (parts_.edit.Mode != EditMode::AlignReference) return false;
    if (!left) {
        // The right button starts the pairs again.
        aligner_.Restart();
    } else {
        const QPointF point = ToView().inverted().map(QPointF(at) + QPointF(0.5, 0.5));
        const bool onPicture = QRectF(QPointF(0, 0), QSizeF(layer_.PictureSize())).contains(point);
        const ReferenceAligner::Outcome outcome = aligner_.Click(point, onPicture, hex);
        if (!outcome.Refusal.empty()) {
            parts_.screen.ShowNotice(outcome.Refusal);
            return true;
        }
        if (outcome.Done) {
            settings_.Anchors = *outcome.Done;
            settings_.Nudge = {};
            const ScaleAngle placed = CurrentScaleAngle();
            Changed();
            parts_.screen.SetInfoText(aligner_.Prompt());
            char text[96];
            std::snprintf(text, sizeof text, "Reference picture aligned: scale %.3f, angle %.1f degrees.",
                          placed.Scale, placed.Degrees);
            parts_.screen.ShowNotice(text);
            return true;
        }
    }
    parts_.screen.SetInfoText(aligner_.Prompt());
    parts_.view.Present();
    return true;
}

bool ReferenceWindow::Key(int key) {
    if (parts_.edit.Mode != EditMode::AlignReference || !layer_.HasPicture()) return false;
    QPointF step;
    switch (key) {
    case Qt::Key_Left:
        step = {-1, 0};
        break;
    case Qt::Key_Right:
        step = {1, 0};
        break;
    case Qt::Key_Up:
        step = {0, -1};
        break;
    case Qt::Key_Down:
        step = {0, 1};
        break;
    default:
        return false;
    }
    settings_.Nudge += step;
    Changed();
    return true;
}

void ReferenceWindow::SwitchFlipped() {
    if (settings_.Shown == parts_.switches.Reference) return;
    settings_.Shown = parts_.switches.Reference;
    Changed();
}

void ReferenceWindow::BattleOpened(const std::string& path) {
    battleFile_ = path;
    settings_ = ReferenceSettings{};
    layer_.SetPicture(QImage());
    aligner_.Restart();
    const ReferenceSidecarRead read =
        ReadReferenceSidecar(battleFile_, int32_t(parts_.scenario.Hexes.size()));
    if (!read.Outcome) {
        parts_.screen.SetInfoText(read.Outcome.message);
    } else if (read.Found) {
        settings_ = read.Settings;
        const Status picture = LoadPicture();
        if (!picture) parts_.screen.SetInfoText(picture.message);
    }
    Changed(false);
}

void ReferenceWindow::BattleSaved(const std::string& path) {
    battleFile_ = path;
    Keep();
}

void ReferenceWindow::BattleClosed() {
    battleFile_.clear();
    settings_ = ReferenceSettings{};
    layer_.SetPicture(QImage());
    aligner_.Restart();
    Changed(false);
}

} // namespace k2
