#pragma once

#include "gamedata/changeset.h"

#include <QObject>

class GameDocument;
class QMenu;
class RecoveryFile;
class QWidget;

// The tools menu's work with change sets and backups: "导出修改…", "应用修改…", "比较目录…" and "备份…". It asks
// through the prompts, previews before anything changes, and hands the changes to the document.
class ChangeSetActions : public QObject
{
    Q_OBJECT

public:
    ChangeSetActions(GameDocument* document, QWidget* window);

    // Adds this object's entries to the menu.
    void addTo(QMenu* menu);

    void exportChanges();
    void applyChanges();
    void compareDirectories();
    void showBackups();
    // Offers the changes a recovery file holds for this game: "恢复" makes them, "放弃" removes the file. A file
    // that cannot be read, or is for another game directory, is kept aside and named.
    void offerRecovery(RecoveryFile* recovery);

signals:
    void statusMessage(const QString& text);
    // The game's files were replaced and read again: the window shows the story anew.
    void gameReloaded();
    // Statistics of this story wait for it to be opened.
    void storyWanted(int number);

private:
    // Asks where to save the changes as a change set and writes it; `title` names the failure's message box.
    void saveChangeSet(const QVector<RecordChange>& changes, const QString& title);
    // Shows the changes against the game's files and makes the chosen ones in the journal.
    // Gives false when the user cancelled.
    bool previewAndApply(const QString& title, const QVector<RecordChange>& changes,
                         const QStringList& buttonTexts = QStringList());

    GameDocument* game;
    QWidget* window;
};
