// The look shared by the program's own dialogs: pixel-sized fonts by stored face name, the
// style sheets that keep gold and cream text readable on the dark backdrop, and the tiled
// backdrop panel every dialog is laid on.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
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

// Where a dialog opens. Every dialog fits the part of the screen that windows may use and opens
// centred on its parent's window, whatever the table it shows.

// The room for `window`: the available geometry of its parent's screen (the primary screen
// without a parent).
QRect DialogArea(const QWidget* window);
// Gives `window` the size its layout asks for, no larger than `area` with room for its frame.
// With `scrolling` (a table or list that scrolls), that widget is first set to show `wanted`
// pixels, less where the window would not fit: the rest of it scrolls, and the window is no
// larger than it needs.
void FitToArea(QWidget* window, const QRect& area, QWidget* scrolling = nullptr, QSize wanted = {});
// Moves `window` so that it is centred on its parent's window (on `area` without a parent),
// wholly inside `area`.
void CentreOnParent(QWidget* window, const QRect& area);
// Both on the dialog's own area: what every dialog does before it shows.
void FitAndCentre(QWidget* window, QWidget* scrolling = nullptr, QSize wanted = {});

} // namespace k2
