// Thin wrappers around the game file readers and writers: file access here, the work in gamedata/.
#include "app/widget.h"
#include "gamedata/armytypefile.h"
#include "gamedata/cityfile.h"
#include "gamedata/languagefile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"
#include "gamedata/storycatalogue.h"
#include "gamedata/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

// Reads a whole file and replaces the table with what the parse finds in it; false, with the table left
// as it was, when the file gives no text.
template <typename Table, typename Parse>
bool readInto(const QString& path, const char* codecName, Table& table, Parse parse)
{
    const std::optional<QString> text = readTextFile(path, codecName);
    if (!text)
        return false;
    table = parse(*text);
    return true;
}

} // namespace

bool Widget::readStoryCatalogue(const QString& path)
{
    const std::optional<QString> text = readTextFile(path);
    if (!text)
        return false;
    const QString baseDirectory = path.left(path.lastIndexOf(QLatin1Char('/')));
    stories.clear();
    for (const QString& storyPath : parseStoryPaths(*text)) {
        const QString directory = baseDirectory + QLatin1Char('/') + storyPath;
        const QString summaryPath = directory + QStringLiteral("/summary.xml");
        if (!QFile::exists(summaryPath))
            continue;
        const std::optional<QString> summary = readTextFile(summaryPath, "utf-8");
        stories.insert(stories.size(), {directory, summary ? parseStoryName(*summary) : QString()});
    }
    return true;
}

bool Widget::readLanguageFile(const QString& path)
{
    return readInto(path, "UTF-8", languageTexts, parseLanguageTable);
}

bool Widget::readItemFile(const QString& path)
{
    return readInto(path, nullptr, items, [this](const QString& text) { return parseItems(text, languageTexts); });
}

bool Widget::readArmyTypeFile(const QString& path)
{
    return readInto(path, nullptr, armyTypes,
                    [this](const QString& text) { return parseArmyTypes(text, languageTexts); });
}

bool Widget::readSkillFile(const QString& path)
{
    return readInto(path, nullptr, skills, parseSkills);
}

bool Widget::readStageFile(const QString& path)
{
    return readStage(path) == StageRead::Done;
}

Widget::StageRead Widget::readStage(const QString& path)
{
    const std::optional<QString> stageText = readTextFile(path, "utf-8");
    if (!stageText)
        return StageRead::StageUnreadable;
    const std::optional<QString> armyTypeText = readTextFile(armyTypePath);
    if (!armyTypeText)
        return StageRead::ArmyTypesUnreadable;

    // Start every army type from its own statistics in armytype.txt, so that values of a story chosen
    // earlier do not linger on army types this story does not declare.
    const RecordTable base = parseArmyTypes(*armyTypeText, languageTexts);
    for (auto record = armyTypes.begin(); record != armyTypes.end(); ++record) {
        const QStringList baseRecord = base.value(record.key());
        for (int position = 1; position <= 6 && position < baseRecord.size(); ++position)
            (*record)[position] = baseRecord.at(position);
    }

    const RecordTable statistics = parseStageStatistics(*stageText);
    for (auto element = statistics.cbegin(); element != statistics.cend(); ++element) {
        auto record = armyTypes.find(element.key());
        if (record == armyTypes.end())
            continue;
        for (int position = 1; position <= 6; ++position)
            (*record)[position] = element.value().at(position - 1);
    }
    return StageRead::Done;
}

bool Widget::readCityFile(const QString& path)
{
    return readInto(path, nullptr, cities, parseCities);
}

bool Widget::readCitySpecialtyFile(const QString& path)
{
    // The catalogue is optional: without it there are simply no specialties to offer.
    const std::optional<QString> text = readTextFile(path);
    if (!text && QFileInfo::exists(path))
        return false;
    citySpecialties = text ? parseCitySpecialties(*text) : RecordTable();
    return true;
}

bool Widget::patchFile(const QString& path, const QStringList& ids,
                       const std::function<PatchResult(const QString&)>& patch, SaveReport* report, QStringList* landed,
                       QStringList* notFound)
{
    const std::optional<ExactText> content = readExactText(path);
    bool written = false;
    QStringList unwritten;
    if (content) {
        const PatchResult result = patch(content->text);
        unwritten = notFound ? result.notWritten : result.unwritten();
        if (notFound)
            *notFound = result.notFound;
        // The file is copied aside before its first rewrite in this run; without the copy it is not written.
        written = result.text == content->text ||
                  (backups && backups->backUp(path) && writeTextFile(path, ExactText{result.text, content->codecName}));
        if (written && landed) {
            const QStringList left = result.unwritten();
            const QSet<QString> leftOut(left.begin(), left.end());
            for (const QString& id : ids) {
                if (!leftOut.contains(id))
                    landed->append(id);
            }
        }
    }
    if (report) {
        if (!written)
            report->failedFiles.append(QDir::toNativeSeparators(path));
        if (!unwritten.isEmpty())
            report->unwrittenRecords.append(QFileInfo(path).fileName() + QLatin1Char(' ') +
                                            unwritten.join(QStringLiteral(", ")));
    }
    return written;
}

bool Widget::writeArmyTypeFile(const QString& path, const QStringList& ids, SaveReport* report, QStringList* landed)
{
    return patchFile(
        path, ids, [&](const QString& text) { return patchArmyTypes(text, ids, armyTypes, ArmyTypeFields::All); },
        report, landed);
}

bool Widget::writeArmyNeeds(const QString& path, const QStringList& ids, SaveReport* report, QStringList* landed)
{
    return patchFile(
        path, ids, [&](const QString& text) { return patchArmyTypes(text, ids, armyTypes, ArmyTypeFields::Needs); },
        report, landed);
}

bool Widget::writeSkillFile(const QString& path, const QStringList& ids, SaveReport* report, QStringList* landed)
{
    return patchFile(
        path, ids, [&](const QString& text) { return patchSkills(text, ids, skills); }, report, landed);
}

bool Widget::writeStageFile(const QString& path, const QStringList& ids, SaveReport* report, QStringList* landed)
{
    // Army types the story does not declare keep their statistics in armytype.txt.
    QStringList notDeclared;
    const bool written = patchFile(
        path, ids, [&](const QString& text) { return patchStage(text, ids, armyTypes); }, report, landed, &notDeclared);
    if (!written || notDeclared.isEmpty())
        return written;
    return writeArmyTypeFile(armyTypePath, notDeclared, report, landed);
}

bool Widget::writeCityFile(const QString& path, const QStringList& ids, SaveReport* report, QStringList* landed)
{
    return patchFile(
        path, ids, [&](const QString& text) { return patchCities(text, ids, cities); }, report, landed);
}
