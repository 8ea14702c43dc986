// Mouse and keyboard input delivered to widgets as real input events, for the offscreen GUI
// tests: presses and releases of any button, moves with or without a button held, clicks,
// drags, key presses and typing. A position of (-1, -1) means the middle of the widget.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <vector>

namespace k2::gui_input {

inline constexpr QPoint Middle(-1, -1);

namespace detail {

inline QPoint Resolve(QWidget* widget, QPoint pos) {
    return pos == Middle ? widget->rect().center() : pos;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
    const QPoint at = Resolve(widget, pos);
    const QPointF local(at), global(widget->mapToGlobal(at));
    QMouseEvent event(type, local, local, global, button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

} // namespace detail

// A button goes down at `pos` (the only button held).
inline void Press(QWidget* widget, QPoint pos = Middle, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    detail::SendMouse(widget, QEvent::MouseButtonPress, pos, button, button, modifiers);
}

// A button comes up at `pos`, leaving no button held.
inline void Release(QWidget* widget, QPoint pos = Middle, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    detail::SendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton, modifiers);
}

// The pointer moves to `pos` with `held` buttons down (none: a hover).
inline void MoveMouse(QWidget* widget, QPoint pos, Qt::MouseButtons held = Qt::NoButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    detail::SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, held, modifiers);
}

// Press and release at `pos`.
inline void Click(QWidget* widget, QPoint pos = Middle, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Press(widget, pos, button, modifiers);
    Release(widget, pos, button, modifiers);
}

// A drag: press at `from`, move through each of `through` and on to `to` with the button held,
// release at `to`.
inline void Drag(QWidget* widget, QPoint from, const std::vector<QPoint>& through, QPoint to,
                 Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Press(widget, from, button, modifiers);
    for (const QPoint& point : through)
        MoveMouse(widget, point, button, modifiers);
    MoveMouse(widget, to, button, modifiers);
    Release(widget, to, button, modifiers);
}

inline void PressKey(QWidget* widget, Qt::Key key, const QString& text = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
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
