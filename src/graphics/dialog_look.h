// The look shared by the program's own dialogs: pixel-sized fonts by stored face name, the
// style sheets that keep gold and cream text readable on the dark backdrop, and the tiled
// backdrop panel every dialog is laid on.
#pragma once

#include <QFont>
#include <QString>

class QGroupBox;
class QLabel;
class QWidget;

namespace k2 {

class TMy_Panel;

// A font of the given stored face name ("Arial", "Kelt", ...) whose height is `pixels`.
QFont PixelFont(const QString& family, int pixels, bool bold = false);

QString ShellButtonStyle();
// Group boxes, labels, edits and buttons of a dialog laid out on the backdrop.
QString ShellDialogStyle();

// Lays `dialog` on a tiled backdrop panel ("Panel1") that fills it, gives the dialog the shell
// style and the Arial body font, and returns the panel for the dialog's controls.
TMy_Panel* LayOnBackdrop(QWidget* dialog, int bodyPixels = 13);

// The dialog's title in gold Kelt ("TitleLbl"), and a group box in bold Arial.
QLabel* MakeHeading(const QString& text, QWidget* parent, int pixels = 30);
QGroupBox* MakeGroup(const char* name, const QString& title, QWidget* parent);

} // namespace k2
