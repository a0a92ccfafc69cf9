#include "fuzz/writerfuzz.h"

#include "fuzz/fuzzsupport.h"

#include <QSet>

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// 1 to 9 ASCII digits: what a number field of the game files may be given.
bool isValidNumber(const QString& value)
{
    if (value.isEmpty() || value.size() > 9)
        return false;
    return std::all_of(value.begin(), value.end(), isAsciiDigit);
}

// Digit runs each followed by a comma: a list of specialty ids.
bool isValidList(const QString& value)
{
    if (value.isEmpty())
        return false;
    bool digitBefore = false;
    for (QChar c : value) {
        if (isAsciiDigit(c))
            digitBefore = true;
        else if (c == QLatin1Char(',') && digitBefore)
            digitBefore = false;
        else
            return false;
    }
    return !digitBefore;
}

QString drawNumber(FuzzedDataProvider& input)
{
    const uint8_t kind = input.ConsumeIntegral<uint8_t>();
    if (kind < 200)
        return QString::number(input.ConsumeIntegral<uint16_t>());
    if (kind < 225)
        return QLatin1Char('0') + QString::number(input.ConsumeIntegral<uint8_t>());
    if (kind < 240)
        return QStringLiteral("999999999");
    static const QStringList invalid{QString(),
                                     QStringLiteral("x"),
                                     QStringLiteral("-1"),
                                     QStringLiteral("1234567890"),
                                     QStringLiteral(" 1"),
                                     QStringLiteral("1.5"),
                                     QString(QChar(0xff11)),
                                     QStringLiteral("\"1"),
                                     QStringLiteral("1,")};
    return invalid.at(kind % invalid.size());
}

QString drawList(FuzzedDataProvider& input)
{
    const uint8_t kind = input.ConsumeIntegral<uint8_t>();
    if (kind < 200) {
        QString list;
        for (int n = kind % 4; n >= 0; --n)
            list += QString::number(input.ConsumeIntegral<uint8_t>()) + QLatin1Char(',');
        return list;
    }
    if (kind < 230)
        return QStringLiteral("0,");
    static const QStringList invalid{QString(),
                                     QStringLiteral("1"),
                                     QStringLiteral(","),
                                     QStringLiteral("1,,"),
                                     QStringLiteral("a,"),
                                     QStringLiteral("1,2"),
                                     QStringLiteral("\","),
                                     QStringLiteral("12,x,"),
                                     QString(QChar(0x0661)) + ','};
    return invalid.at(kind % invalid.size());
}

// The distinct ids that follow the id key in the text, in file order.
QStringList idsInText(const WriterUnderTest& w, const QString& text)
{
    QStringList ids;
    for (int at = text.indexOf(w.idKey); at >= 0; at = text.indexOf(w.idKey, at + 1)) {
        int end = at + w.idKey.size();
        while (end < text.size() && isAsciiDigit(text.at(end)))
            ++end;
        const QString id = text.mid(at + w.idKey.size(), end - at - w.idKey.size());
        if (!id.isEmpty() && end < text.size() && text.at(end) == w.idTerminator && !ids.contains(id))
            ids += id;
    }
    return ids;
}

struct Save
{
    QStringList ids;    // as handed to the writer, repeats included
    QStringList unique; // each once, in first order
    RecordTable table;
    QSet<QString> writable; // ids whose record in memory the writer must accept
};

// What the input asks for, before the text is known: which ids (as choices among the ids the text holds)
// and the record in memory of each, or none.
struct Draw
{
    uint8_t choice = 0;
    bool hasRecord = false;
    QStringList record;
};

std::vector<Draw> drawSave(const WriterUnderTest& w, FuzzedDataProvider& input)
{
    std::vector<Draw> draws(1 + input.ConsumeIntegral<uint8_t>() % 4);
    for (Draw& draw : draws) {
        draw.choice = input.ConsumeIntegral<uint8_t>();
        const uint8_t shape = input.ConsumeIntegral<uint8_t>();
        draw.hasRecord = shape < 250;
        if (!draw.hasRecord)
            continue;
        draw.record += QStringLiteral("name");
        const int size = shape >= 245 ? w.recordSize - 1 : w.recordSize;
        for (int k = 1; k < size; ++k)
            draw.record += w.listValues ? drawList(input) : drawNumber(input);
    }
    return draws;
}

Save makeSave(const WriterUnderTest& w, const std::vector<Draw>& draws, const QStringList& present)
{
    Save save;
    for (const Draw& draw : draws) {
        const QString id = draw.choice < 200 && !present.isEmpty() ? present.at(draw.choice % present.size())
                                                                   : QString::number(draw.choice % 64);
        save.ids += id;
        if (save.unique.contains(id))
            continue;
        save.unique += id;
        if (!draw.hasRecord)
            continue;
        save.table.insert(id, draw.record);
        bool writable = draw.record.size() == w.recordSize;
        for (const WrittenField& field : w.fields) {
            const QString value = draw.record.value(field.recordIndex);
            writable = writable && (w.listValues ? isValidList(value) : isValidNumber(value));
        }
        if (writable)
            save.writable.insert(id);
    }
    return save;
}

QString describe(const Save& save, const PatchResult& result)
{
    QString text = QStringLiteral("ids: %1\n").arg(save.ids.join(QLatin1Char(' ')));
    for (const QString& id : save.unique) {
        text += QStringLiteral("  %1 -> %2%3\n")
                    .arg(id,
                         save.table.contains(id) ? save.table.value(id).join(QLatin1Char('|'))
                                                 : QStringLiteral("(no record)"),
                         save.writable.contains(id) ? QString() : QStringLiteral(" (not writable)"));
    }
    text += QStringLiteral("notFound: %1\nnotWritten: %2\n")
                .arg(result.notFound.join(QLatin1Char(' ')), result.notWritten.join(QLatin1Char(' ')));
    return text;
}

// One rewritten value: where it stood in the input and where it stands in the output.
struct Edit
{
    int inBegin;
    int inEnd;
    int outBegin;
    int outEnd;
    int field;
};

class Checker
{
public:
    Checker(const WriterUnderTest& w, const QString& in, const Save& save, const PatchResult& result)
        : w(w), in(in), out(result.text), save(save), result(result)
    {}

    [[noreturn]] void fail(const char* property, const QString& detail) const
    {
        failProperty(property, describe(save, result) + detail + QStringLiteral("\n---- output:\n") + shown(out), in);
    }

    QString around(const QString& text, int at) const
    {
        return shown(text.mid(qMax(0, at - 60), at - qMax(0, at - 60))) + QStringLiteral("[HERE]") +
               shown(text.mid(at, 60));
    }

    bool inValue(QChar c) const { return w.listValues ? isAsciiDigit(c) || c == QLatin1Char(',') : isAsciiDigit(c); }

    // End of the value that starts at `begin`: a digit run, or the text up to the first "\",". -1 if none.
    int valueEnd(const QString& text, int begin) const
    {
        if (w.listValues)
            return text.indexOf(QLatin1String("\","), begin);
        int end = begin;
        while (end < text.size() && isAsciiDigit(text.at(end)))
            ++end;
        return end > begin ? end : -1;
    }

    // The field whose key stands right in front of `begin`, or -1.
    int fieldBefore(const QString& text, int begin, int floor) const
    {
        for (int k = 0; k < w.fields.size(); ++k) {
            const QString& key = w.fields.at(k).key;
            if (begin - key.size() >= floor && text.midRef(begin - key.size(), key.size()) == key)
                return k;
        }
        return -1;
    }

    // Walks input and output together: every difference must be a whole value behind a written key.
    void findEdits()
    {
        const int n = in.size();
        const int m = out.size();
        int i = 0;
        int j = 0;
        int floorIn = 0;
        int floorOut = 0;
        for (;;) {
            while (i < n && j < m && in.at(i) == out.at(j)) {
                ++i;
                ++j;
            }
            if (i == n && j == m)
                return;
            int outBegin = j;
            while (outBegin > floorOut && inValue(out.at(outBegin - 1)))
                --outBegin;
            const int inBegin = i - (j - outBegin);
            const int field = fieldBefore(out, outBegin, floorOut);
            if (field < 0 || fieldBefore(in, inBegin, floorIn) != field)
                fail("only values change", QStringLiteral("a character outside a written value differs:\ninput:  %1\n"
                                                          "output: %2")
                                               .arg(around(in, i), around(out, j)));
            const int inEnd = valueEnd(in, inBegin);
            const int outEnd = valueEnd(out, outBegin);
            if (inEnd < i || outEnd < j)
                fail("only values change", QStringLiteral("a difference runs past the value:\ninput:  %1\noutput: %2")
                                               .arg(around(in, i), around(out, j)));
            edits.push_back({inBegin, inEnd, outBegin, outEnd, field});
            i = floorIn = inEnd;
            j = floorOut = outEnd;
        }
    }

    // The id of the record that holds [begin, end) of the input, or a null string when no record does.
    QString recordId(int begin, int end) const
    {
        const int key = in.lastIndexOf(w.idKey, begin - w.idKey.size());
        if (key < 0)
            return QString();
        const int idBegin = key + w.idKey.size();
        int idEnd = idBegin;
        while (idEnd < in.size() && isAsciiDigit(in.at(idEnd)))
            ++idEnd;
        if (idEnd == idBegin || idEnd >= begin || in.at(idEnd) != w.idTerminator)
            return QString();
        const QStringRef between = in.midRef(idEnd + 1, end - idEnd - 1);
        const bool crosses = w.elements ? between.contains(QLatin1Char('<')) || between.contains(QLatin1String("/>"))
                                        : between.contains(QLatin1Char('\n')) || between.contains(QLatin1Char('\r'));
        return crosses ? QString() : in.mid(idBegin, idEnd - idBegin);
    }

    void checkEditsInRecords() const
    {
        for (const Edit& edit : edits) {
            const QString id = recordId(edit.inBegin, edit.inEnd);
            const auto where = [&] {
                return QStringLiteral("\ninput:  %1\noutput: %2")
                    .arg(around(in, edit.inBegin), around(out, edit.outBegin));
            };
            if (id.isNull() || !save.writable.contains(id))
                fail("edits stay in written records",
                     QStringLiteral("a value changed outside the records of the written ids (record of \"%1\"):%2")
                         .arg(id, where()));
            if (result.notFound.contains(id))
                fail("edits stay in written records",
                     QStringLiteral("id %1 is reported not found but was written:%2").arg(id, where()));
            const QString expected = save.table.value(id).value(w.fields.at(edit.field).recordIndex);
            if (out.mid(edit.outBegin, edit.outEnd - edit.outBegin) != expected)
                fail("edits stay in written records",
                     QStringLiteral("id %1 got a value other than %2:%3").arg(id, expected, where()));
        }
    }

    // Where records of the id start in the input.
    QVector<int> recordStarts(const QString& id) const
    {
        QVector<int> starts;
        const QString head = w.idKey + id + w.idTerminator;
        for (int at = in.indexOf(head); at >= 0; at = in.indexOf(head, at + 1))
            starts += at;
        return starts;
    }

    // End of the record that starts at `key`, as the writers bound it.
    int recordEnd(int key, const QString& id) const
    {
        const int from = key + w.idKey.size() + id.size() + 1;
        int end = from;
        if (w.elements) {
            while (end < in.size() && in.at(end) != QLatin1Char('<') &&
                   !(in.at(end) == QLatin1Char('/') && end + 1 < in.size() && in.at(end + 1) == QLatin1Char('>')))
                ++end;
            return end;
        }
        while (end < in.size() && in.at(end) != QLatin1Char('\n') && in.at(end) != QLatin1Char('\r'))
            ++end;
        const int next = in.indexOf(w.idKey, from);
        return next >= 0 && next + w.idKey.size() <= end ? next : end;
    }

    bool overlapsEdit(const ReferenceMatch& match) const
    {
        return std::any_of(edits.begin(), edits.end(), [&](const Edit& edit) {
            return match.begin < qMax(edit.inEnd, edit.inBegin + 1) && edit.inBegin < match.end;
        });
    }

    void checkReadBack() const
    {
        // A city's old value may hold quotes and even other keys (the original pattern's ".*" takes them along);
        // once such a value is replaced, the reader can join the next record to the written one. That is the
        // original writer's behaviour, so then only the checks on the bytes (findEdits, checkEditsInRecords) hold.
        const bool keysReplaced = std::any_of(edits.begin(), edits.end(), [&](const Edit& edit) {
            return in.midRef(edit.inBegin, edit.inEnd - edit.inBegin).contains(QLatin1Char('"'));
        });
        if (keysReplaced)
            return;
        const RecordTable before = w.read(in);
        const RecordTable after = w.read(out);
        ReferenceMatches matches;
        w.referenceMatches(in, &matches);
        const QStringList reported = result.unwritten();

        // A written id whose one record the reader takes from within that record reads back its new values.
        for (const QString& id : save.unique) {
            if (!save.writable.contains(id) || reported.contains(id))
                continue;
            const QVector<int> starts = recordStarts(id);
            if (starts.size() != 1 || !matches.contains(id) || !before.contains(id))
                continue;
            const int begin = starts.first();
            const int end = recordEnd(begin, id);
            const ReferenceMatch match = matches.value(id);
            if (match.begin != begin || match.end > end + (w.elements ? 2 : 0))
                continue;
            const QStringRef record = in.midRef(begin, end - begin);
            const bool keysOnce = std::all_of(w.fields.begin(), w.fields.end(),
                                              [&](const WrittenField& field) { return record.count(field.key) == 1; });
            if (!keysOnce)
                continue;
            QStringList expected = before.value(id);
            for (const WrittenField& field : w.fields)
                expected[field.readerIndex] = save.table.value(id).at(field.recordIndex);
            if (after.value(id) != expected)
                fail("written values read back",
                     QStringLiteral("id %1 reads back as [%2], not [%3]")
                         .arg(id, after.value(id).join(QLatin1Char('|')), expected.join(QLatin1Char('|'))));
        }

        // Every other id reads as before, unless the reader took its record across a written value.
        QSet<QString> others;
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            others.insert(it.key());
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            others.insert(it.key());
        for (const QString& id : qAsConst(others)) {
            if (save.writable.contains(id) && save.unique.contains(id))
                continue;
            if (matches.contains(id) && overlapsEdit(matches.value(id)))
                continue;
            if (before.contains(id) != after.contains(id) || before.value(id) != after.value(id))
                fail("other records unchanged", QStringLiteral("id %1 was [%2]%3 and reads back as [%4]%5")
                                                    .arg(id, before.value(id).join(QLatin1Char('|')),
                                                         before.contains(id) ? QString() : QStringLiteral(" (absent)"),
                                                         after.value(id).join(QLatin1Char('|')),
                                                         after.contains(id) ? QString() : QStringLiteral(" (absent)")));
        }
    }

    void checkReports() const
    {
        for (const QString& id : result.notFound + result.notWritten) {
            if (!save.unique.contains(id))
                fail("reports", QStringLiteral("id %1 was reported but never asked for").arg(id));
        }
        const QSet<QString> notFound(result.notFound.begin(), result.notFound.end());
        const QSet<QString> notWritten(result.notWritten.begin(), result.notWritten.end());
        if (notFound.size() != result.notFound.size() || notWritten.size() != result.notWritten.size())
            fail("reports", QStringLiteral("an id is reported twice"));
        for (const QString& id : save.unique) {
            const bool notFound = result.notFound.contains(id);
            const bool notWritten = result.notWritten.contains(id);
            if (notFound && notWritten)
                fail("reports", QStringLiteral("id %1 is reported both not found and not written").arg(id));
            if (!save.writable.contains(id)) {
                if (!notWritten)
                    fail("reports",
                         QStringLiteral("id %1 has no writable record but is not reported as not written").arg(id));
                continue;
            }
            const bool originalMatches = matchesAnywhere(in, w.originalPattern(id));
            if (notFound == originalMatches)
                fail("reports",
                     QStringLiteral("id %1: the original pattern %2 but the writer %3")
                         .arg(id, originalMatches ? QStringLiteral("matches") : QStringLiteral("does not match"),
                              notFound ? QStringLiteral("calls it not found")
                                       : QStringLiteral("does not call it not found")));
        }
    }

    void checkIdempotent() const
    {
        const PatchResult again = w.patch(out, save.ids, save.table);
        if (again.text != out)
            fail("writing twice changes nothing more",
                 QStringLiteral("a second save of the same values changed the text again:\n%1").arg(shown(again.text)));
        if (again.notFound != result.notFound || again.notWritten != result.notWritten)
            fail("writing twice changes nothing more",
                 QStringLiteral("a second save reports notFound: %1, notWritten: %2")
                     .arg(again.notFound.join(QLatin1Char(' ')), again.notWritten.join(QLatin1Char(' '))));
    }

private:
    const WriterUnderTest& w;
    const QString& in;
    const QString& out;
    const Save& save;
    const PatchResult& result;
    std::vector<Edit> edits;
};

} // namespace

void fuzzWriter(const WriterUnderTest& writer, const uint8_t* data, size_t size)
{
    // The save comes from the end of the input, the file text (one character per byte) from the rest; the
    // save's ids are then mapped onto the ids the text holds.
    FuzzedDataProvider input(data, size);
    const std::vector<Draw> draws = drawSave(writer, input);
    const std::vector<char> bytes = input.ConsumeRemainingBytes<char>();
    const QString text = QString::fromLatin1(bytes.data(), int(bytes.size()));
    const Save save = makeSave(writer, draws, idsInText(writer, text));
    const PatchResult result = writer.patch(text, save.ids, save.table);

    Checker checker(writer, text, save, result);
    checker.findEdits();
    checker.checkEditsInRecords();
    checker.checkReports();
    checker.checkReadBack();
    checker.checkIdempotent();
}
