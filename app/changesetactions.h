#pragma once

#include "gamedata/changeset.h"

#include <QObject>

class GameDocument;
class QMenu;
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

signals:
    void statusMessage(const QString& text);
    // The game's files were replaced and read again: the window shows the story anew.
    void gameReloaded();

private:
    // Shows the changes against the game's files and makes the chosen ones in the journal.
    void previewAndApply(const QString& title, const QVector<RecordChange>& changes);

    GameDocument* game;
    QWidget* window;
};
