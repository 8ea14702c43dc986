#include "edit/dialogs/edit_dialog_parts.h"

#include "graphics/backdrop.h"
#include "graphics/symbol_set.h"
#include "widgets/dialog_look.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace k2 {

QLabel* MakeValueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(PixelFont("Arial", 13));
    return label;
}

QPushButton* MakeDialogButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(PixelFont("Kelt", 17));
    button->setMinimumWidth(84);
    button->setAutoDefault(false);
    return button;
}

QWidget* MakeArrowPair(const char* name, QWidget* parent, std::function<void()> lower,
                       std::function<void()> raise, std::function<void()> after) {
    auto* box = new QWidget(parent);
    box->setObjectName(name);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    // The arrows take the text colour, which the backdrop needs light.
    box->setStyleSheet("QToolButton { color: #F0E6CC; }");
    const auto arrow = [&](const char* part, Qt::ArrowType type, std::function<void()> action) {
        auto* button = new QToolButton(box);
        button->setObjectName(part);
        button->setArrowType(type);
        button->setFixedSize(20, 20);
        button->setAutoRepeat(true);
        QObject::connect(button, &QToolButton::clicked, box, [action, after] {
            action();
            after();
        });
        layout->addWidget(button);
    };
    arrow("Left", Qt::LeftArrow, std::move(lower));
    arrow("Right", Qt::RightArrow, std::move(raise));
    return box;
}

QPixmap TerrainSymbolPreview(const SymbolSet& symbols, int32_t terrain, int side) {
    constexpr int32_t LargestZoom = ZoomLevelCount - 1;
    const int32_t cellSize = symbols.Loaded() ? symbols.CellSize(LargestZoom) : 0;
    QImage cell(std::max(cellSize, 1), std::max(cellSize, 1), QImage::Format_RGB32);
    cell.fill(Qt::black);
    const QImage& bitmap = symbols.Loaded() ? symbols.TerrainBitmap(LargestZoom) : QImage();
    if (symbols.IsTerrainSymbol(terrain) && !bitmap.isNull()) {
        const SymbolCell& source = symbols.Terrain(terrain).Cells[size_t(LargestZoom)];
        const QRect rect(source.Left, source.Top, source.Width(), source.Height());
        if (rect.isValid()) QPainter(&cell).drawImage(cell.rect(), bitmap, rect);
    }
    return QPixmap::fromImage(cell.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace k2
