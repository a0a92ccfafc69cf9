#include "gamedata/editjournal.h"

#include <QSet>

#include <algorithm>

uint qHash(const FieldRef& ref, uint seed)
{
    return qHash(ref.id, seed) ^ uint(ref.field * 31 + int(ref.kind));
}

void EditJournal::record(const FieldRef& ref, const QString& previous, const QString& value)
{
    auto slot = entries.find(ref);
    if (slot == entries.end()) {
        if (previous == value)
            return;
        entries.insert(ref, {{ref, previous, value}, nextOrder++});
    } else if (slot->entry.fileValue == value) {
        entries.erase(slot);
    } else {
        slot->entry.value = value;
    }
}

void EditJournal::setFileValue(const FieldRef& ref, const QString& fileValue)
{
    auto slot = entries.find(ref);
    if (slot == entries.end())
        return;
    if (slot->entry.value == fileValue)
        entries.erase(slot);
    else
        slot->entry.fileValue = fileValue;
}

const JournalEntry* EditJournal::find(const FieldRef& ref) const
{
    const auto slot = entries.constFind(ref);
    return slot == entries.constEnd() ? nullptr : &slot->entry;
}

bool EditJournal::recordChanged(RecordKind kind, const QString& id, int first, int last) const
{
    if (entries.isEmpty())
        return false;
    for (int field = first; field <= last; ++field) {
        if (entries.contains({kind, id, field}))
            return true;
    }
    return false;
}

QVector<JournalEntry> EditJournal::changes() const
{
    return ordered([](const FieldRef&) { return true; });
}

QVector<JournalEntry> EditJournal::changes(RecordKind kind, int first, int last) const
{
    return ordered([&](const FieldRef& ref) { return ref.kind == kind && ref.field >= first && ref.field <= last; });
}

QVector<JournalEntry> EditJournal::ordered(const std::function<bool(const FieldRef&)>& wanted) const
{
    std::vector<const Slot*> chosen;
    for (const Slot& slot : entries) {
        if (wanted(slot.entry.ref))
            chosen.push_back(&slot);
    }
    std::sort(chosen.begin(), chosen.end(), [](const Slot* a, const Slot* b) { return a->order < b->order; });
    QVector<JournalEntry> result;
    result.reserve(int(chosen.size()));
    for (const Slot* slot : chosen)
        result.append(slot->entry);
    return result;
}

QStringList EditJournal::changedIds(RecordKind kind, int first, int last) const
{
    QStringList ids;
    QSet<QString> seen;
    for (const JournalEntry& entry : changes(kind, first, last)) {
        if (!seen.contains(entry.ref.id)) {
            seen.insert(entry.ref.id);
            ids.append(entry.ref.id);
        }
    }
    return ids;
}

void EditJournal::markWritten(RecordKind kind, const QStringList& ids, int first, int last)
{
    for (const QString& id : ids) {
        for (int field = first; field <= last; ++field)
            entries.remove({kind, id, field});
    }
}
