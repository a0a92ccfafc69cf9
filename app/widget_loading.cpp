// The game directory, config.ini and the load sequence.
#include "app/editorsettings.h"
#include "app/prompts.h"
#include "app/widget.h"
#include "gamedata/gameconfig.h"
#include "gamedata/textfile.h"
#include "widgets/elidedlabel.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>

bool Widget::readConfig(const QString& path)
{
    // A missing config.ini, or one without "=", counts as no game directory: the dialog then asks for it.
    const std::optional<QString> text = readTextFile(path);
    QString gamePath = text ? gameDirectoryFromConfig(*text) : QString();
    return getGameFiles(gamePath);
}

bool Widget::getGameFiles(QString& gamePath)
{
    bool picked = false;
    for (;;) {
        const GameFilePaths paths = gameFilePaths(gamePath);
        languagePath = paths.language;
        armyTypePath = paths.armyType;
        skillPath = paths.skill;
        itemsPath = paths.items;
        cityPath = paths.city;
        storyConfigPath = paths.storyConfig;
        citySpecialtyPath = paths.citySpecialty;

        bool allPresent = true;
        for (const QString& required : paths.required()) {
            if (!QFile::exists(required)) {
                allPresent = false;
                break;
            }
        }
        if (allPresent) {
            if (gamePath != gameDirectory || !backups) {
                gameDirectory = gamePath;
                backups.emplace(QFileInfo(configPath).absolutePath() + QStringLiteral("/backup"), gameDirectory);
            }
            if (picked)
                writeTextFile(configPath, configTextFor(gamePath), WriteMode::MayCreate);
            return true;
        }

        gamePath = Prompts::pickDirectory(this, tr("设置游戏目录"), QStringLiteral("../"));
        if (gamePath.isEmpty())
            return false;
        picked = true;
    }
}

bool Widget::loadGameData()
{
    const std::function<bool()> steps[] = {
        [this] { return readConfig(configPath); },         [this] { return readStoryCatalogue(storyConfigPath); },
        [this] { return readLanguageFile(languagePath); }, [this] { return readArmyTypeFile(armyTypePath); },
        [this] { return readItemFile(itemsPath); },        [this] { return readSkillFile(skillPath); },
        [this] { return readCityFile(cityPath); },         [this] { return readCitySpecialtyFile(citySpecialtyPath); },
    };
    for (const auto& step : steps) {
        gameDataLoaded = step();
        if (!gameDataLoaded) {
            messageLabel->setText(tr("游戏目录设置不正确,或文件缺失!"));
            return false;
        }
    }
    messageLabel->setText(QString());
    showStatus(tr("数据加载成功!"));
    return true;
}

void Widget::reloadGameData(QGridLayout* windowLayout)
{
    if (gameDataLoaded)
        return;
    if (loadGameData()) {
        buildStoryList(windowLayout);
        buildTabArea(windowLayout);
        editorSettings->restoreNewTables(this);
    }
}
