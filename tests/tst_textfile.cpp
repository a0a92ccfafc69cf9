#include "gamedata/textfile.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using TestSupport::readBytes;

// The text's bytes in the codec, without a byte-order mark of the codec's own.
static QByteArray encoded(const char* codecName, const QString& text)
{
    std::unique_ptr<QTextEncoder> encoder(QTextCodec::codecForName(codecName)->makeEncoder(QTextCodec::IgnoreHeader));
    return encoder->fromUnicode(text);
}
using TestSupport::writeBytes;

class TextFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readDecodes_data();
    void readDecodes();
    void readMissingOrEmpty();
    void writeReplacesContentExactly();
    void writeNeverCreates();
    void failedWriteLeavesOriginal_data();
    void failedWriteLeavesOriginal();
    void mayCreateWritesNewFile();
    void exactTextRoundTrips_data();
    void exactTextRoundTrips();
    void exactTextRefusesWhatCannotComeBack();

private:
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
};

void TextFileTest::readDecodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("codecName");
    QTest::addColumn<QString>("expected");

    const QString chinese = QStringLiteral("兵种:长枪兵\n第二行\n");
    QTest::newRow("lf-utf8") << chinese.toUtf8() << QByteArray() << chinese;
    QTest::newRow("crlf-becomes-lf") << QByteArray("a\r\nb\r\n") << QByteArray() << QStringLiteral("a\nb\n");
    QTest::newRow("lone-cr-kept") << QByteArray("a\rb\n") << QByteArray() << QStringLiteral("a\rb\n");
    QTest::newRow("utf8-bom") << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8() << QByteArray() << chinese;
    QTest::newRow("utf8-bom-with-codec-name")
        << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8() << QByteArray("utf-8") << chinese;
    QByteArray utf16le("\xFF\xFE");
    utf16le += QByteArray(reinterpret_cast<const char*>(chinese.utf16()), chinese.size() * 2);
    QTest::newRow("utf16le-bom") << utf16le << QByteArray() << chinese;
    QTest::newRow("utf16be-bom") << QByteArray("\xFE\xFF") + encoded("UTF-16BE", chinese) << QByteArray() << chinese;
    // A stage file named as UTF-8 but saved as UTF-16 or UTF-32: the mark tells the truth.
    QTest::newRow("utf16le-bom-wins-over-codec-name") << utf16le << QByteArray("utf-8") << chinese;
    QTest::newRow("utf32be-bom-wins-over-codec-name")
        << QByteArray("\x00\x00\xFE\xFF", 4) + encoded("UTF-32BE", chinese) << QByteArray("utf-8") << chinese;
    QTest::newRow("gbk-with-codec-name") << QTextCodec::codecForName("GBK")->fromUnicode(chinese) << QByteArray("GBK")
                                         << chinese;
    QTest::newRow("no-line-end-at-end") << QByteArray("x:1") << QByteArray() << QStringLiteral("x:1");
}

void TextFileTest::readDecodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, codecName);
    QFETCH(QString, expected);
    QVERIFY(writeBytes(file(QStringLiteral("read.txt")), bytes));
    const std::optional<QString> text =
        readTextFile(file(QStringLiteral("read.txt")), codecName.isEmpty() ? nullptr : codecName.constData());
    QVERIFY(text);
    QCOMPARE(*text, expected);
}

void TextFileTest::readMissingOrEmpty()
{
    QVERIFY(!readTextFile(file(QStringLiteral("missing.txt"))));
    QVERIFY(!readTextFile(dir.path()));
    QVERIFY(writeBytes(file(QStringLiteral("empty.txt")), QByteArray()));
    const std::optional<QString> empty = readTextFile(file(QStringLiteral("empty.txt")));
    QVERIFY(empty);
    QVERIFY(empty->isEmpty());
}

void TextFileTest::writeReplacesContentExactly()
{
    const QString path = file(QStringLiteral("write.txt"));
    QVERIFY(writeBytes(path, "old content that is longer\n"));
    QVERIFY(writeTextFile(path, QStringLiteral("line1\nline2\n")));
    QCOMPARE(readBytes(path), QByteArray("line1\nline2\n"));
    QVERIFY(writeTextFile(path, QString()));
    QCOMPARE(readBytes(path), QByteArray());
}

void TextFileTest::writeNeverCreates()
{
    const QString path = file(QStringLiteral("never.txt"));
    QVERIFY(!writeTextFile(path, QStringLiteral("x")));
    QVERIFY(!writeTextFile(path, ExactText{QStringLiteral("x"), "ISO-8859-1"}));
    QVERIFY(!QFile::exists(path));
}

void TextFileTest::failedWriteLeavesOriginal_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("read-only-file") << "file";
    QTest::newRow("read-only-folder") << "folder";
    QTest::newRow("folder-in-place-of-file") << "directory";
}

void TextFileTest::failedWriteLeavesOriginal()
{
    QFETCH(QString, obstacle);
    const QString folder = file(QStringLiteral("guarded-") + obstacle);
    const QString path = folder + QStringLiteral("/game.txt");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray original("\"Type\":1,\r\n");
    if (obstacle == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QVERIFY(writeBytes(path, original));
    }
    if (obstacle == QLatin1String("file"))
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    if (obstacle == QLatin1String("folder")) {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
            QSKIP("an administrator may write into a read-only folder");
#else
        QSKIP("folder permissions work differently here");
#endif
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }

    QVERIFY(!writeTextFile(path, QStringLiteral("new")));
    QVERIFY(!writeTextFile(path, ExactText{QStringLiteral("new"), "ISO-8859-1"}));
    if (obstacle != QLatin1String("directory"))
        QCOMPARE(readBytes(path), original);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot).size(),
             obstacle == QLatin1String("directory") ? 0 : 1);

    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TextFileTest::mayCreateWritesNewFile()
{
    const QString path = file(QStringLiteral("config.ini"));
    QVERIFY(writeTextFile(path, QStringLiteral("GamePath=/games/一\n"), WriteMode::MayCreate));
    QCOMPARE(*readTextFile(path), QStringLiteral("GamePath=/games/一\n"));
}

void TextFileTest::exactTextRoundTrips_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("codecName");

    const QString chinese = QStringLiteral("{\"Type\":1,\"名\":\"岚戈\"},\r\n");
    QTest::newRow("utf8-crlf") << chinese.toUtf8() << QByteArray("ISO-8859-1");
    QTest::newRow("utf8-bom") << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8() << QByteArray("ISO-8859-1");
    QTest::newRow("gbk") << QTextCodec::codecForName("GBK")->fromUnicode(chinese) << QByteArray("ISO-8859-1");
    QTest::newRow("binary") << QByteArray("\x00\x01\xFF\x80 x", 6) << QByteArray("ISO-8859-1");
    QTest::newRow("utf16le-bom") << QByteArray("\xFF\xFE") + encoded("UTF-16LE", chinese) << QByteArray("UTF-16LE");
    QTest::newRow("utf16be-bom") << QByteArray("\xFE\xFF") + encoded("UTF-16BE", chinese) << QByteArray("UTF-16BE");
}

void TextFileTest::exactTextRoundTrips()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, codecName);
    const QString path = file(QStringLiteral("exact.txt"));
    QVERIFY(writeBytes(path, bytes));
    std::optional<ExactText> content = readExactText(path);
    QVERIFY(content);
    QCOMPARE(content->codecName, codecName);
    QVERIFY(content->text.contains(QStringLiteral("\"Type\":1,")) || codecName == "ISO-8859-1");

    QVERIFY(writeTextFile(path, *content));
    QCOMPARE(readBytes(path), bytes);

    // An ASCII edit changes exactly the bytes of that edit.
    const int at = content->text.indexOf(QStringLiteral("\"Type\":1"));
    if (at >= 0) {
        content->text[at + 7] = QLatin1Char('7');
        QVERIFY(writeTextFile(path, *content));
        QByteArray expected = bytes;
        const QByteArray from =
            encoded(codecName == "ISO-8859-1" ? "UTF-8" : codecName.constData(), QStringLiteral("\"Type\":1"));
        const QByteArray to =
            encoded(codecName == "ISO-8859-1" ? "UTF-8" : codecName.constData(), QStringLiteral("\"Type\":7"));
        expected.replace(from, to);
        QCOMPARE(readBytes(path), expected);
    }
}

void TextFileTest::exactTextRefusesWhatCannotComeBack()
{
    const QString path = file(QStringLiteral("odd.txt"));
    QVERIFY(writeBytes(path, QByteArray("\xFF\xFE\x41", 3)));
    QVERIFY(!readExactText(path));

    QVERIFY(writeBytes(path, "plain"));
    QVERIFY(!writeTextFile(path, ExactText{QStringLiteral("兵"), "ISO-8859-1"}));
    QCOMPARE(readBytes(path), QByteArray("plain"));
}

QTEST_GUILESS_MAIN(TextFileTest)
#include "tst_textfile.moc"
