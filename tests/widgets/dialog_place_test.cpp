// Where a dialog opens: fitted to a 1366 x 768 screen, a table too wide for it scrolling, and
// centred on the parent window without leaving the screen.
#include "widgets/dialog_look.h"

#include <QDialog>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <gmock/gmock.h>

#include <memory>

using namespace k2;

namespace {

const QRect Laptop(0, 0, 1366, 768);

// A dialog laid out as the grid dialogs are: a title row, a table and a button row.
struct GridDialog {
    explicit GridDialog(QWidget* parent, int columns) : dialog(parent) {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QWidget);
        table = new QTableWidget(5, columns);
        table->verticalHeader()->hide();
        for (int c = 0; c < columns; ++c)
            table->setColumnWidth(c, 100);
        layout->addWidget(table, 1);
        layout->addWidget(new QWidget);
    }
    int ColumnsWidth() const { return table->columnCount() * 100 + 2 * table->frameWidth(); }

    QDialog dialog;
    QTableWidget* table = nullptr;
};

TEST(DialogPlace, ATableTooWideForTheScreenScrollsInsideAWindowThatFits) {
    GridDialog wide(nullptr, 20);
    FitToArea(&wide.dialog, Laptop, wide.table, QSize(wide.ColumnsWidth(), 300));
    EXPECT_LE(wide.dialog.width(), Laptop.width());
    EXPECT_LE(wide.dialog.height(), Laptop.height());
    wide.dialog.show();
    EXPECT_LT(wide.table->viewport()->width(), wide.ColumnsWidth());
    EXPECT_GT(wide.table->horizontalScrollBar()->maximum(), 0);
    // The scroll bar's height comes on top of the rows asked for.
    const int bar = wide.table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, wide.table);
    EXPECT_EQ(wide.table->height(), 300 + bar);
    wide.dialog.hide();

    // A table that fits is shown whole in a window no wider than the table needs.
    GridDialog narrow(nullptr, 4);
    FitToArea(&narrow.dialog, Laptop, narrow.table, QSize(narrow.ColumnsWidth(), 300));
    narrow.dialog.show();
    EXPECT_EQ(narrow.table->width(), narrow.ColumnsWidth());
    EXPECT_EQ(narrow.dialog.width(), narrow.dialog.minimumSizeHint().width());
    EXPECT_EQ(narrow.table->horizontalScrollBar()->maximum(), 0);
    narrow.dialog.hide();
}

TEST(DialogPlace, ADialogOpensCentredOnItsParentAndStaysOnTheScreen) {
    struct Case {
        const char* what;
        QRect parent;
        bool centred;
    };
    for (const Case& c : {Case{"a parent in the middle", QRect(120, 60, 1000, 640), true},
                          Case{"a parent at the left edge", QRect(0, 0, 500, 400), false},
                          Case{"a parent off the bottom right", QRect(1100, 600, 600, 400), false}}) {
        SCOPED_TRACE(c.what);
        QWidget parent;
        parent.setGeometry(c.parent);
        GridDialog grid(&parent, 6);
        FitToArea(&grid.dialog, Laptop, grid.table, QSize(grid.ColumnsWidth(), 300));
        CentreOnParent(&grid.dialog, Laptop);
        const QRect placed(grid.dialog.pos(), grid.dialog.size());
        EXPECT_TRUE(Laptop.contains(placed)) << placed.x() << "," << placed.y();
        if (c.centred) {
            EXPECT_LE(std::abs(placed.center().x() - c.parent.center().x()), 1);
            EXPECT_LE(std::abs(placed.center().y() - c.parent.center().y()), 1);
        }
    }
}

} // namespace
