#include "widgets/mybutton.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(Qt::MouseButton)

class TestMyButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pressRunsActionWithAnyButton_data();
    void pressRunsActionWithAnyButton();
    void shapeComesFromPicture_data();
    void shapeComesFromPicture();
    void hoverPictureFallsBack_data();
    void hoverPictureFallsBack();
    void enterShowsHandAndTooltip();

private:
    QTemporaryDir pictures;
    QString circlePath;
    QString hoverPath;
    QString opaquePath;
};

// An opaque disc on a transparent square: the corners are outside the button.
static bool saveCircle(const QString& path, int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.drawEllipse(0, 0, side, side);
    painter.end();
    return image.save(path, "PNG");
}

void TestMyButton::initTestCase()
{
    QVERIFY(pictures.isValid());
    circlePath = pictures.filePath("circle.png");
    hoverPath = pictures.filePath("circle-hover.png");
    opaquePath = pictures.filePath("opaque.png");
    QVERIFY(saveCircle(circlePath, 32));
    QVERIFY(saveCircle(hoverPath, 32));
    QImage opaque(64, 48, QImage::Format_RGB32);
    opaque.fill(Qt::blue);
    QVERIFY(opaque.save(opaquePath, "PNG"));
}

void TestMyButton::pressRunsActionWithAnyButton_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left-button") << Qt::LeftButton;
    QTest::newRow("right-button") << Qt::RightButton;
    QTest::newRow("middle-button") << Qt::MiddleButton;
}

// The action runs on the press; releasing after dragging off the button neither repeats nor cancels it.
void TestMyButton::pressRunsActionWithAnyButton()
{
    QFETCH(Qt::MouseButton, button);
    MyButton widget("关闭", circlePath, hoverPath);
    QSignalSpy own(&widget, &MyButton::clicked);
    QSignalSpy inherited(&widget, static_cast<void (QAbstractButton::*)(bool)>(&QAbstractButton::clicked));
    QSignalSpy pressed(&widget, &QAbstractButton::pressed);

    QTest::mousePress(&widget, button, Qt::NoModifier, QPoint(16, 16));
    QCOMPARE(own.count(), 1);
    QTest::mouseRelease(&widget, button, Qt::NoModifier, QPoint(100, 100));
    QCOMPARE(own.count(), 1);
    QCOMPARE(inherited.count(), 0);
    QCOMPARE(pressed.count(), 0);
    QVERIFY(!widget.isDown());
}

void TestMyButton::shapeComesFromPicture_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("cornerIsButton");
    QTest::newRow("transparent-corners-cut-away") << QString("circle") << QSize(32, 32) << false;
    QTest::newRow("opaque-picture-whole-rectangle") << QString("opaque") << QSize(64, 48) << true;
    QTest::newRow("missing-picture-zero-size") << QString("missing") << QSize(0, 0) << false;
}

void TestMyButton::shapeComesFromPicture()
{
    QFETCH(QString, picture);
    QFETCH(QSize, size);
    QFETCH(bool, cornerIsButton);
    QWidget window;
    window.resize(200, 200);
    auto* widget = new MyButton("tip", pictures.filePath(picture + ".png"), QString(), &window);
    widget->move(10, 10);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(widget->size(), size);
    QCOMPARE(widget->minimumSize(), size);
    QCOMPARE(widget->maximumSize(), size);
    // childAt honours the mask as the mouse does: a press on a cut-away corner finds the window instead.
    QCOMPARE(window.childAt(QPoint(10, 10)) == widget, cornerIsButton);
    if (!size.isEmpty())
        QCOMPARE(window.childAt(QPoint(10, 10) + QPoint(size.width() / 2, size.height() / 2)), widget);
}

void TestMyButton::hoverPictureFallsBack_data()
{
    QTest::addColumn<bool>("withHover");
    QTest::newRow("hover-picture-given") << true;
    QTest::newRow("empty-hover-shows-normal-picture") << false;
}

void TestMyButton::hoverPictureFallsBack()
{
    QFETCH(bool, withHover);
    MyButton widget("tip", circlePath, withHover ? hoverPath : QString());
    const QString hover = withHover ? hoverPath : circlePath;
    QCOMPARE(widget.styleSheet(),
             "QPushButton{border-image:url(" + circlePath + ");}QPushButton:hover{border-image:url(" + hover + ");}");
}

void TestMyButton::enterShowsHandAndTooltip()
{
    MyButton widget("最小化", circlePath, hoverPath);
    QCOMPARE(widget.toolTip(), QString());
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&widget, &enter);
    QCOMPARE(widget.toolTip(), QString("最小化"));
    QCOMPARE(widget.cursor().shape(), Qt::PointingHandCursor);
    // Leaving keeps both: the tooltip only shows while hovering anyway.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
    QCOMPARE(widget.toolTip(), QString("最小化"));
    QCOMPARE(widget.cursor().shape(), Qt::PointingHandCursor);
}

QTEST_MAIN(TestMyButton)
#include "tst_mybutton.moc"
