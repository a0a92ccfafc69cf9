#pragma once

#include <QTableWidget>

// A table that asks its layout for room to show a number of rows and insists on room for a few, so that a
// short window still shows rows to work with. Both heights follow the header, the row height and the scroll
// bar as the style draws them, also once a style sheet applies.
class RowsTable : public QTableWidget
{
public:
    RowsTable(int preferredRows, int fewestRows, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The height that shows the header and `rows` rows; the smallest height adds the horizontal scroll bar
    // while it shows.
    int heightForRows(int rows) const;

private:
    int preferredRows;
    int fewestRows;
};
