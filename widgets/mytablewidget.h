#pragma once

#include <QStringList>
#include <QTableWidget>

#include <memory>

class QMouseEvent;

// A table whose rows can be handed to another table: a right press takes the row under the pointer out
// and announces its texts with getRow; insertFirstRow puts a list of texts in as the new first row.
// Connect one table's getRow to another's insertFirstRow to move rows by right clicks.
class MyTableWidget : public QTableWidget
{
    Q_OBJECT

public:
    // Columns and header labels are left to the creator.
    MyTableWidget();
    ~MyTableWidget() override;

signals:
    // rowValue belongs to the sender and is refilled by its next right press: copy what you keep.
    // Sent before the row is removed.
    void getRow(QStringList* rowValue);

private slots:
    void insertFirstRow(QStringList* rowValue);
    void showText();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Texts of the row most recently taken out, in column order.
    std::unique_ptr<QStringList> removedRow;
};
