// The journal's rules: what a field's file value is, when a field leaves, and in which order changes list.
#include "gamedata/editjournal.h"

#include <QTest>

class EditJournalTest : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
};

void EditJournalTest::rules_data()
{
    // Steps: "a|s <id> <field> <previous> <value>" records a change of an army type or skill field;
    // "w <id>..." marks the army statistics (fields 1..6) of those ids as written.
    // Expected: the entries in first-changed order, "kind.id.field=file>value".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first-change-keeps-file-value") << QStringList{"a 1 1 10 11", "a 1 1 11 12"} << "a.1.1=10>12";
    QTest::newRow("back-to-file-value-leaves") << QStringList{"a 1 1 10 11", "a 1 1 11 10"} << "";
    QTest::newRow("no-change-not-recorded") << QStringList{"a 1 1 10 10"} << "";
    QTest::newRow("kinds-kept-apart") << QStringList{"a 1 1 10 11", "s 1 1 5 6", "s 1 1 6 5"} << "a.1.1=10>11";
    QTest::newRow("written-leaves-only-listed-ids")
        << QStringList{"a 1 1 10 11", "a 2 3 20 21", "w 1"} << "a.2.3=20>21";
    QTest::newRow("written-leaves-only-listed-fields")
        << QStringList{"a 1 7 5 0", "a 1 8 9 0", "w 1"} << "a.1.7=5>0 a.1.8=9>0";
    QTest::newRow("written-value-is-new-file-value")
        << QStringList{"a 1 1 10 11", "w 1", "a 1 1 11 10"} << "a.1.1=11>10";
    QTest::newRow("order-of-first-change")
        << QStringList{"a 2 1 1 2", "s 9 2 1 2", "a 1 1 1 2", "a 2 1 2 3"} << "a.2.1=1>3 s.9.2=1>2 a.1.1=1>2";
}

void EditJournalTest::rules()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    EditJournal journal;
    for (const QString& step : steps) {
        const QStringList word = step.split(QLatin1Char(' '));
        if (word.at(0) == QLatin1String("w")) {
            journal.markWritten(RecordKind::ArmyType, word.mid(1), 1, 6);
            continue;
        }
        const RecordKind kind = word.at(0) == QLatin1String("a") ? RecordKind::ArmyType : RecordKind::Skill;
        journal.record({kind, word.at(1), word.at(2).toInt()}, word.at(3), word.at(4));
    }
    QStringList entries;
    for (const JournalEntry& entry : journal.changes()) {
        // The last field of a range counts as much as the first.
        QVERIFY(journal.recordChanged(entry.ref.kind, entry.ref.id, entry.ref.field - 1, entry.ref.field));
        entries.append(QStringLiteral("%1.%2.%3=%4>%5")
                           .arg(entry.ref.kind == RecordKind::ArmyType ? "a" : "s", entry.ref.id)
                           .arg(entry.ref.field)
                           .arg(entry.fileValue, entry.value));
    }
    QCOMPARE(entries.join(QLatin1Char(' ')), expected);
    QCOMPARE(journal.isEmpty(), expected.isEmpty());
}

QTEST_GUILESS_MAIN(EditJournalTest)
#include "tst_editjournal.moc"
