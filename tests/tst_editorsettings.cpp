// editor.ini: what it keeps across a restart, what the layout button clears, and files it cannot use.
#include "app/editorsettings.h"
#include "tablesupport.h"

#include <QHeaderView>
#include <QSplitter>

using namespace TestSupport;

class EditorSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void unusableFile_data();
    void unusableFile();
    void layoutSurvivesRestart();
};

namespace {

// The height of the city tab's held specialties, shown in the window as it is.
int heldListHeight(MainWindow* window)
{
    auto* tabs = child<QTabWidget>(window, "tabWidget");
    tabs->show();
    tabs->setCurrentWidget(child<QWidget>(window, "cityPage"));
    window->show();
    return child<QSplitter>(window, "citySplitter")->sizes().value(0);
}

} // namespace

void EditorSettingsTest::unusableFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QVector<int>>("widths");

    QTest::newRow("garbage") << QByteArray("]]=\n[[[\n==x\n\xff\xfe") << QVector<int>();
    QTest::newRow("older-layout") << QByteArray("[armyInfoTable]\nwidths=80\nsortColumn=1\nsortOrder=ascending\n")
                                  << QVector<int>();
    QTest::newRow("values-that-do-not-fit") << QByteArray("[General]\nversion=1\n[window]\nx=1\ny=1\nwidth=-5\n"
                                                          "height=700\n[armyInfoTable]\nwidths=abc, -3, 120\n"
                                                          "sortColumn=2\nsortOrder=sideways\n"
                                                          "[splitters]\ncitySplitter=200, x\n")
                                            << QVector<int>{0, 0, 120};
    QTest::newRow("unreadable") << QByteArray() << QVector<int>();
}

void EditorSettingsTest::unusableFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QVector<int>, widths);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("editor.ini"));
    QVERIFY(bytes.isNull() ? QDir().mkpath(path) : writeBytes(path, bytes));

    const EditorLayout layout = readEditorLayout(path);
    QVERIFY(!layout.window.isValid());
    QCOMPARE(layout.tables.value(QStringLiteral("armyInfoTable")).widths, widths);
    QCOMPARE(layout.tables.value(QStringLiteral("armyInfoTable")).sortColumn, -1);
    QVERIFY(layout.splitters.isEmpty());
}

void EditorSettingsTest::layoutSurvivesRestart()
{
    GameCopy game;
    const QByteArray config = readBytes(game.path(QStringLiteral("config.ini")));
    // A garbage file does not stop the start, and is rewritten on exit.
    QVERIFY(writeBytes(game.path(QStringLiteral("editor.ini")), "\x01 not a layout [["));
    int defaultWidth = 0;
    int defaultHeldHeight = 0;
    int draggedHeldHeight = 0;
    {
        Editor editor;
        defaultHeldHeight = heldListHeight(editor.window.get());
        // Maximised, as the next start restores it: the splitter has the same room then.
        editor.window->setWindowState(Qt::WindowMaximized);
        draggedHeldHeight = heldListHeight(editor.window.get()) - 60;
        // As a drag of the handle leaves it.
        auto* splitter = child<QSplitter>(editor.window.get(), "citySplitter");
        splitter->setSizes({draggedHeldHeight, splitter->sizes().value(1) + 60});
        auto* army = editor.window->findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
        defaultWidth = army->horizontalHeader()->sectionSize(2);
        army->horizontalHeader()->resizeSection(2, defaultWidth + 40);
        army->horizontalHeader()->setSortIndicator(3, Qt::DescendingOrder);
        editor.window->findChild<QTableWidget*>(QStringLiteral("storyList"))->sortByColumn(0, Qt::DescendingOrder);
        QVERIFY(editor.window->close());
    }
    QCOMPARE(readBytes(game.path(QStringLiteral("config.ini"))), config);
    QVERIFY(readEditorLayout(game.path(QStringLiteral("editor.ini"))).maximised);

    Editor editor;
    auto* army = editor.window->findChild<QTableWidget*>(QStringLiteral("armyInfoTable"))->horizontalHeader();
    auto* stories = editor.window->findChild<QTableWidget*>(QStringLiteral("storyList"))->horizontalHeader();
    QCOMPARE(army->sectionSize(2), defaultWidth + 40);
    QCOMPARE(army->sortIndicatorSection(), 3);
    QCOMPARE(army->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(stories->sortIndicatorSection(), 0);
    QCOMPARE(stories->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(heldListHeight(editor.window.get()), draggedHeldHeight);

    editor.window->setWindowState(Qt::WindowMaximized);
    QTest::mousePress(editor.window->findChild<QWidget*>(QStringLiteral("layoutButton")), Qt::LeftButton);
    QCOMPARE(army->sectionSize(2), defaultWidth);
    QCOMPARE(army->sortIndicatorSection(), -1);
    editor.window->resize(1200, 800);
    QCOMPARE(heldListHeight(editor.window.get()), defaultHeldHeight);
    QCOMPARE(editor.window->windowState(), Qt::WindowNoState);
    QVERIFY(!QFile::exists(game.path(QStringLiteral("editor.ini"))));
    QCOMPARE(editor.window->findChild<QStatusBar*>()->currentMessage(), QStringLiteral("已恢复默认布局"));
}

QTEST_MAIN(EditorSettingsTest)
#include "tst_editorsettings.moc"
