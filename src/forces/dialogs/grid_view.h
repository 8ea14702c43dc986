// The read-only string grids of the forces dialogs on screen: a QTableWidget in the shell look,
// filled from cell texts, each column as wide as its nominal width or as its texts need.
#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class QWidget;

namespace k2 {

// A grid without a row header whose cells cannot be edited. A `sortable` grid's header draws
// an arrow in the section that its sort indicator names, and leaves room for it beside every
// header text.
QTableWidget* MakeReadOnlyGrid(const char* objectName, QWidget* parent, bool sortable = false);

// Sets the headers and cells (Windows-1252 bytes) and the column widths: the nominal width,
// or wider when a header or a cell would otherwise be cut off. Row heights are at least
// `minRowHeight` and high enough for the grid's font.
void FillGrid(QTableWidget* grid, const std::vector<std::string>& headers, const std::vector<int32_t>& widths,
              const std::vector<std::vector<std::string>>& rows, int minRowHeight = 15);

// The width of every column and the grid's frame, plus the vertical scroll bar when `withScrollBar`.
int GridFullWidth(const QTableWidget* grid, bool withScrollBar);
// The height of the header and `rows` rows and the frame.
int GridHeightFor(const QTableWidget* grid, int rows);

// The title label of a grid dialog ("Label1"): decorative, gold, centred.
QLabel* MakeGridTitle(QWidget* parent);
// The closing button ("Button1").
QPushButton* MakeCloseButton(const QString& caption, QWidget* parent);

} // namespace k2
