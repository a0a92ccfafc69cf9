#pragma once

// Helpers shared by the tests of the game file readers and writers.

#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTest>

#include <algorithm>

// A table as sorted lines "id -> [field|field]", so that a failed comparison shows both sides readably.
template <typename Table> QString dumpTable(const Table& table)
{
    QStringList lines;
    for (auto it = table.cbegin(); it != table.cend(); ++it)
        lines += it.key() + QLatin1String(" -> [") + QStringList(it.value()).join(QLatin1Char('|')) + QLatin1Char(']');
    std::sort(lines.begin(), lines.end());
    return lines.join(QLatin1Char('\n'));
}

inline QByteArray readFixture(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file's bytes held for patching as the editor holds them: one character per byte, or for a UTF-16LE file
// one character per code unit with the byte-order mark kept.
inline QString holdExactly(const QByteArray& bytes, bool utf16)
{
    if (!utf16)
        return QString::fromLatin1(bytes);
    QString text;
    for (int k = 0; k + 1 < bytes.size(); k += 2)
        text += QChar(ushort(uchar(bytes.at(k)) | uchar(bytes.at(k + 1)) << 8));
    return text;
}

inline QByteArray bytesOf(const QString& text, bool utf16)
{
    if (!utf16)
        return text.toLatin1();
    QByteArray bytes;
    for (QChar c : text)
        bytes.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    return bytes;
}

// The columns of a writer's data-driven test: the file's text, the ids to write, the records in memory,
// the text expected back and the ids expected to be reported.
inline void addPatchColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<RecordTable>("table");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("notFound");
    QTest::addColumn<QStringList>("notWritten");
}

// Runs the writer on the current row and compares its text and both reports with the row's.
template <typename Patch> void comparePatch(Patch patch)
{
    QFETCH(QString, text);
    QFETCH(QStringList, ids);
    QFETCH(RecordTable, table);
    QFETCH(QString, expected);
    QFETCH(QStringList, notFound);
    QFETCH(QStringList, notWritten);
    const PatchResult result = patch(text, ids, table);
    QCOMPARE(result.text, expected);
    QCOMPARE(result.notFound, notFound);
    QCOMPARE(result.notWritten, notWritten);
}
