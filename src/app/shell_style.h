// The look shared by the program's own dialogs: pixel-sized fonts by stored face name, and the
// style sheets that keep gold and cream text readable on the dark backdrop.
#pragma once

#include <QFont>
#include <QString>

namespace k2 {

// A font of the given stored face name ("Arial", "Kelt", ...) whose height is `pixels`.
QFont PixelFont(const QString& family, int pixels, bool bold = false);

QString ShellButtonStyle();
// Group boxes, labels, edits and buttons of a dialog laid out on the backdrop.
QString ShellDialogStyle();

} // namespace k2
