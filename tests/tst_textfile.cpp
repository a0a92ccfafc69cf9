// Whole-file text access: decoding on read, and writes that replace a file whole or not at all.
#include "gamedata/textfile.h"
#include "testsupport.h"

#include <QTest>
#include <QTextCodec>

using TestSupport::readBytes;
using TestSupport::writeBytes;

class TextFileTest : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void write_data();
    void write();
};

void TextFileTest::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QString>("expected");
    const QString chinese = QStringLiteral("兵种:长枪兵\n");
    QTest::newRow("crlf-becomes-lf-lone-cr-kept") << QByteArray("a\r\nb\rc\r\n") << QByteArray() << "a\nb\rc\n";
    QTest::newRow("utf8-bom-dropped") << "\xEF\xBB\xBF" + chinese.toUtf8() << QByteArray("UTF-8") << chinese;
    QTest::newRow("utf16le-by-bom") << QTextCodec::codecForName("UTF-16")->fromUnicode(chinese) << QByteArray()
                                    << chinese;
    QTest::newRow("gbk-by-name") << QTextCodec::codecForName("GBK")->fromUnicode(chinese) << QByteArray("GBK")
                                 << chinese;
    QTest::newRow("empty-file-empty-text") << QByteArray() << QByteArray() << "";
}

void TextFileTest::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, codec);
    const QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath("a.txt"), bytes));
    const std::optional<QString> text = readTextFile(dir.filePath("a.txt"), codec.isEmpty() ? nullptr : codec.data());
    QVERIFY(text && !text->isNull());
    QTEST(*text, "expected");
    QVERIFY(!readTextFile(dir.filePath("missing.txt")) && !readTextFile(dir.path()));
}

void TextFileTest::write_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<bool>("written");
    for (const char* obstacle :
         {"missing-file-not-created", "read-only-file", "folder-in-place-of-file", "short-write", "兵"})
        QTest::newRow(obstacle) << obstacle << false;
    QTest::newRow("written") << "" << true;
}

// A refused write leaves the file as it was and nothing beside it.
void TextFileTest::write()
{
    QFETCH(QString, obstacle);
    QFETCH(bool, written);
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("game.txt"));
    const QByteArray original("\"Type\":1,\r\n");
    QVERIFY(obstacle.startsWith("missing") ||
            (obstacle.startsWith("folder") ? QDir().mkpath(path) : writeBytes(path, original)));
    QVERIFY(!obstacle.startsWith("read-only") || QFile::setPermissions(path, QFile::ReadOwner));
    if (obstacle == QLatin1String("short-write"))
        setByteWriter([](QIODevice& file, const QByteArray& bytes) { return file.write(bytes.left(3)); });
    const QString text = obstacle.size() == 1 ? obstacle : QStringLiteral("new content");
    QCOMPARE(writeTextFile(path, ExactText{text, "ISO-8859-1"}), written);
    QCOMPARE(obstacle.size() == 1 || writeTextFile(path, text), written || obstacle.size() == 1);
    setByteWriter(nullptr);
    QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(),
             int(!obstacle.startsWith("missing")));
    QVERIFY(!QFileInfo(path).isFile() || readBytes(path) == (written ? text.toLatin1() : original));
    QVERIFY(writeTextFile(folder.filePath("config.ini"), QStringLiteral("GamePath=一\n"), WriteMode::MayCreate));
    QCOMPARE(*readTextFile(folder.filePath("config.ini")), QStringLiteral("GamePath=一\n"));
    // A UTF-16 file whose bytes would not come back whole is not taken for patching.
    QVERIFY(writeBytes(path + 'x', QByteArray("\xFF\xFE\x41", 3)) && !readExactText(path + 'x'));
}

QTEST_GUILESS_MAIN(TextFileTest)
#include "tst_textfile.moc"
