// Where the window opens, and how dragging its edges resizes it.
#include "app/windowplacement.h"

#include <QTest>

class WindowPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void initialGeometry_data();
    void initialGeometry();
    void edgeResize_data();
    void edgeResize();
};

void WindowPlacementTest::initialGeometry_data()
{
    QTest::addColumn<QVector<QRect>>("screens");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QRect>("remembered");
    QTest::addColumn<QRect>("expected");

    const QRect fullHd(0, 0, 1920, 1040);
    const QRect laptop(1920, 0, 1366, 728);
    QTest::newRow("default-centred") << QVector<QRect>{fullHd} << QPoint(5, 5) << QRect() << QRect(360, 120, 1200, 800);
    QTest::newRow("laptop-shrinks-to-available-area")
        << QVector<QRect>{QRect(0, 0, 1366, 728)} << QPoint(5, 5) << QRect() << QRect(83, 0, 1200, 728);
    QTest::newRow("cursor-screen-offset-added") << QVector<QRect>{fullHd, QRect(1920, 0, 1280, 984)}
                                                << QPoint(2500, 500) << QRect() << QRect(1960, 92, 1200, 800);
    QTest::newRow("cursor-on-task-bar-takes-nearest-screen")
        << QVector<QRect>{fullHd, laptop} << QPoint(2000, 750) << QRect() << QRect(2003, 0, 1200, 728);
    QTest::newRow("remembered-kept") << QVector<QRect>{fullHd} << QPoint(5, 5) << QRect(100, 50, 1000, 700)
                                     << QRect(100, 50, 1000, 700);
    QTest::newRow("remembered-on-left-screen-kept")
        << QVector<QRect>{fullHd, QRect(-1280, 0, 1280, 1024)} << QPoint(5, 5) << QRect(-1200, 100, 1000, 700)
        << QRect(-1200, 100, 1000, 700);
    QTest::newRow("remembered-on-missing-screen-centred-at-its-size")
        << QVector<QRect>{fullHd} << QPoint(5, 5) << QRect(2500, 100, 1000, 700) << QRect(460, 170, 1000, 700);
    QTest::newRow("remembered-too-large-shrunk-and-moved-in")
        << QVector<QRect>{laptop} << QPoint(2000, 5) << QRect(2120, 100, 1200, 800) << QRect(2086, 0, 1200, 728);
}

void WindowPlacementTest::initialGeometry()
{
    QFETCH(QVector<QRect>, screens);
    QFETCH(QPoint, cursor);
    QFETCH(QRect, remembered);
    QFETCH(QRect, expected);
    QCOMPARE(initialWindowGeometry(screens, cursor, remembered), expected);
}

void WindowPlacementTest::edgeResize_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("middle-is-no-edge") << QPoint(500, 350) << QPoint(50, 50) << QRect(0, 0, 1000, 700);
    QTest::newRow("left-edge") << QPoint(2, 350) << QPoint(-30, 10) << QRect(-30, 0, 1030, 700);
    QTest::newRow("bottom-right-corner") << QPoint(998, 698) << QPoint(40, 30) << QRect(0, 0, 1040, 730);
    QTest::newRow("top-left-outside-frame") << QPoint(-5, -5) << QPoint(10, 10) << QRect(10, 10, 990, 690);
    QTest::newRow("minimum-holds-right") << QPoint(998, 350) << QPoint(-500, 0) << QRect(0, 0, 800, 700);
    QTest::newRow("minimum-holds-top") << QPoint(500, 1) << QPoint(0, 300) << QRect(0, 100, 1000, 600);
    // The work area reaches from (-100, -50) to (1099, 749).
    QTest::newRow("right-stops-at-work-area") << QPoint(998, 350) << QPoint(300, 0) << QRect(0, 0, 1100, 700);
    QTest::newRow("bottom-stops-at-work-area") << QPoint(500, 698) << QPoint(0, 200) << QRect(0, 0, 1000, 750);
    QTest::newRow("top-left-stops-at-work-area") << QPoint(1, 1) << QPoint(-300, -300) << QRect(-100, -50, 1100, 750);
}

void WindowPlacementTest::edgeResize()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    const QRect frame(0, 0, 1000, 700);
    QCOMPARE(
        resizedGeometry(frame, resizeEdgesAt(frame, press, 6), delta, QSize(800, 600), QRect(-100, -50, 1200, 800)),
        expected);
}

QTEST_GUILESS_MAIN(WindowPlacementTest)
#include "tst_windowplacement.moc"
