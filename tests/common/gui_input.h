// Mouse clicks and key presses delivered to widgets as real input events, for the offscreen
// GUI tests of the shell dialogs.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace k2::gui_input {

// A left click at `pos` (the middle of the widget by default): press and release.
inline void Click(QWidget* widget, QPoint pos = QPoint(-1, -1)) {
    if (pos == QPoint(-1, -1)) pos = widget->rect().center();
    const QPointF local(pos), global(widget->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

inline void PressKey(QWidget* widget, Qt::Key key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// Types `text` character by character, as the keyboard would.
inline void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        const QChar upper = c.toUpper();
        const Qt::Key key = upper.unicode() < 0x80 ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
        PressKey(widget, key, QString(c));
    }
}

} // namespace k2::gui_input
