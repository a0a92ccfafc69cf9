// The editor window: finding and loading the game, and the frameless window's chrome.
#include "app/editorresources.h"
#include "gamedata/changeset.h"
#include "tablesupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLayout>
#include <QMouseEvent>

using namespace TestSupport;

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
        notices.clear();
        Prompts::setNotice([this](QWidget*, const QString&, const QString& text) { notices += text; });
    }

    void cleanup()
    {
        Prompts::setNotice(nullptr);
        Prompts::setDirectoryPicker(nullptr);
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
        // Another program's config.ini keeps its lines; one that cannot be written (here a folder) says so.
        QTest::newRow("shared-config-kept")
            << QByteArray("[Game]\r\nVolume=3\r\n") << QStringList{"GAME"} << QString() << QByteArray() << 1 << true;
        QTest::newRow("config-not-writable")
            << QByteArray("/") << QStringList{"GAME"} << QString() << QByteArray() << 1 << true;
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
            .replace("SKILL", game.gameFile(QStringLiteral("config/battlefield/skill.txt")).toUtf8());
        QVERIFY(config.isNull() ||
                (config == "/" ? QDir().mkpath(game.path("config.ini")) : writeBytes(game.path("config.ini"), config)));
        picks = answers.replaceInStrings("GAME", game.gamePath());
        if (content == "-" || content == "/")
            QVERIFY(QFile::remove(game.gameFile(file)) && (content == "-" || QDir().mkpath(game.gameFile(file))));
        else if (!file.isEmpty())
            QVERIFY(writeBytes(game.gameFile(file), content));
        Editor editor;
        QTEST(dialogs, "asked");
        // A picked folder that is not the game's is named with the file it lacks before the next question.
        QCOMPARE(notices, answers.size() > 1
                              ? QStringList{QStringLiteral("所选目录不是游戏目录,缺少文件:\n") +
                                            QDir::toNativeSeparators(GameDocument::missingGameFile("nowhere"))}
                              : QStringList());
        QCOMPARE(editor.document.isOpen(), loaded);
        const QString unwritable =
            QStringLiteral("无法记住游戏目录: 写入 %1 失败")
                .arg(QDir::toNativeSeparators(QFileInfo(game.path("config.ini")).absoluteFilePath()));
        QCOMPARE(message(editor.window.get()), !loaded ? QStringLiteral("游戏目录设置不正确,或文件缺失!")
                                               : config == "/" ? unwritable
                                                               : QString());
        QCOMPARE(status(editor.window.get()), loaded ? QStringLiteral("数据加载成功!") : QString());
        const QByteArray written =
            loaded && !answers.isEmpty() ? configWithGameDirectory(config, game.gamePath()) : config;
        QCOMPARE(readBytes(game.path("config.ini")), config == "/" ? QByteArray() : written);
    }

    // A recovery file is offered at start; "恢复" brings the changes back with their story, leaving the conflict
    // unticked; the tools menu exports what is pending.
    void recoveryOfferedAndExported()
    {
        GameCopy game;
        const QVector<RecordChange> recovered{
            {"story/story03/stage.xml", RecordKind::ArmyType, "1", "", 2, "56", "80"},
            {"config/battlefield/skill.txt", RecordKind::Skill, "301", "", 2, "1", "9"}};
        QVERIFY(writeBytes(game.path("recovery.json"), writeChangeSet(recovered, "0", game.gamePath()).toUtf8()));
        QStringList titles;
        Prompts::setDialogRunner([&titles](QDialog& dialog) {
            titles.append(dialog.windowTitle());
            return true;
        });
        const QString exported = game.path("out.json");
        const QString set = game.path("set.json");
        Prompts::setChangeSetPicker(
            [&](QWidget*, const QString&, bool forSaving) { return forSaving ? exported : set; });
        Editor editor;
        QTRY_COMPARE(titles, QStringList{"恢复上次未保存的修改?"});
        Prompts::setDialogRunner(nullptr);
        QCOMPARE(editor.document.currentStory(), 2);
        QCOMPARE(editor.document.armyTypes().value("1").value(2), QStringLiteral("80"));
        QCOMPARE(editor.document.skills().value("301").value(2), QStringLiteral("2"));
        editor.window->findChild<QAction*>("exportChangesAction")->trigger();
        const ChangeSet written = readChangeSet(readBytes(exported));
        QCOMPARE(written.changes.size(), 1);
        QCOMPARE(written.changes.first().file, recovered.first().file);

        // Applied with every conflict and the offered story opened (the open story's changes given up).
        QVERIFY(writeBytes(
            set,
            writeChangeSet({{"story/story04/stage.xml", RecordKind::ArmyType, "1", "", 3, "0", "90"}}, "0").toUtf8()));
        Prompts::setDialogRunner([](QDialog& dialog) {
            dialog.findChild<QCheckBox*>("applyAllConflicts")->setChecked(true);
            dialog.findChild<QCheckBox*>("openStoryCheck")->setChecked(true);
            return true;
        });
        Prompts::setSaveQuestion([](QWidget*) { return Prompts::SaveAnswer::Discard; });
        editor.window->findChild<QAction*>("applyChangesAction")->trigger();
        Prompts::setDialogRunner(nullptr);
        Prompts::setSaveQuestion(nullptr);
        Prompts::setChangeSetPicker(nullptr);
        QCOMPARE(editor.document.currentStory(), 3);
        QCOMPARE(editor.document.armyTypes().value("1").value(3), QStringLiteral("90"));
    }

    // The button loads a game that is not loaded; a loaded one it replaces by another directory, once unsaved
    // changes are settled, and the new game starts without a story.
    void directoryButtonLoadsAndChangesGame()
    {
        GameCopy game(false);
        Editor editor;
        MainWindow* w = editor.window.get();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        picks = QStringList{game.gamePath()};
        press(w, "directoryButton");
        QVERIFY(editor.document.isOpen());
        // Enter opens the current story.
        child(w, "storyList")->setCurrentCell(0, 0);
        QTest::keyClick(child(w, "storyList"), Qt::Key_Return);
        editCell(child(w, "armyInfoTable"), "1", 3, QStringLiteral("66"));
        QList<Prompts::SaveAnswer> answers{Prompts::SaveAnswer::Cancel, Prompts::SaveAnswer::Discard,
                                           Prompts::SaveAnswer::Discard};
        Prompts::setSaveQuestion([&answers](QWidget*) { return answers.takeFirst(); });
        press(w, "directoryButton"); // cancelled at the question
        press(w, "directoryButton"); // cancelled at the directory
        QCOMPARE(dialogs, 3);
        QVERIFY(editor.document.hasPendingChanges() && child(w, "armyInfoTable")->isVisible());
        picks = QStringList{game.gamePath()};
        press(w, "directoryButton");
        QVERIFY(!editor.document.hasPendingChanges() && editor.document.currentStory() == -1);
        QVERIFY(child(w, "storyList")->isVisible() && child(w, "armyInfoTable")->rowCount() == 0);
        QCOMPARE(w->findChildren<QTabWidget*>().size(), 1);
        Prompts::setSaveQuestion(nullptr);
        // A style sheet missing from the resources would fail silently.
        initEditorResources();
        QVERIFY(QFile(QStringLiteral(":/qss/psblack.css")).size() > 0);
    }

    // In a window of 900 x 500 (a 1366 x 768 screen at 150 %, less a task bar) every table of both tabs shows at
    // least three rows, or all it has.
    void smallWindowShowsRows()
    {
        GameCopy game;
        Editor editor;
        MainWindow* w = editor.window.get();
        QVERIFY(w->minimumSizeHint().width() <= 900 && w->minimumSizeHint().height() <= 500);
        w->resize(900, 500);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        chooseStory(w, QStringLiteral("群雄割据"));
        clickCell(child(w, "armyInfoTable"), QStringLiteral("7"));
        QTest::qWait(50);
        const auto rowsShown = [](const QTableWidget* table) {
            int rows = 0;
            for (int row = 0; row < table->rowCount(); ++row)
                rows += table->viewport()->rect().contains(table->visualItemRect(table->item(row, 0)));
            return rows;
        };
        for (const char* name : {"armyInfoTable", "armySkillTable", "armyNeedsTable"})
            QVERIFY2(rowsShown(child(w, name)) >= std::min(3, child(w, name)->rowCount()), name);
        // Ctrl+Tab and Ctrl+Shift+Tab go round the tabs, also from the story list beside them. A real Ctrl+Shift+Tab
        // reaches the shortcuts as the keys below; the Ctrl+Shift+Backtab of Qt's own binding is never matched.
        auto* tabs = child<QTabWidget>(w, "tabWidget");
        child<QWidget>(w, "storyList")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        clickCell(child(w, "cityTable"), QStringLiteral("100"));
        for (const char* name : {"cityTable", "citySpecialtyTable", "optionalSpecialtyTable"})
            QVERIFY2(rowsShown(child(w, name)) >= 3, name);
        QCOMPARE(w->size(), QSize(900, 500));
    }

    // The frameless window's chrome: title buttons that follow the state (a minimised maximised window stays
    // maximised), dragging by the background (a jump of more than 100 pixels right or down is a glitch),
    // resizing from a corner, and the title's double click.
    // Qt on Windows reports a maximised frameless window that covers the whole screen as full screen too (under
    // Wine there is no taskbar to leave room for), so only the maximised flag is asked for.
    void chrome()
    {
        GameCopy game;
        Editor editor;
        MainWindow* w = editor.window.get();
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
        // Maximised or full screen, the frame fills the window; a normal window keeps a margin for the shadow.
        const auto filled = [w] {
            w->layout()->activate();
            return child<QWidget>(w, "mainUI")->geometry() == w->rect();
        };
        press(w, "maximiseButton");
        QVERIFY(w->windowState().testFlag(Qt::WindowMaximized) && shown("restoreButton") && !shown("maximiseButton"));
        QVERIFY(filled());
        // Minimised, it stays maximised to come back so.
        press(w, "minimiseButton");
        QVERIFY(w->windowState().testFlag(Qt::WindowMinimized) && w->windowState().testFlag(Qt::WindowMaximized));
        w->setWindowState(Qt::WindowMaximized);
        QVERIFY(filled());
        w->setWindowState(Qt::WindowFullScreen);
        QVERIFY(filled());
        press(w, "restoreButton");
        QVERIFY(w->windowState() == Qt::WindowNoState && shown("maximiseButton") && !shown("restoreButton"));
        QVERIFY(!filled());

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
            // The window stands beyond the small offscreen screen already: it may shrink, not grow.
            send(QEvent::MouseButtonPress, corner);
            send(QEvent::MouseMove, corner + QPoint(30, 20));
            QCOMPARE(w->geometry(), before);
            send(QEvent::MouseMove, corner - QPoint(30, 20));
            send(QEvent::MouseButtonRelease, corner - QPoint(30, 20));
            QCOMPARE(w->geometry(), before.adjusted(0, 0, -30, -20));
        }
        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, frame.topLeft() + QPoint(300, 12));
        QVERIFY(w->windowState().testFlag(Qt::WindowMaximized) && shown("restoreButton"));
    }

private:
    QStringList picks;
    int dialogs = 0;
    QStringList notices;
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
