#include "view/map_view.h"

#include "core/file_lookup.h"
#include "core/hex_grid.h"
#include "graphics/ansi_text.h"
#include "graphics/hex_overlay.h"
#include "view/map_image.h"
#include "view/view_artwork.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace k2 {

namespace {

constexpr int32_t LabelHeight = 16;
constexpr int32_t InfoBarHeight = 22;
constexpr int32_t ZoomPanelWidth = 36;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFrame* MakePanel(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    return frame;
}

} // namespace

MapView::MapView(Scenario& scenario, MapRenderer& renderer, const DisplaySwitches& switches,
                 SoundPlayer& sounds, std::filesystem::path installDir, QWidget* parent)
    : QWidget(parent), scenario_(scenario), renderer_(renderer), switches_(switches), sounds_(sounds),
      installDir_(std::move(installDir)), logic_(scenario) {
    setObjectName("MapView");
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(MinimumWidth, MinimumHeight - 40);
    BuildControls();
}

void MapView::BuildControls() {
    mapWin_ = new MapImage(this);
    mapWin_->setCursor(MapCursor("HAND"));
    connect(mapWin_, &MapImage::Moved, this, &MapView::OnMouseMoved);
    connect(mapWin_, &MapImage::Pressed, this, [this](Qt::MouseButton button) {
        setFocus(Qt::MouseFocusReason);
        if (!loaded_) return;
        held_ = button;
        emit MapPressed(button);
    });
    connect(mapWin_, &MapImage::DoubleClicked, this, [this](Qt::MouseButton button) {
        if (loaded_) emit MapDoubleClicked(button);
    });
    connect(mapWin_, &MapImage::Released, this, [this](Qt::MouseButton button) {
        if (button != held_) return;
        held_ = Qt::NoButton;
        if (loaded_) emit MapReleased(button);
    });
    connect(mapWin_, &MapImage::Left, this, [this] {
        hovering_ = false;
        UpdateBrush();
        if (std::exchange(pointerHex_, NoSymbol) != NoSymbol) emit PointerHexChanged(NoSymbol);
        if (loaded_) emit UnitPanelHexChanged(NoSymbol);
    });
    connect(mapWin_, &MapImage::Wheeled, this, [this](int h, int v) {
        if (h != 0) ScrollBy(ScrollAxis::Horizontal, h);
        if (v != 0) ScrollBy(ScrollAxis::Vertical, v);
    });

    scrollHorz_ = new QScrollBar(Qt::Horizontal, this);
    scrollHorz_->setObjectName("ScrollHorz");
    scrollVert_ = new QScrollBar(Qt::Vertical, this);
    scrollVert_->setObjectName("ScrollVert");
    for (QScrollBar* bar : {scrollHorz_, scrollVert_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setEnabled(false);
        bar->setRange(0, 0);
    }
    connect(scrollHorz_, &QScrollBar::valueChanged, this,
            [this](int value) { OnScroll(ScrollAxis::Horizontal, value); });
    connect(scrollVert_, &QScrollBar::valueChanged, this,
            [this](int value) { OnScroll(ScrollAxis::Vertical, value); });

    mPanel_ = MakePanel(this, "MPanel");
    mPanel_->setFrameShape(QFrame::StyledPanel);
    mPanel_->setAutoFillBackground(true);
    mPanel_->setStyleSheet(
        "QFrame#MPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a2f22, stop:1 "
        "#1e1811); "
        "border-top: 1px solid #7a6230; }"
        "QFrame#IPanel, QFrame#UnitPanel { background: rgba(0,0,0,70); border: 1px solid #5a4828; "
        "border-radius: 3px; }"
        "QFrame#ZmPnl { background: transparent; }"
        "QFrame#InfoBar { background: #15110c; border: 1px solid #5a4828; border-radius: 2px; }"
        "QLabel { color: #eadfc4; font-family: 'Arial'; font-size: 12px; background: transparent; }"
        "QLabel#HexNo, QLabel#SdeLbl { color: #ddc51c; font-weight: bold; }"
        "QLabel#InfLbl { color: #ddc51c; }"
        "QToolButton { background: #2c241a; border: 1px solid #7a6230; border-radius: 4px; }"
        "QToolButton:hover { background: #443826; }"
        "QToolButton:pressed { background: #15110c; }"
        "QToolButton:disabled { border-color: #4a4030; }"
        "QProgressBar { border: 1px solid #7a6230; border-radius: 2px; background: #0c0a07; color: #eadfc4; "
        "font-size: 10px; text-align: center; }"
        "QProgressBar::chunk { background: #b08a2c; }");

    iPanel_ = MakePanel(mPanel_, "IPanel");
    const char* hoverNames[] = {"HexNo", "PrmTer", "SecTer", "ObjLbl", "MTLbl"};
    const char* hoverCaptions[] = {"Hex No:", "Primary Ter:", "Secondary Ter:", "Objective: ", "Map Text:"};
    for (size_t i = 0; i < hover_.size(); ++i)
        hover_[i] = MakeLabel(iPanel_, hoverNames[i], hoverCaptions[i]);

    unitPanel_ = MakePanel(mPanel_, "UnitPanel");
    const char* unitNames[] = {"SdeLbl", "UntLbl", "StsLbl1", "BseLbl", "RnfLbl"};
    for (size_t i = 0; i < unitLines_.size(); ++i)
        unitLines_[i] = MakeLabel(unitPanel_, unitNames[i], QString());

    zmPnl_ = MakePanel(mPanel_, "ZmPnl");
    zoomIn_ = new QToolButton(zmPnl_);
    zoomIn_->setObjectName("ZoomIn");
    zoomIn_->setIcon(ZoomButtonIcon(true));
    zoomIn_->setToolTip(tr("Zoom in: click the hex to zoom in on"));
    zoomOut_ = new QToolButton(zmPnl_);
    zoomOut_->setObjectName("ZoomOut");
    zoomOut_->setIcon(ZoomButtonIcon(false));
    zoomOut_->setToolTip(tr("Zoom out"));
    for (QToolButton* b : {zoomIn_, zoomOut_}) {
        b->setIconSize(QSize(24, 24));
        b->setFocusPolicy(Qt::NoFocus);
        b->setEnabled(false);
        b->setAutoRaise(false);
    }
    connect(zoomIn_, &QToolButton::clicked, this, [this] {
        if (loaded_ && logic_.CanZoomIn()) emit ZoomInPressed();
    });
    connect(zoomOut_, &QToolButton::clicked, this, [this] { ZoomOut(); });

    infoBar_ = MakePanel(mPanel_, "InfoBar");
    infLbl_ = MakeLabel(infoBar_, "InfLbl", QString());
    pBar_ = new QProgressBar(infoBar_);
    pBar_->setObjectName("PBar");
    pBar_->setRange(0, 100);
    pBar_->setTextVisible(false);
    pBar_->hide();
}

void MapView::resizeEvent(QResizeEvent*) {
    if (exiting_) return;
    LayOut();
}

void MapView::LayOut() {
    const int32_t w = width();
    const int32_t h = height();
    const int32_t barWidth = scrollVert_->sizeHint().width();
    const int32_t barHeight = scrollHorz_->sizeHint().height();
    const ViewSize view = ComputeViewSize(w, h, barWidth, barHeight, PanelHeight);

    mapWin_->setGeometry(0, 0, view.Width, view.Height);
    mapWin_->ResetPicture(QSize(view.Width, view.Height));
    scrollVert_->setGeometry(view.Width + 1, 0, barWidth, view.Height + 1);
    scrollHorz_->setGeometry(0, view.Height + 1, view.Width, barHeight);
    mPanel_->setGeometry(0, view.Height + 1 + barHeight, w, PanelHeight);

    const int32_t top = 4;
    const int32_t panelsHeight = PanelHeight - InfoBarHeight - 3 * top + 2;
    const int32_t usable = std::max(0, w - ZoomPanelWidth - 14);
    const int32_t infoWidth = usable * 9 / 20;
    iPanel_->setGeometry(4, top, infoWidth, panelsHeight);
    unitPanel_->setGeometry(8 + infoWidth, top, usable - infoWidth - 4, panelsHeight);
    for (size_t i = 0; i < hover_.size(); ++i)
        hover_[i]->setGeometry(6, 2 + static_cast<int>(i) * LabelHeight, infoWidth - 10, LabelHeight);
    for (size_t i = 0; i < unitLines_.size(); ++i)
        unitLines_[i]->setGeometry(6, 2 + static_cast<int>(i) * LabelHeight, unitPanel_->width() - 10,
                                   LabelHeight);

    zmPnl_->setGeometry(w - 38, top, ZoomPanelWidth, panelsHeight);
    zoomIn_->setGeometry(2, 2, 32, 32);
    zoomOut_->setGeometry(2, 40, 32, 32);

    infoBar_->setGeometry(2, PanelHeight - InfoBarHeight - 4, w - 4, InfoBarHeight);
    infLbl_->setGeometry(6, 1, std::max(0, w - 4 - 120), InfoBarHeight - 2);
    pBar_->setGeometry((w - 105) - 2, 4, 100, InfoBarHeight - 8);

    if (loaded_) {
        SetUpView();
        renderer_.Render();
        UpdateScrollbars();
        Present();
    } else {
        DrawTitle();
    }
    emit ViewMoved();
}

void MapView::SetUpView() {
    logic_.SetPitches(renderer_.Pitches());
    logic_.SetViewSize(mapWin_->width(), mapWin_->height());
    logic_.SetUpView();
    renderer_.SetViewSize(mapWin_->width(), mapWin_->height());
}

void MapView::ShowBattle() {
    loaded_ = true;
    marked_ = NoSymbol;
    renderer_.SetBattleLoaded(true);
    SetUpView();
    logic_.MarkViewSaved();
    DisplayMap();
    UpdateScrollbars();
    UpdateZoomButtons();
    mapWin_->setCursor(MapCursor("HAND"));
    emit ViewMoved();
}

void MapView::ShowTitlePicture() {
    loaded_ = false;
    marked_ = NoSymbol;
    mapWin_->SetOutline({});
    renderer_.SetBattleLoaded(false);
    for (QScrollBar* bar : {scrollHorz_, scrollVert_}) {
        const QSignalBlocker block(bar);
        bar->setRange(0, 0);
        bar->setEnabled(false);
    }
    zoomIn_->setEnabled(false);
    zoomOut_->setEnabled(false);
    mapWin_->setCursor(MapCursor("HAND"));
    DrawTitle();
    emit ViewMoved();
}

void MapView::DrawTitle() {
    QImage& picture = mapWin_->Picture();
    if (picture.isNull()) return; // not laid out yet; the first resize draws the title
    picture.fill(Qt::black);
    if (!titleLoaded_) {
        // Read once: the installation does not change while the editor runs.
        const std::filesystem::path file = FindFile(installDir_ / "sysbmps", "tkedt.bmp");
        storedTitle_.load(QString::fromStdString(file.string()));
        titleLoaded_ = true;
    }
    const QImage title =
        storedTitle_.isNull() ? DrawnTitlePicture(picture.size().boundedTo(QSize(640, 360))) : storedTitle_;
    QPainter p(&picture);
    p.drawImage((picture.width() - title.width()) / 2, (picture.height() - title.height()) / 2, title);
    p.end();
    mapWin_->update();
}

void MapView::DisplayMap() {
    if (!loaded_) {
        DrawTitle();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    renderer_.Render();
    Present();
    QApplication::restoreOverrideCursor();
}

void MapView::Present() {
    if (!loaded_) return;
    QImage& picture = mapWin_->Picture();
    const QRect from = renderer_.ViewRect();
    // Black where the map does not reach (a map smaller than the window).
    if (from.width() < picture.width() || from.height() < picture.height()) picture.fill(Qt::black);
    const bool presented = presenter_ && presenter_(std::as_const(renderer_).Buffer().Image(), from,
                                                    renderer_.TakeChanges(), picture);
    if (!presented) renderer_.PresentTo(picture);
    if (overlay_) overlay_(picture);
    UpdateBrush();
    mapWin_->update();
}

void MapView::UpdateBrush() {
    const bool terrainMode =
        edit_ && (edit_->Mode == EditMode::PlacePrimary || edit_->Mode == EditMode::PlaceSecondary ||
                  edit_->Mode == EditMode::FillPrimary);
    const int32_t brush = terrainMode && hovering_ ? PointerHex() : NoSymbol;
    // The brush outline wins while it is shown; otherwise a marked hex keeps its outline.
    const int32_t hex = brush != NoSymbol && renderer_.Visible().Contains(brush) ? brush : marked_;
    mapWin_->SetOutline(HexOutline(hex));
    // A brush wider than one hex is outlined around all of its hexes.
    std::vector<QLine> lines;
    const bool wide = edit_ && edit_->BrushRadius > 0 &&
                      (edit_->Mode == EditMode::PlacePrimary || edit_->Mode == EditMode::PlaceSecondary);
    if (wide && hex == brush && brush != NoSymbol) {
        std::vector<uint8_t> marks(scenario_.Hexes.size(), 0);
        // Border hexes are passed over by the brush, so they are left out of its outline.
        for (int32_t h : HexGrid{scenario_.Cols, scenario_.Rows}.Brush(brush, edit_->BrushRadius))
            marks[std::size_t(h)] = scenario_.IsBorderHex(h) ? 0 : 1;
        lines = HexOverlay(scenario_, renderer_).Outline(marks);
    }
    mapWin_->SetOutlineLines(std::move(lines));
}

QPolygon MapView::HexOutline(int32_t hex) const {
    if (!loaded_ || hex == NoSymbol || !scenario_.IsValidHex(hex) || !renderer_.Visible().Contains(hex))
        return {};
    // The hexagon of the tile: cell wide, a row pitch high, its top and bottom edges inset by
    // the part of the cell that overlaps the next column.
    const HexPoint at = renderer_.HexPositionInBuffer(hex);
    const int32_t zoom = logic_.Zoom();
    const int32_t cell = logic_.Pitches().CellSize[std::size_t(zoom)];
    const int32_t height = logic_.Pitches().RowPitch[std::size_t(zoom)];
    const int32_t inset = cell - logic_.Pitches().ColumnPitch[std::size_t(zoom)];
    const int32_t x = at.X - renderer_.LeftMargin(), y = at.Y - renderer_.TopMargin();
    return QPolygon({QPoint(x + inset, y), QPoint(x + cell - 1 - inset, y),
                     QPoint(x + cell - 1, y + height / 2), QPoint(x + cell - 1 - inset, y + height - 1),
                     QPoint(x + inset, y + height - 1), QPoint(x, y + height / 2)});
}

void MapView::UpdateScrollbars() {
    const auto apply = [](QScrollBar* bar, ScrollRange range, int32_t position, int32_t page) {
        const QSignalBlocker block(bar);
        bar->setEnabled(range.Enabled);
        bar->setRange(0, range.Enabled ? range.Maximum : 0);
        bar->setPageStep(std::max(1, page / 2));
        bar->setValue(range.Enabled ? position : 0);
    };
    const ViewMetrics m = logic_.Metrics();
    apply(scrollHorz_, loaded_ ? logic_.HorizontalRange() : ScrollRange{}, logic_.OriginColumn(),
          m.VisibleColumns);
    apply(scrollVert_, loaded_ ? logic_.VerticalRange() : ScrollRange{}, logic_.OriginRow(), m.VisibleRows);
}

void MapView::UpdateZoomButtons() {
    zoomIn_->setEnabled(loaded_ && logic_.CanZoomIn());
    zoomOut_->setEnabled(loaded_ && logic_.CanZoomOut());
}

void MapView::OnScroll(ScrollAxis axis, int32_t position) {
    if (!loaded_) return;
    switch (logic_.ScrollTo(axis, position, switches_.Elevation)) {
    case ScrollPaint::None:
        break;
    case ScrollPaint::Incremental:
        renderer_.ScrollShift();
        break;
    case ScrollPaint::Full:
        renderer_.RenderPass(RedrawAll);
        break;
    }
    UpdateScrollbars();
    Present();
    emit ViewMoved();
}

void MapView::ScrollBy(ScrollAxis axis, int32_t positions) {
    if (!loaded_ || positions == 0) return;
    const bool horizontal = axis == ScrollAxis::Horizontal;
    const ScrollRange range = horizontal ? logic_.HorizontalRange() : logic_.VerticalRange();
    if (!range.Enabled) return;
    const int32_t current = horizontal ? logic_.OriginColumn() : logic_.OriginRow();
    if ((positions > 0 && current >= range.Maximum) || (positions < 0 && current <= 0)) return;
    OnScroll(axis, std::clamp(current + positions, 0, range.Maximum));
}

void MapView::keyPressEvent(QKeyEvent* event) {
    if (keyHook_ && keyHook_(event->key())) {
        event->accept();
        return;
    }
    const int32_t page = std::max(1, logic_.Metrics().VisibleRows / 2);
    switch (event->key()) {
    case Qt::Key_Left:
        ScrollBy(ScrollAxis::Horizontal, -1);
        break;
    case Qt::Key_Right:
        ScrollBy(ScrollAxis::Horizontal, 1);
        break;
    case Qt::Key_Up:
        ScrollBy(ScrollAxis::Vertical, -1);
        break;
    case Qt::Key_Down:
        ScrollBy(ScrollAxis::Vertical, 1);
        break;
    case Qt::Key_PageUp:
        ScrollBy(ScrollAxis::Vertical, -page);
        break;
    case Qt::Key_PageDown:
        ScrollBy(ScrollAxis::Vertical, page);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

int32_t MapView::PointerHex() const {
    if (!loaded_ || !logic_.Usable() || pointer_.x() < 0) return NoSymbol;
    const auto z = static_cast<size_t>(logic_.Zoom());
    const HexPitches& p = logic_.Pitches();
    return HitTest(pointer_.x(), pointer_.y(), scenario_.ViewOriginHex, scenario_.Cols, scenario_.Rows,
                   p.ColumnPitch[z], p.RowPitch[z]);
}

void MapView::EmitDragPath(QPoint from, QPoint to) {
    // Reported positions can lie hexes apart when the pointer moves fast; every hex on the
    // straight way between them is passed, in order.
    const QPoint delta = to - from;
    const int steps = std::max(1, std::max(std::abs(delta.x()), std::abs(delta.y())) / 3);
    int32_t last = NoSymbol;
    for (int i = 1; i <= steps; ++i) {
        pointer_ = from + delta * i / steps;
        const int32_t hex = PointerHex();
        if (hex != last && hex != NoSymbol) emit MapDragged(hex);
        last = hex;
    }
}

void MapView::OnMouseMoved(int x, int y) {
    if (!loaded_) return;
    const QPoint previous = pointer_;
    pointer_ = QPoint(x, y);
    hovering_ = true;
    if (held_ != Qt::NoButton && previous.x() >= 0) EmitDragPath(previous, pointer_);
    UpdateBrush();
    RefreshHover();
    if (const int32_t hex = PointerHex(); hex != pointerHex_) {
        pointerHex_ = hex;
        emit PointerHexChanged(hex);
    }
}

void MapView::RefreshHover() {
    if (!loaded_ || !hovering_) return;
    const int32_t hex = PointerHex();
    const HoverTexts texts = DescribeHex(scenario_, hex);
    const std::array<const std::string*, 5> lines = {&texts.HexNo, &texts.PrmTer, &texts.SecTer,
                                                     &texts.ObjLbl, &texts.MTLbl};
    for (size_t i = 0; i < hover_.size(); ++i)
        hover_[i]->setText(FromAnsi(*lines[i]));
    emit UnitPanelHexChanged(UnitPanelHex(scenario_, hex));
}

void MapView::SetUnitSummary(const std::array<std::string, 5>& lines) {
    for (size_t i = 0; i < unitLines_.size(); ++i)
        unitLines_[i]->setText(FromAnsi(lines[i]));
}

void MapView::ZoomInAt(int32_t hex) {
    if (!loaded_ || !logic_.CanZoomIn() || !scenario_.IsValidHex(hex)) return;
    sounds_.Play(SoundAccept, 1);
    logic_.ZoomInAt(hex);
    SetUpView();
    DisplayMap();
    UpdateScrollbars();
    UpdateZoomButtons();
    emit ViewMoved();
}

void MapView::ZoomOut() {
    if (!loaded_ || !logic_.CanZoomOut()) return;
    sounds_.Play(SoundAccept, 1);
    logic_.ZoomOut();
    SetUpView();
    DisplayMap();
    UpdateScrollbars();
    UpdateZoomButtons();
    emit ViewMoved();
}

void MapView::CenterOn(int32_t hex) {
    if (!loaded_ || !logic_.Usable() || !scenario_.IsValidHex(hex)) return;
    const auto [hexRow, hexCol] = scenario_.HexRowCol(hex);
    const ViewMetrics m = logic_.Metrics();
    // The origin column and row stay even: an odd one goes down by one.
    int32_t col = std::clamp(hexCol - m.VisibleColumns / 2, 0, scenario_.Cols - 1);
    int32_t row = std::clamp(hexRow - m.VisibleRows / 2, 0, scenario_.Rows - 1);
    col -= col % 2;
    row -= row % 2;
    const int32_t before = scenario_.ViewOriginHex;
    scenario_.ViewOriginHex = scenario_.HexIndex(row, col);
    logic_.SetUpView(); // keeps the view on the map
    if (scenario_.ViewOriginHex == before) return;
    renderer_.RenderPass(RedrawAll);
    UpdateScrollbars();
    Present();
    emit ViewMoved();
}

void MapView::MarkHex(int32_t hex) {
    marked_ = loaded_ && scenario_.IsValidHex(hex) ? hex : NoSymbol;
    UpdateBrush();
}

void MapView::SetZoomCursor(bool zoom) {
    mapWin_->setCursor(MapCursor(zoom ? "ZOOM" : "HAND"));
}

} // namespace k2
