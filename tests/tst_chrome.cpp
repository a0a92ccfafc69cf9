// The frameless window's own chrome: title buttons and dragging the window by its background.
#include "app/prompts.h"
#include "testsupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

using namespace TestSupport;

class ChromeTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void titleButtonsAlternate();
    void dragging_data();
    void dragging();
    void sideMenuBeforeLoadDoesNothing();
    void edgesResizeAndTitleDoubleClickMaximises();

private:
    std::unique_ptr<GameCopy> game;
    std::unique_ptr<Editor> editor;
    Widget* w = nullptr;

    void send(QEvent::Type type, Qt::MouseButton button, const QPoint& global)
    {
        QMouseEvent event(type, w->mapFromGlobal(global), global, button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
    bool shown(const char* name) const { return !w->findChild<QWidget*>(QLatin1String(name))->isHidden(); }
};

void ChromeTest::init()
{
    game = std::make_unique<GameCopy>();
    editor = std::make_unique<Editor>();
    w = editor->widget.get();
    w->move(200, 100);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

void ChromeTest::cleanup()
{
    editor.reset();
    game.reset();
}

void ChromeTest::titleButtonsAlternate()
{
    QVERIFY(shown("maximiseButton"));
    QVERIFY(!shown("restoreButton"));

    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("maximiseButton")), Qt::RightButton);
    QCOMPARE(w->windowState(), Qt::WindowMaximized);
    QVERIFY(!shown("maximiseButton"));
    QVERIFY(shown("restoreButton"));

    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("minimiseButton")), Qt::LeftButton);
    QCOMPARE(w->windowState(), Qt::WindowMinimized);
    QVERIFY(shown("maximiseButton"));
    QVERIFY(!shown("restoreButton"));

    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("maximiseButton")), Qt::LeftButton);
    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("restoreButton")), Qt::MiddleButton);
    QCOMPARE(w->windowState(), Qt::WindowNoState);
    QVERIFY(shown("maximiseButton"));
    QVERIFY(!shown("restoreButton"));
}

void ChromeTest::dragging_data()
{
    QTest::addColumn<int>("buttonValue");
    QTest::addColumn<QList<QPoint>>("moves");
    QTest::addColumn<QPoint>("expectedOffset");

    QTest::newRow("small-steps-follow") << int(Qt::LeftButton) << QList<QPoint>{{5, 0}, {10, 5}, {15, 10}}
                                        << QPoint(15, 10);
    QTest::newRow("jump-right-ignored") << int(Qt::LeftButton) << QList<QPoint>{{5, 0}, {155, 0}} << QPoint(5, 0);
    QTest::newRow("jump-down-ignored-until-back")
        << int(Qt::LeftButton) << QList<QPoint>{{0, 150}, {0, 160}, {0, 90}} << QPoint(0, 90);
    QTest::newRow("jump-left-followed") << int(Qt::LeftButton) << QList<QPoint>{{-150, 0}} << QPoint(-150, 0);
    QTest::newRow("right-button-does-not-drag") << int(Qt::RightButton) << QList<QPoint>{{5, 5}} << QPoint(0, 0);
}

void ChromeTest::dragging()
{
    QFETCH(int, buttonValue);
    const auto button = Qt::MouseButton(buttonValue);
    QFETCH(QList<QPoint>, moves);
    QFETCH(QPoint, expectedOffset);

    const QPoint start = w->pos();
    const QPoint grip = w->mapToGlobal(QPoint(600, 30));
    send(QEvent::MouseButtonPress, button, grip);
    for (const QPoint& move : moves)
        send(QEvent::MouseMove, button, grip + move);
    QCOMPARE(w->pos() - start, expectedOffset);

    // Releasing ends the drag: later moves do nothing.
    send(QEvent::MouseButtonRelease, button, grip + moves.last());
    const QPoint released = w->pos();
    send(QEvent::MouseMove, Qt::NoButton, grip + moves.last() + QPoint(3, 3));
    QCOMPARE(w->pos(), released);
}

void ChromeTest::sideMenuBeforeLoadDoesNothing()
{
    cleanup();
    game = std::make_unique<GameCopy>(false);
    Prompts::setDirectoryPicker([](QWidget*, const QString&, const QString&) { return QString(); });
    editor = std::make_unique<Editor>();
    Prompts::setDirectoryPicker(nullptr);
    w = editor->widget.get();
    auto* stories = w->findChild<QWidget*>(QStringLiteral("storyList"));
    const bool visible = stories->isVisibleTo(w);
    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("storyButton")), Qt::LeftButton);
    QCOMPARE(stories->isVisibleTo(w), visible);
    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("saveButton")), Qt::LeftButton);
}

void ChromeTest::edgesResizeAndTitleDoubleClickMaximises()
{
    const QRect frame = w->findChild<QWidget*>(QStringLiteral("mainUI"))->geometry();
    const QRect start = w->geometry();
    const QPoint corner = w->mapToGlobal(frame.bottomRight() - QPoint(2, 2));
    send(QEvent::MouseButtonPress, Qt::LeftButton, corner);
    send(QEvent::MouseMove, Qt::LeftButton, corner + QPoint(30, 20));
    send(QEvent::MouseButtonRelease, Qt::LeftButton, corner + QPoint(30, 20));
    QCOMPARE(w->geometry(), start.adjusted(0, 0, 30, 20));

    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, frame.topLeft() + QPoint(300, 12));
    QCOMPARE(w->windowState(), Qt::WindowMaximized);
    QVERIFY(shown("restoreButton"));
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, frame.topLeft() + QPoint(300, 12));
    QCOMPARE(w->windowState(), Qt::WindowNoState);
    QVERIFY(shown("maximiseButton"));
}

QTEST_MAIN(ChromeTest)
#include "tst_chrome.moc"
