#include "app/editorresources.h"
#include "app/prompts.h"
#include "testsupport.h"

#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace TestSupport;

class LoadSequenceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void styleSheetResource();
    void validConfigLoadsWithoutDialog();
    void missingConfigAsksAndCancelFails();
    void wrongPickThenRightPickWritesConfig();
    void configWithoutEqualsAsks();
    void missingSpecialtyCatalogueStillLoads();
    void failedReaderShowsFailure();
    void reloadAfterFixingConfig();

private:
    QStringList dialogCalls;
    QStringList answers;
};

void LoadSequenceTest::init()
{
    dialogCalls.clear();
    answers.clear();
    Prompts::setDirectoryPicker([this](QWidget*, const QString& caption, const QString& startDir) {
        dialogCalls.append(caption + QLatin1Char('|') + startDir);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    });
}

void LoadSequenceTest::cleanup()
{
    Prompts::setDirectoryPicker(nullptr);
}

static QString messageText(const Widget& w)
{
    return w.findChild<QLabel*>(QStringLiteral("messageLabel"))->text();
}

static QString statusText(const Widget& w)
{
    return w.findChild<QStatusBar*>(QStringLiteral("statusBar"))->currentMessage();
}

void LoadSequenceTest::styleSheetResource()
{
    initEditorResources();
    QFile sheet(QStringLiteral(":/qss/psblack.css"));
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(sheet.readAll());
    QCOMPARE(text.mid(20, 7), QStringLiteral("#444444"));
    QVERIFY(text.startsWith(QStringLiteral("QPalette{background:#444444;}")));
}

void LoadSequenceTest::validConfigLoadsWithoutDialog()
{
    GameCopy game;
    QVERIFY(game.isValid());
    Editor editor;
    QVERIFY(dialogCalls.isEmpty());
    QVERIFY(WidgetTestAccess::gameDataLoaded(*editor.widget));
    QCOMPARE(statusText(*editor.widget), QStringLiteral("数据加载成功!"));
    QCOMPARE(messageText(*editor.widget), QString());
    auto* storyList = editor.widget->findChild<QTableWidget*>(QStringLiteral("storyList"));
    QCOMPARE(storyList->rowCount(), WidgetTestAccess::stories(*editor.widget).size());
    QVERIFY(storyList->rowCount() > 0);
    QVERIFY(editor.widget->findChild<QTabWidget*>(QStringLiteral("tabWidget")));
}

void LoadSequenceTest::missingConfigAsksAndCancelFails()
{
    GameCopy game(false);
    Editor editor;
    QCOMPARE(dialogCalls, QStringList{QStringLiteral("设置游戏目录|../")});
    QVERIFY(!WidgetTestAccess::gameDataLoaded(*editor.widget));
    QCOMPARE(messageText(*editor.widget), QStringLiteral("游戏目录设置不正确,或文件缺失!"));
    QVERIFY(!QFile::exists(game.path(QStringLiteral("config.ini"))));
    QVERIFY(!editor.widget->findChild<QTabWidget*>(QStringLiteral("tabWidget")));
    QCOMPARE(editor.widget->findChild<QTableWidget*>(QStringLiteral("storyList"))->rowCount(), 0);
}

void LoadSequenceTest::wrongPickThenRightPickWritesConfig()
{
    GameCopy game(false);
    bool configExistedBeforeRightPick = true;
    answers = QStringList{game.path(QStringLiteral("nowhere")), game.gamePath()};
    Prompts::setDirectoryPicker([&](QWidget*, const QString&, const QString&) {
        dialogCalls.append(QString());
        if (dialogCalls.size() == 2)
            configExistedBeforeRightPick = QFile::exists(game.path(QStringLiteral("config.ini")));
        return answers.takeFirst();
    });
    Editor editor;
    QCOMPARE(dialogCalls.size(), 2);
    QVERIFY(!configExistedBeforeRightPick);
    QVERIFY(WidgetTestAccess::gameDataLoaded(*editor.widget));
    QCOMPARE(readBytes(game.path(QStringLiteral("config.ini"))), "GamePath=" + game.gamePath().toUtf8() + "\n");
}

void LoadSequenceTest::configWithoutEqualsAsks()
{
    GameCopy game(false);
    writeBytes(game.path(QStringLiteral("config.ini")), game.gamePath().toUtf8() + "\n");
    Editor editor;
    QCOMPARE(dialogCalls.size(), 1);
    QVERIFY(!WidgetTestAccess::gameDataLoaded(*editor.widget));
}

void LoadSequenceTest::missingSpecialtyCatalogueStillLoads()
{
    GameCopy game;
    QVERIFY(QFile::remove(game.gameFile(QStringLiteral("config/world/cityspecialattributes.txt"))));
    Editor editor;
    QVERIFY(dialogCalls.isEmpty());
    QVERIFY(WidgetTestAccess::gameDataLoaded(*editor.widget));
    QVERIFY(WidgetTestAccess::citySpecialties(*editor.widget).isEmpty());
}

void LoadSequenceTest::failedReaderShowsFailure()
{
    GameCopy game;
    // A game file that exists but cannot be read: a folder in its place.
    const QString catalogue = game.gameFile(QStringLiteral("config/world/cityspecialattributes.txt"));
    QVERIFY(QFile::remove(catalogue));
    QVERIFY(QDir().mkpath(catalogue));
    Editor editor;
    QVERIFY(!WidgetTestAccess::gameDataLoaded(*editor.widget));
    QCOMPARE(messageText(*editor.widget), QStringLiteral("游戏目录设置不正确,或文件缺失!"));
    QCOMPARE(statusText(*editor.widget), QString());
}

void LoadSequenceTest::reloadAfterFixingConfig()
{
    GameCopy game(false);
    Editor editor;
    QVERIFY(!WidgetTestAccess::gameDataLoaded(*editor.widget));

    writeBytes(game.path(QStringLiteral("config.ini")), "GamePath=" + game.gamePath().toUtf8() + "\n");
    WidgetTestAccess::reloadGameData(*editor.widget, editor.layout);
    QVERIFY(WidgetTestAccess::gameDataLoaded(*editor.widget));
    QCOMPARE(messageText(*editor.widget), QString());
    QVERIFY(editor.widget->findChild<QTableWidget*>(QStringLiteral("storyList"))->rowCount() > 0);
    auto* tabs = editor.widget->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);

    // Once loaded, the directory button has nothing more to do.
    writeBytes(game.path(QStringLiteral("config.ini")), "GamePath=/nowhere\n");
    WidgetTestAccess::reloadGameData(*editor.widget, editor.layout);
    QVERIFY(dialogCalls.size() == 1);
    QCOMPARE(editor.widget->findChildren<QTabWidget*>().size(), 1);
}

QTEST_MAIN(LoadSequenceTest)
#include "tst_loadsequence.moc"
