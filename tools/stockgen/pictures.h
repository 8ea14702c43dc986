// The title picture of the empty map window and the battle icons.
#pragma once

#include <QImage>
#include <string>
#include <vector>

namespace k2stock {

QImage PaintTitlePicture(); // 640 x 400

struct BattleIcon {
    std::string name; // file name without ".bmp"
    QImage picture;   // 120 x 120
};
// "sword" first: it is the icon of a new battle.
std::vector<BattleIcon> PaintBattleIcons();

// The first installed family of `preferred`, else a serif family Qt substitutes.
QString PickFontFamily(const QStringList& preferred);

} // namespace k2stock
