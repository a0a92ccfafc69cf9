#include "widgets/appsearchline.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QTableWidgetItem>

AppSearchLine::AppSearchLine(QTableWidget* table, int firstColumn, int lastColumn)
    : QLineEdit(nullptr), searchTable(table), lastColumn(lastColumn), firstColumn(firstColumn)
{
    auto* layout = new QHBoxLayout;
    auto* button = new QPushButton;
    button->setObjectName(QStringLiteral("searchButton"));
    button->setFixedSize(24, 24);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(tr("搜索"));
    // A missing picture only leaves the button blank.
    button->setStyleSheet(QStringLiteral("QPushButton{border-image:url(:/res/seach-btn.png);}"));
    setPlaceholderText(tr("搜索"));

    // The button sits inside the line at its left end; the text margin keeps typing clear of it.
    layout->addWidget(button);
    layout->addStretch();
    layout->setContentsMargins(8, 0, 0, 0);
    setTextMargins(35, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    setLayout(layout);
    setStyleSheet(QStringLiteral("height:29px;border:1px solid #eaeaea;border-radius:14px;"));

    connect(button, &QPushButton::clicked, this, &AppSearchLine::seachFromTable);
    connect(this, &QLineEdit::editingFinished, this, &AppSearchLine::seachFromTable);
}

// Every search decides each row afresh, so rows hidden by an earlier search come back when they match,
// and rows a refilled table brings in are judged on their own texts.
void AppSearchLine::seachFromTable()
{
    showRowsContaining(searchTable, firstColumn, lastColumn, text());
}

void showRowsContaining(QTableWidget* table, int firstColumn, int lastColumn, const QString& text)
{
    const bool updates = table->updatesEnabled();
    table->setUpdatesEnabled(false);
    for (int row = 0; row < table->rowCount(); ++row) {
        // A first column past the last one leaves nothing to search by; rather than hiding every row,
        // such a range filters nothing and shows them all.
        bool matches = firstColumn > lastColumn;
        for (int column = firstColumn; column <= lastColumn && !matches; ++column) {
            const QTableWidgetItem* cell = table->item(row, column);
            matches = (cell ? cell->text() : QString()).contains(text, Qt::CaseSensitive);
        }
        if (table->isRowHidden(row) == matches)
            table->setRowHidden(row, !matches);
    }
    table->setUpdatesEnabled(updates);
}
