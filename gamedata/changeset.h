#pragma once

#include "gamedata/editjournal.h"

#include <QString>
#include <QVector>

#include <utility>

// One changed value as a change set names it: the game file (relative to the game directory, with forward
// slashes; a story's statistics name that story's stage.xml), the record (kind, id and its name for people),
// the field at its position in the editor's record, and the values before and after.
struct RecordChange
{
    RecordChange() = default;
    RecordChange(QString file, RecordKind kind, QString id, QString name, int field, QString before, QString after)
        : file(std::move(file)), kind(kind), id(std::move(id)), name(std::move(name)), field(field),
          before(std::move(before)), after(std::move(after))
    {}

    QString file;
    RecordKind kind = RecordKind::ArmyType;
    QString id;
    QString name;
    int field = 0;
    QString before;
    QString after;
    // Where a read change set holds this change (1-based), and why it cannot be used when it cannot.
    int line = 0;
    QString problem;
};

// A change set read from a file: the changes, the editor version that wrote it, the game directory it was
// made for (recovery files name it), or why the file could not be read at all.
struct ChangeSet
{
    QVector<RecordChange> changes;
    QString editorVersion;
    QString gameDirectory;
    QString error;
};

// The field names a change set uses ("LongAttack", "FarRange", "specialattributes", ...); empty for a position
// the editor does not edit, and -1 for a name it does not know.
QString changeFieldName(RecordKind kind, int field);
int changeFieldPosition(RecordKind kind, const QString& name);

// The change set as UTF-8 JSON text: a format tag and version, the editor's version, and one change per line.
QString writeChangeSet(const QVector<RecordChange>& changes, const QString& editorVersion,
                       const QString& gameDirectory = QString());

// Reads a change set. A change that lacks something or names an unknown kind or field keeps its line and says
// so in `problem`; a text that is no change set at all gives only `error`.
ChangeSet readChangeSet(const QByteArray& bytes);
