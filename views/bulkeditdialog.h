#pragma once

#include "gamedata/bulkrule.h"

#include <QDialog>

class QButtonGroup;
class QIntValidator;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct TableShape;

// "批量修改…": applies a rule ("设为", "增加" or "乘以百分比" a number) to the selected cells. It shows how
// many cells the rule changes and how many it leaves out, and a preview of the first changes; a skill range
// above 7 gets the warning look of a hand edit. OK is offered only when something changes. Each operation
// starts from its amount that changes nothing (none for "设为", which waits for a number).
class BulkEditDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BulkEditDialog(QList<BulkCell> cells, QWidget* parent = nullptr);

    BulkRule rule() const;
    // The rule as now chosen, applied to the cells (values in the order of the cells given).
    const BulkOutcome& outcome() const { return current; }

    // The selected cells of the table that are in view, row by row in the order shown, described by the
    // table's shape; `skillRanges` marks the number cells as attack ranges.
    static QList<BulkCell> selectedCells(const QTableWidget* table, const TableShape& shape, bool skillRanges);

private:
    void operationChosen(int id);
    void ruleChanged();

    QList<BulkCell> cells;
    BulkOutcome current;
    QButtonGroup* operations;
    QLineEdit* amount;
    QLabel* percentSign;
    QIntValidator* range;
    QLabel* summary;
    QTableWidget* preview;
    QPushButton* okButton;
};
