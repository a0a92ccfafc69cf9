// The readers and writers of the game files. The readers are held to the game's own patterns on files of odd
// records (tests/data/readers/) and on the sample game; the writers to golden files, tests/data/<file>/<case>/.
#include "gamedata/textfile.h"
#include "regexpreference.h"
#include "testsupport.h"

#include <QTest>

using TestSupport::dataPath;

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
    void readers_data();
    void readers();
    void writers_data();
    void writers();
};

void GameFilesTest::readers_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("file");
    for (const QFileInfo& file : QDir(dataPath("readers")).entryInfoList(QDir::Files))
        QTest::newRow(qPrintable(file.baseName())) << file.baseName().section('-', 0, 0) << file.filePath();
    const QStringList sample{"language:config/language/language_cn.txt",
                             "items:config/world/items.txt",
                             "army:config/army/armytype.txt",
                             "skill:config/battlefield/skill.txt",
                             "city:config/world/city.txt",
                             "specialty:config/world/cityspecialattributes.txt",
                             "paths:story/storyconfig.xml",
                             "stage:story/story01/stage.xml",
                             "stage:story/story05/stage.xml",
                             "name:story/story01/summary.xml"};
    for (const QString& entry : sample)
        QTest::newRow(qPrintable(entry)) << entry.section(':', 0, 0)
                                         << dataPath("sample-game/" + entry.section(':', 1));
}

void GameFilesTest::readers()
{
    QFETCH(QString, reader);
    QFETCH(QString, file);
    const QString text = readTextFile(file).value_or(QString());
    QVERIFY(!text.isEmpty());
    QCOMPARE(Reference::read(reader, text, false), Reference::read(reader, text, true));
}

void GameFilesTest::writers_data()
{
    QTest::addColumn<QString>("folder");
    for (const QString file : {"armytype", "skill", "stage", "city"}) {
        for (const QString& name : QDir(dataPath(file)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QTest::newRow(qPrintable(file + '/' + name)) << dataPath(file + '/' + name);
    }
}

// save.txt names the writer, the ids saved, their records in memory ("<id>: <fields>", "-" an empty field) and
// the ids the writer reports. The input is copied, read for patching, patched and written back as a save does.
void GameFilesTest::writers()
{
    QFETCH(QString, folder);
    QHash<QString, QStringList> save;
    RecordTable records;
    for (const QString& line : readTextFile(folder + "/save.txt").value_or(QString()).split('\n', Qt::SkipEmptyParts)) {
        QStringList values = line.section(':', 1).split(' ', Qt::SkipEmptyParts).replaceInStrings(QRegExp("^-$"), "");
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
    QCOMPARE(TestSupport::readBytes(dir.filePath(input)),
             TestSupport::readBytes(fixtures.filePath(QString(input).replace("input", "expected"))));
}

QTEST_GUILESS_MAIN(GameFilesTest)
#include "tst_gamefiles.moc"
