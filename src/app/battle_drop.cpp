#include "app/battle_drop.h"

#include "app/battle_lifecycle.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace k2 {

QString DroppedBattleFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    // One window holds one battle: a drag of several files is not taken.
    if (urls.size() != 1 || !urls[0].isLocalFile()) return {};
    const QString path = urls[0].toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "k2s" || suffix == "scn" ? path : QString();
}

bool OpenBattleFile(BattleLifecycle& lifecycle, const QString& path) {
    if (!lifecycle.SavePrompt()) return false;
    return lifecycle.LoadBattle(path.toStdString());
}

BattleDropFilter::BattleDropFilter(std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), open_(std::move(open)) {}

bool BattleDropFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedBattleFile(drag->mimeData()).isEmpty()) {
            drag->ignore();
        } else {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedBattleFile(drop->mimeData());
        if (path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // The file manager waits for the drop to end; the save prompt must not hold it up.
        QTimer::singleShot(0, this, [this, path] { open_(path); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace k2
