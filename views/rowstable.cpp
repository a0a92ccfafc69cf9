#include "views/rowstable.h"

#include <QHeaderView>
#include <QScrollBar>

RowsTable::RowsTable(int preferredRows, int fewestRows, QWidget* parent)
    : QTableWidget(parent), preferredRows(preferredRows), fewestRows(fewestRows)
{
    // The room for the horizontal scroll bar comes and goes with it.
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { updateGeometry(); });
}

int RowsTable::heightForRows(int rows) const
{
    return horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
}

QSize RowsTable::sizeHint() const
{
    // The preferred height stays put as the scroll bar comes and goes, so a splitter's default division does not
    // depend on the width the table had at the time.
    return QSize(QTableWidget::sizeHint().width(), heightForRows(preferredRows));
}

QSize RowsTable::minimumSizeHint() const
{
    const bool scrolls = horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
                         (horizontalScrollBarPolicy() == Qt::ScrollBarAsNeeded && horizontalScrollBar()->maximum() > 0);
    const int scrollBar = scrolls ? horizontalScrollBar()->sizeHint().height() : 0;
    return QSize(QTableWidget::minimumSizeHint().width(), heightForRows(fewestRows) + scrollBar);
}
