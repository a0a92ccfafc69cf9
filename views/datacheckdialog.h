#pragma once

#include "gamedata/healthcheck.h"

#include <QDialog>

class GameDocument;
class QLabel;
class QTableWidget;

// "数据检查": what the game's readers skip or misread in the game's files, one finding a row (file, line, id,
// text). The list can be copied or saved as text; activating a row whose record the editor shows brings that
// record into view.
class DataCheckDialog : public QDialog
{
    Q_OBJECT

public:
    DataCheckDialog(GameDocument* document, QWidget* parent);

    // Checks the files on disk again and lists what it found.
    void recheck();

private:
    // The findings of the selected rows, or of all rows when none is selected, one a line.
    QString reportText(bool selectedOnly) const;
    void copyReport();
    void saveReport();
    void showRecord(int row);

    GameDocument* document;
    QTableWidget* table;
    QLabel* summary;
    QVector<HealthFinding> findings;
};
