#include "gamedata/gameconfig.h"

#include <QTest>

class GameConfigTest : public QObject
{
    Q_OBJECT

private slots:
    void gameDirectory_data();
    void gameDirectory();
    void pathsFollowDirectoryDirectly();
};

void GameConfigTest::gameDirectory_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("directory");
    QTest::newRow("plain") << "GamePath=D:/Games/Sanguo\n"
                           << "D:/Games/Sanguo";
    QTest::newRow("other-key") << "Path=/opt/game\n"
                               << "/opt/game";
    QTest::newRow("equals-inside-directory-cuts") << "GamePath=/opt/a=b\n"
                                                  << "/opt/a";
    QTest::newRow("trailing-slash-kept") << "GamePath=/opt/game/\n"
                                         << "/opt/game/";
    QTest::newRow("further-lines-ignored") << "GamePath=/first\nGamePath=/second\n"
                                           << "/first";
    QTest::newRow("no-line-end") << "GamePath=/opt/game"
                                 << "/opt/game";
    QTest::newRow("empty-directory") << "GamePath=\n"
                                     << "";
    QTest::newRow("no-equals-is-empty") << "/opt/game\nGamePath=/later\n"
                                        << "";
    QTest::newRow("empty-file") << ""
                                << "";
    QTest::newRow("chinese-and-spaces") << "GamePath=C:/游戏 目录\n"
                                        << "C:/游戏 目录";
}

void GameConfigTest::gameDirectory()
{
    QFETCH(QString, config);
    QFETCH(QString, directory);
    QCOMPARE(gameDirectoryFromConfig(config), directory);
}

void GameConfigTest::pathsFollowDirectoryDirectly()
{
    const GameFilePaths paths = gameFilePaths(QStringLiteral("/g/"));
    QCOMPARE(paths.language, QStringLiteral("/g//config/language/language_cn.txt"));
    const GameFilePaths root = gameFilePaths(QString());
    QCOMPARE(root.required(), QStringList({"/config/language/language_cn.txt", "/config/army/armytype.txt",
                                           "/config/battlefield/skill.txt", "/config/world/items.txt",
                                           "/config/world/city.txt", "/story/storyconfig.xml"}));
    QCOMPARE(root.citySpecialty, QStringLiteral("/config/world/cityspecialattributes.txt"));
    QCOMPARE(configTextFor(QStringLiteral("/g")), QStringLiteral("GamePath=/g\n"));
}

QTEST_GUILESS_MAIN(GameConfigTest)
#include "tst_gameconfig.moc"
