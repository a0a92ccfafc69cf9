#pragma once

#include "document/gamediff.h"
#include "document/gamedocument.h"

#include <QDialog>
#include <QSet>

class QCheckBox;
class QTableWidget;

// The preview of a change set before it is applied, and of a comparison: every change with the value the game
// holds now and whether it can be made. A conflict (the game holds another value than the change's "before")
// is applied only when the user ticks it, or all of them at once; a change the game has no record for is
// listed and never applied. With `applicable` false the dialog only shows.
class ChangeSetPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    ChangeSetPreviewDialog(const QString& title, const QVector<RecordChange>& changes,
                           const QVector<ChangeCheck>& checks, bool applicable, QWidget* parent = nullptr);

    // The changes to make, by index: those the game holds "before" of, and the conflicts ticked.
    QVector<int> chosen() const;
    // The conflicts ticked, by index.
    QSet<int> chosenConflicts() const;
    QTableWidget* table() const { return list; }
    // Offers to open a story whose statistics the changes hold ("应用后打开剧本 name"); whether the user wants to.
    void offerStory(const QString& name);
    bool storyWanted() const;
    // Other texts for the two buttons ("恢复", "放弃" when recovering).
    void setButtonTexts(const QString& apply, const QString& cancel);

private:
    QVector<ChangeCheck> checks;
    QTableWidget* list;
    QCheckBox* allConflicts;
    QCheckBox* openStory = nullptr;
};
