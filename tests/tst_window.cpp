// The editor window: finding and loading the game, backups, and saves that meet broken files and disks.
#include "app/editorresources.h"
#include "app/prompts.h"
#include "gamedata/textfile.h"
#include "tablesupport.h"

#include <QMouseEvent>

using namespace TestSupport;

namespace {

const QString skillFile = QStringLiteral("config/battlefield/skill.txt");

QStringList filesIn(const QString& folder)
{
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        files += QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// Edits as a user does: skill 301's far range becomes 6, and city 1 loses specialty 3.
void editSkillAndCity(Widget& w)
{
    clickCell(child(&w, "armyInfoTable"), QStringLiteral("7"));
    editCell(child(&w, "armySkillTable"), QStringLiteral("301"), 2, QStringLiteral("6"));
    clickTab(&w, 1);
    clickCell(child(&w, "cityTable"), QStringLiteral("1"));
    rightClick(child(&w, "citySpecialtyTable"), QStringLiteral("3"));
    QVERIFY(w.hasPendingChanges());
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        dialogs = 0;
        picks.clear();
        Prompts::setDirectoryPicker([this](QWidget*, const QString& caption, const QString& start) {
            ++dialogs;
            const bool asked = caption == QStringLiteral("设置游戏目录") && start == QLatin1String("../");
            return asked && !picks.isEmpty() ? picks.takeFirst() : QString();
        });
    }

    void cleanup()
    {
        Prompts::setDirectoryPicker(nullptr);
        setByteWriter(nullptr);
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("config"); // GAME stands for the game's path, SKILL for skill.txt's; null: none
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("file"); // a game file replaced by `content`; "-" removes it, "/" puts a folder there
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("loaded");
        const QByteArray valid("GamePath=GAME\n");
        QTest::newRow("valid-config") << valid << QStringList() << QString() << QByteArray() << 0 << true;
        // As Notepad writes it on Windows: the system's separators (backslashes there) and CR LF.
        QTest::newRow("native-separators-crlf")
            << QByteArray("GamePath=NATIVE\r\n") << QStringList() << QString() << QByteArray() << 0 << true;
        QTest::newRow("no-config-cancelled")
            << QByteArray() << QStringList() << QString() << QByteArray() << 1 << false;
        QTest::newRow("wrong-then-right-pick")
            << QByteArray() << QStringList{"nowhere", "GAME"} << QString() << QByteArray() << 2 << true;
        for (const QByteArray& config :
             {QByteArray("GAME\n"), QByteArray(""), QByteArray("\x00\xFF=", 3), QByteArray("GamePath=SKILL")})
            QTest::addRow("odd-config-%s", config.toHex().left(8).constData())
                << config << QStringList() << QString() << QByteArray() << 1 << false;
        const QString catalogue("config/world/cityspecialattributes.txt");
        QTest::newRow("catalogue-missing") << valid << QStringList() << catalogue << QByteArray("-") << 0 << true;
        QTest::newRow("catalogue-unreadable") << valid << QStringList() << catalogue << QByteArray("/") << 0 << false;
        QByteArray garbage;
        for (int i = 0; i < 70000; ++i)
            garbage += char((i * 7919 + (i >> 3)) & 0xff);
        for (const char* file :
             {"config/language/language_cn.txt", "config/army/armytype.txt", "config/world/items.txt",
              "config/battlefield/skill.txt", "config/world/city.txt", "story/storyconfig.xml"}) {
            QTest::addRow("garbage-%s", file) << valid << QStringList() << file << garbage << 0 << true;
            QTest::addRow("utf16-mark-only-%s", file)
                << valid << QStringList() << file << QByteArray("\xFF\xFE") << 0 << true;
        }
    }

    // A game that loads needs no dialog, or a picked directory is written to config.ini; anything else asks once.
    void load()
    {
        QFETCH(QByteArray, config);
        QFETCH(QStringList, answers);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(bool, loaded);
        GameCopy game(false);
        config.replace("NATIVE", QDir::toNativeSeparators(game.gamePath()).toUtf8())
            .replace("GAME", game.gamePath().toUtf8())
            .replace("SKILL", game.gameFile(skillFile).toUtf8());
        QVERIFY(config.isNull() || writeBytes(game.path("config.ini"), config));
        picks = answers.replaceInStrings("GAME", game.gamePath());
        if (content == "-" || content == "/")
            QVERIFY(QFile::remove(game.gameFile(file)) && (content == "-" || QDir().mkpath(game.gameFile(file))));
        else if (!file.isEmpty())
            QVERIFY(writeBytes(game.gameFile(file), content));
        Editor editor;
        QTEST(dialogs, "asked");
        QCOMPARE(WidgetTestAccess::gameDataLoaded(*editor.widget), loaded);
        QCOMPARE(message(editor.widget.get()), loaded ? QString() : QStringLiteral("游戏目录设置不正确,或文件缺失!"));
        QCOMPARE(status(editor.widget.get()), loaded ? QStringLiteral("数据加载成功!") : QString());
        QCOMPARE(bool(editor.widget->findChild<QTabWidget*>()), loaded);
        const QByteArray written =
            loaded && !answers.isEmpty() ? "GamePath=" + game.gamePath().toUtf8() + "\n" : config;
        QCOMPARE(readBytes(game.path("config.ini")), written);
    }

    void directoryButtonLoadsOnce()
    {
        GameCopy game(false);
        Editor editor;
        QVERIFY(!WidgetTestAccess::gameDataLoaded(*editor.widget));
        picks = QStringList{game.gamePath()};
        press(editor.widget.get(), "directoryButton");
        QVERIFY(WidgetTestAccess::gameDataLoaded(*editor.widget));
        QVERIFY(child(editor.widget.get(), "storyList")->rowCount() > 0);
        // Once loaded, the button has nothing more to do.
        press(editor.widget.get(), "directoryButton");
        QCOMPARE(dialogs, 2);
        QCOMPARE(editor.widget->findChildren<QTabWidget*>().size(), 1);
        // A style sheet missing from the resources would fail silently.
        initEditorResources();
        QVERIFY(QFile(QStringLiteral(":/qss/psblack.css")).size() > 0);
    }

    void failedSave_data()
    {
        QTest::addColumn<QString>("fault");
        for (const char* fault :
             {"backup-blocked", "deleted", "read-only", "replaced-by-folder", "disk-full", "write-fails-midway"})
            QTest::newRow(fault) << fault;
    }

    // The file that could not be written keeps its bytes and nothing lands beside it; its edits stay for the next
    // save, which writes them once the fault is gone.
    void failedSave()
    {
        QFETCH(QString, fault);
        OpenEditor open;
        Widget& w = *open.w;
        const QString skills = open.game.gameFile(skillFile);
        const QByteArray original = readBytes(skills);
        editSkillAndCity(w);
        if (fault == QLatin1String("backup-blocked"))
            QVERIFY(writeBytes(open.game.path("backup"), "in the way"));
        if (fault == QLatin1String("deleted") || fault == QLatin1String("replaced-by-folder"))
            QVERIFY(QFile::remove(skills) && (fault == QLatin1String("deleted") || QDir().mkpath(skills)));
        if (fault == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(skills, QFile::ReadOwner));
        setByteWriter([fault](QIODevice& file, const QByteArray& bytes) -> qint64 {
            return fault == QLatin1String("disk-full")            ? -1
                   : fault == QLatin1String("write-fails-midway") ? file.write(bytes.left(bytes.size() / 2))
                                                                  : file.write(bytes);
        });
        press(&w, "saveButton");
        QVERIFY(message(&w).startsWith(QStringLiteral("保存失败: ") + QDir::toNativeSeparators(skills)));
        QVERIFY(!status(&w).startsWith(QStringLiteral("保存成功!")) && w.hasPendingChanges());
        QVERIFY(!QFileInfo(skills).isFile() || readBytes(skills) == original);
        QCOMPARE(filesIn(QFileInfo(skills).absolutePath()).filter(QStringLiteral("skill.txt.")), QStringList());

        setByteWriter(nullptr);
        QFile::remove(open.game.path("backup"));
        QFile::setPermissions(skills, QFile::ReadOwner | QFile::WriteOwner);
        QDir(skills).removeRecursively();
        QVERIFY(QFileInfo(skills).isFile() || writeBytes(skills, original));
        press(&w, "saveButton");
        QVERIFY(!w.hasPendingChanges());
        QCOMPARE(readBytes(skills), withValue(original, "\"ID\":301,", "\"FarRange\":", "6"));

        // Before its first rewrite in a run, each file is copied as it was into one folder for the run; the status
        // names the folder when a save made copies. A later save keeps the first copy.
        const QStringList runs = QDir(open.game.path("backup")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(runs.size() == 1 && QRegExp(QStringLiteral("\\d{8}-\\d{6}")).exactMatch(runs.first()));
        const QString folder = open.game.path("backup/" + runs.first());
        const bool copiedNow = fault == "backup-blocked" || fault == "deleted" || fault == "replaced-by-folder";
        QCOMPARE(status(&w),
                 QStringLiteral("保存成功!") +
                     (copiedNow ? QStringLiteral("  已备份原文件至: ") + QDir::toNativeSeparators(folder) : ""));
        QCOMPARE(filesIn(folder), QStringList({skillFile, QStringLiteral("config/world/city.txt")}));
        clickTab(&w, 0);
        editCell(child(&w, "armySkillTable"), QStringLiteral("301"), 2, QStringLiteral("5"));
        press(&w, "saveButton");
        QCOMPARE(readBytes(folder + '/' + skillFile), original);
    }

    // The frameless window's chrome: title buttons that follow the state, dragging by the background (a jump of
    // more than 100 pixels right or down is a glitch), resizing from a corner, and the title's double click.
    // Qt on Windows reports a maximised frameless window that covers the whole screen as full screen too (under
    // Wine there is no taskbar to leave room for), so only the maximised flag is asked for.
    void chrome()
    {
        GameCopy game;
        Editor editor;
        Widget* w = editor.widget.get();
        w->move(200, 100);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const auto shown = [w](const char* name) {
            return !child<QWidget>(w, name)->isHidden();
        };
        const auto send = [w](QEvent::Type type, const QPoint& global) {
            QMouseEvent event(type, w->mapFromGlobal(global), global, Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w, &event);
        };
        press(w, "maximiseButton");
        QVERIFY(w->windowState().testFlag(Qt::WindowMaximized) && shown("restoreButton") && !shown("maximiseButton"));
        press(w, "restoreButton");
        QVERIFY(w->windowState() == Qt::WindowNoState && shown("maximiseButton") && !shown("restoreButton"));

        const QPoint start = w->pos();
        const QPoint grip = w->mapToGlobal(QPoint(300, 400));
        send(QEvent::MouseButtonPress, grip);
        send(QEvent::MouseMove, grip + QPoint(5, 5));
        send(QEvent::MouseMove, grip + QPoint(155, 5));
        send(QEvent::MouseMove, grip + QPoint(-145, 5));
        send(QEvent::MouseButtonRelease, grip + QPoint(-145, 5));
        QCOMPARE(w->pos(), start + QPoint(-145, 5));

        const QRect frame = child<QWidget>(w, "mainUI")->geometry();
        const QRect before = w->geometry();
        const QPoint corner = w->mapToGlobal(frame.bottomRight() - QPoint(2, 2));
        // On Windows the window system takes a resize over and follows the real pointer, which sent events do not
        // move; elsewhere here the window resizes itself.
        if (QGuiApplication::platformName() != QLatin1String("windows")) {
            send(QEvent::MouseButtonPress, corner);
            send(QEvent::MouseMove, corner + QPoint(30, 20));
            send(QEvent::MouseButtonRelease, corner + QPoint(30, 20));
            QCOMPARE(w->geometry(), before.adjusted(0, 0, 30, 20));
        }
        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, frame.topLeft() + QPoint(300, 12));
        QVERIFY(w->windowState().testFlag(Qt::WindowMaximized) && shown("restoreButton"));
    }

private:
    QStringList picks;
    int dialogs = 0;
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
