#pragma once

#include <QHash>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The tables whose fields the user can change. The file a field is saved to follows from its table and
// position: army statistics (1..6) go to the chosen story's stage.xml, recruitment needs (7, 8) to
// armytype.txt, skill ranges to skill.txt, special attributes to city.txt.
enum class RecordKind
{
    ArmyType,
    Skill,
    City
};

// One field of one record: its table, the record's id and the field's position in the record.
struct FieldRef
{
    RecordKind kind = RecordKind::ArmyType;
    QString id;
    int field = 0;

    bool operator==(const FieldRef& other) const
    {
        return kind == other.kind && field == other.field && id == other.id;
    }
};
uint qHash(const FieldRef& ref, uint seed = 0);
Q_DECLARE_METATYPE(FieldRef)

// A value for a field.
struct FieldValue
{
    FieldRef ref;
    QString value;
};

// A changed field: what its file holds, and what the editor holds now.
struct JournalEntry
{
    FieldRef ref;
    QString fileValue;
    QString value;
};

// What the user changed and not yet saved, field by field. A field is in the journal while the value the
// editor holds differs from the one in its file; it leaves when it is set back to the file's value, when
// its write landed, or when its change is discarded. Memory grows with the changed fields only.
class EditJournal
{
public:
    // Notes that the field changed from `previous` to `value`. A field not yet in the journal holds its
    // file's value, so `previous` is that value the first time.
    void record(const FieldRef& ref, const QString& previous, const QString& value);

    // The field's file now holds `fileValue`: a changed field keeps the editor's value against it, and leaves
    // the journal when the two agree.
    void setFileValue(const FieldRef& ref, const QString& fileValue);

    bool isEmpty() const { return entries.isEmpty(); }
    int size() const { return entries.size(); }
    bool contains(const FieldRef& ref) const { return entries.contains(ref); }
    // The entry of a changed field, or null.
    const JournalEntry* find(const FieldRef& ref) const;
    // Whether any of the record's fields first..last changed.
    bool recordChanged(RecordKind kind, const QString& id, int first, int last) const;

    // Every changed field, in the order the fields were first changed.
    QVector<JournalEntry> changes() const;
    // The changed fields of a table with positions first..last, in first-changed order.
    QVector<JournalEntry> changes(RecordKind kind, int first, int last) const;
    // The ids with a changed field among first..last, each once, in first-changed order.
    QStringList changedIds(RecordKind kind, int first, int last) const;

    // The file now holds the editor's values of these records' fields first..last: they leave the journal.
    void markWritten(RecordKind kind, const QStringList& ids, int first, int last);

private:
    struct Slot
    {
        JournalEntry entry;
        quint64 order = 0;
    };
    QVector<JournalEntry> ordered(const std::function<bool(const FieldRef&)>& wanted) const;

    QHash<FieldRef, Slot> entries;
    quint64 nextOrder = 0;
};
