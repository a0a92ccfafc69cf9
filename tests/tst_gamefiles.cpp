// The game files: decoding on read and what a write refuses; the readers, held to the game's own patterns on files
// of odd records (tests/data/readers/) and on the sample game; the writers, held to golden files under
// tests/data/<file>/<case>/.
#include "gamedata/gbktext.h"
#include "gamedata/textfile.h"
#include "regexpreference.h"
#include "testsupport.h"

#include <QTest>
#include <QTextCodec>

using TestSupport::dataPath;
using TestSupport::readBytes;
using TestSupport::writeBytes;

namespace {

PatchResult patch(const QString& writer, const QString& text, const QStringList& ids, const RecordTable& table)
{
    if (writer == QLatin1String("army") || writer == QLatin1String("needs"))
        return patchArmyTypes(text, ids, table,
                              writer == QLatin1String("army") ? ArmyTypeFields::All : ArmyTypeFields::Needs);
    if (writer == QLatin1String("skill"))
        return patchSkills(text, ids, table);
    return writer == QLatin1String("stage") ? patchStage(text, ids, table) : patchCities(text, ids, table);
}

} // namespace

class GameFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("codec");
        QTest::addColumn<QString>("expected");
        const QString chinese = QStringLiteral("兵种:长枪兵\n");
        QTest::newRow("crlf-becomes-lf-lone-cr-kept") << QByteArray("a\r\nb\rc\r\n") << QByteArray() << "a\nb\rc\n";
        QTest::newRow("utf8-bom-dropped") << "\xEF\xBB\xBF" + chinese.toUtf8() << QByteArray("UTF-8") << chinese;
        QTest::newRow("utf16le-by-bom") << QTextCodec::codecForName("UTF-16")->fromUnicode(chinese) << QByteArray()
                                        << chinese;
        // A stage file named as UTF-8 but saved as UTF-16 or UTF-32: the mark tells the truth.
        QTest::newRow("utf16le-bom-wins-over-name")
            << QTextCodec::codecForName("UTF-16")->fromUnicode(chinese) << QByteArray("utf-8") << chinese;
        QTest::newRow("utf32be-bom-wins-over-name")
            << QTextCodec::codecForName("UTF-32BE")->fromUnicode(QChar(0xFEFF) + chinese) << QByteArray("utf-8")
            << chinese;
        QTest::newRow("gbk-by-name") << QTextCodec::codecForName("GBK")->fromUnicode(chinese) << QByteArray("GBK")
                                     << chinese;
        // Text that is not valid UTF-8 is the game's Chinese on every system, also where UTF-8 was named.
        QTest::newRow("gbk-when-not-utf8")
            << QTextCodec::codecForName("GBK")->fromUnicode(chinese) << QByteArray("UTF-8") << chinese;
        QTest::newRow("empty-file-empty-text") << QByteArray() << QByteArray() << "";
    }

    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, codec);
        const QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath("a.txt"), bytes));
        const std::optional<QString> text =
            readTextFile(dir.filePath("a.txt"), codec.isEmpty() ? nullptr : codec.data());
        QVERIFY(text && !text->isNull());
        QTEST(*text, "expected");
        QVERIFY(!readTextFile(dir.filePath("missing.txt")) && !readTextFile(dir.path()));
    }

    // A game file is only replaced, never created, and only by a text that goes back to the bytes it came from; a
    // UTF-16 file whose bytes would not come back whole is not taken for patching. (Failed writes: tst_window.)
    void refusals()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("game.txt"));
        QVERIFY(!writeTextFile(path, ExactText{QStringLiteral("x"), "ISO-8859-1"}) && !QFile::exists(path));
        QVERIFY(writeBytes(path, "plain") && !writeTextFile(path, ExactText{QStringLiteral("兵"), "ISO-8859-1"}));
        QCOMPARE(readBytes(path), QByteArray("plain"));
        QVERIFY(writeBytes(path, QByteArray("\xFF\xFE\x41", 3)) && !readExactText(path));
    }

    // GBK decodes alike on every platform (through ICU on Linux, Qt's own tables on Windows): every two-byte
    // sequence of the range, one line per lead byte, against the text the Linux build decoded.
    void gbkTwoByteRange()
    {
        QTextCodec* gbk = QTextCodec::codecForName("GBK");
        QVERIFY(gbk);
        QStringList lines;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            QString line;
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const char pair[] = {char(lead), char(trail)};
                if (trail != 0x7F)
                    line += gbk->toUnicode(pair, 2);
            }
            unifyGbkText(line);
            lines += line;
        }
        const QString golden = dataPath(QStringLiteral("gbk/two-byte-range.txt"));
        if (qEnvironmentVariableIsSet("GAMEDATA_WRITE_GOLDEN"))
            writeBytes(golden, lines.join(QLatin1Char('\n')).toUtf8());
        const QStringList expected = QString::fromUtf8(readBytes(golden)).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines.at(i) == expected.at(i), qPrintable(QStringLiteral("lead byte %1").arg(0x81 + i, 0, 16)));
    }

    void readers_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("file");
        for (const QFileInfo& file : QDir(dataPath("readers")).entryInfoList(QDir::Files))
            QTest::newRow(qPrintable(file.baseName())) << file.baseName().section('-', 0, 0) << file.filePath();
        const QHash<QString, QString> readerOf{
            {"language_cn.txt", "language"}, {"items.txt", "items"}, {"armytype.txt", "army"},
            {"skill.txt", "skill"},          {"city.txt", "city"},   {"cityspecialattributes.txt", "specialty"},
            {"storyconfig.xml", "story"},    {"stage.xml", "stage"}, {"summary.xml", "story"}};
        for (QDirIterator it(dataPath("sample-game"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            it.next();
            QTest::newRow(qPrintable("sample-" + it.filePath().section('/', -2)))
                << readerOf[it.fileName()] << it.filePath();
        }
    }

    void readers()
    {
        QFETCH(QString, reader);
        QFETCH(QString, file);
        const QString text = readTextFile(file).value_or(QString());
        QVERIFY(!text.isEmpty());
        QCOMPARE(Reference::read(reader, text, false), Reference::read(reader, text, true));
    }

    void writers_data()
    {
        QTest::addColumn<QString>("folder");
        for (const QString file : {"armytype", "skill", "stage", "city"}) {
            for (const QString& name : QDir(dataPath(file)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                QTest::newRow(qPrintable(file + '/' + name)) << dataPath(file + '/' + name);
        }
    }

    // save.txt names the writer, the ids saved, their records in memory ("<id>: <fields>", "-" an empty field) and
    // the ids the writer reports. The input is copied, read for patching, patched and written back as a save does.
    void writers()
    {
        QFETCH(QString, folder);
        QHash<QString, QStringList> save;
        RecordTable records;
        for (const QString& line :
             readTextFile(folder + "/save.txt").value_or(QString()).split('\n', Qt::SkipEmptyParts)) {
            QStringList values =
                line.section(':', 1).split(' ', Qt::SkipEmptyParts).replaceInStrings(QRegExp("^-$"), "");
            save.insert(line.section(':', 0, 0), values);
            if (line.at(0).isDigit())
                records.insert(line.section(':', 0, 0), values);
        }
        const QDir fixtures(folder);
        const QString input = fixtures.entryList({"input.*"}).value(0);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(fixtures.filePath(input), dir.filePath(input)));
        QFile::setPermissions(dir.filePath(input), QFile::ReadOwner | QFile::WriteOwner);
        const std::optional<ExactText> content = readExactText(dir.filePath(input));
        QVERIFY(content);
        const PatchResult result = patch(save.value("writer").value(0), content->text, save.value("ids"), records);
        QCOMPARE(result.notFound, save.value("not found"));
        QCOMPARE(result.notWritten, save.value("not written"));
        QVERIFY(writeTextFile(dir.filePath(input), ExactText{result.text, content->codecName}));
        QCOMPARE(readBytes(dir.filePath(input)),
                 readBytes(fixtures.filePath(QString(input).replace("input", "expected"))));
    }
};

QTEST_GUILESS_MAIN(GameFilesTest)
#include "tst_gamefiles.moc"
