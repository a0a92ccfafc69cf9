#pragma once

#include "gamedata/changeset.h"

#include <QObject>
#include <QString>

#include <optional>

class GameDocument;
class QTimer;

// Keeps the document's pending changes in a small change set file beside editor.ini, so that a crash does not
// lose them. The file is written atomically, at most twice a second and within half a second of a change (a
// change only starts the timer, so typing is not slowed), and removed once nothing is pending.
class RecoveryFile : public QObject
{
    Q_OBJECT

public:
    RecoveryFile(GameDocument* document, const QString& path, QObject* parent = nullptr);

    QString path() const { return filePath; }
    // Writes the pending changes now, or removes the file when there are none.
    void writeNow();
    // Removes the file: the pending changes were saved or given up (a clean quit, "不保存").
    void discard();

    // What a recovery file holds; nothing when there is no file. A file that cannot be read has `error` set.
    static std::optional<ChangeSet> read(const QString& path);
    // Moves an unreadable recovery file out of the way, never deleting it; gives its new path (empty when it
    // could not be moved).
    static QString keepAside(const QString& path);

private:
    GameDocument* document;
    QString filePath;
    QTimer* timer;
};
