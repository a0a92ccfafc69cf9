#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class GameDocument;

// Lists every change not yet saved: file, record, field, the value in the file and the new value. Stays in
// step with the editor while it is open; selected changes can be set back to their file values.
class PendingChangesDialog : public QDialog
{
    Q_OBJECT

public:
    PendingChangesDialog(GameDocument* document, QWidget* parent);

private:
    void refill();
    void revertSelected();

    GameDocument* document;
    QTableWidget* table;
    QLabel* emptyNote;
    QPushButton* revertButton;
};
