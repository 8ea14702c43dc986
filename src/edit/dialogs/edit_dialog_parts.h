// Small pieces that the map-editing dialogs share: the titled heading on the backdrop, group
// boxes and labels in the dialogs' fonts, the pair of arrow buttons that steps a value, and the
// preview of a terrain symbol.
#pragma once

#include "widgets/dialog_look.h"

#include <QString>

#include <cstdint>
#include <functional>

class QGroupBox;
class QLabel;
class QPixmap;
class QPushButton;
class QWidget;

namespace k2 {

class SymbolSet;

QLabel* MakeValueLabel(const char* name, QWidget* parent);
QPushButton* MakeDialogButton(const char* name, const QString& caption, QWidget* parent);

// A pair of arrow buttons named `name`, its children "Left" (lowers) and "Right" (raises). Each
// click runs its action and then `after`.
QWidget* MakeArrowPair(const char* name, QWidget* parent, std::function<void()> lower,
                       std::function<void()> raise, std::function<void()> after);

// Terrain symbol `terrain` from the largest zoom level's bitmap, scaled into one symbol cell on
// black and stretched to `side` x `side`. A symbol the set does not hold gives a black square.
QPixmap TerrainSymbolPreview(const SymbolSet& symbols, int32_t terrain, int side);

} // namespace k2
