// Battles dropped on the main window, and the one way a battle named from outside the program (a
// drop, the command line) is opened: as Open Battle does, asking about unsaved changes first.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;

namespace k2 {

class BattleLifecycle;

// The battle file a drag carries: one local file ending in .k2s or .scn (any case); empty otherwise.
QString DroppedBattleFile(const QMimeData* data);

// Opens `path` as Open Battle does after its file chooser. Returns whether the battle was opened.
bool OpenBattleFile(BattleLifecycle& lifecycle, const QString& path);

// Accepts drags of a battle file over the watched window and hands the dropped file on once the
// drop has finished (the save prompt and the load then run outside the drag).
class BattleDropFilter : public QObject {
    Q_OBJECT
  public:
    explicit BattleDropFilter(std::function<void(const QString&)> open, QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QString&)> open_;
};

} // namespace k2
