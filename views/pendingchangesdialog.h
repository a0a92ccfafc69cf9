#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class Widget;

// Lists every change not yet saved: file, record, field, the value in the file and the new value. Stays in
// step with the editor while it is open; selected changes can be set back to their file values.
class PendingChangesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PendingChangesDialog(Widget* editor);

private:
    void refill();
    void revertSelected();

    Widget* editor;
    QTableWidget* table;
    QLabel* emptyNote;
    QPushButton* revertButton;
};
