#include "app/widget.h"

#include "app/editorresources.h"
#include "app/editorsettings.h"
#include "widgets/elidedlabel.h"
#include "widgets/tablefilter.h"

#include <QCloseEvent>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPalette>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableWidget>
#include <QUndoStack>

Widget::Widget(QWidget* backgroundWindow, QGridLayout* windowLayout, QWidget* parent) : QWidget(parent)
{
    initEditorResources();
    setWindowFlag(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("兵种数据编辑器"));

    auto* outerLayout = new QGridLayout;
    outerLayout->addWidget(backgroundWindow, 0, 0);
    setLayout(outerLayout);

    buildStatusBar(windowLayout);
    loadGameData();
    buildInterface(windowLayout);

    undoHistory = new QUndoStack(this);

    // The layout file lies beside config.ini; the window opens where it was, or centred on the screen in use.
    editorSettings =
        std::make_unique<EditorSettings>(QFileInfo(configPath).absolutePath() + QStringLiteral("/editor.ini"));
    editorSettings->restore(this);

    auto* saveShortcut = new QShortcut(QKeySequence::Save, this);
    connect(saveShortcut, &QShortcut::activated, this, &Widget::saveIfPending);
    // A cell editor or a search line takes these keys for its own text while it has the focus.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, undoHistory, &QUndoStack::undo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL + Qt::Key_Y), QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z)})
        connect(new QShortcut(keys, this), &QShortcut::activated, undoHistory, &QUndoStack::redo);
    TableFilter::installFindShortcut(this);
}

Widget::~Widget()
{
    // A cell editor still open commits its text while the window is torn down; nothing may record it then.
    for (QTableWidget* table : findChildren<QTableWidget*>())
        table->disconnect(this);
}

void Widget::buildStatusBar(QGridLayout* windowLayout)
{
    statusBar = new QStatusBar;
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    windowLayout->addWidget(statusBar, 6, 1, 1, 4);

    storyLabel = new QLabel;
    storyLabel->setObjectName(QStringLiteral("storyLabel"));
    statusBar->addPermanentWidget(storyLabel);

    // Elided to the room it has: a long list of failures must not widen the frameless window.
    messageLabel = new ElidedLabel;
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    messageLabel->setStyleSheet(QStringLiteral("color:#ff6600;"));
    statusBar->addWidget(messageLabel, 1);
}

void Widget::buildInterface(QGridLayout* windowLayout)
{
    QFile styleSheet(QStringLiteral(":/qss/psblack.css"));
    if (styleSheet.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = styleSheet.readAll();
        const QString text = QString::fromLatin1(bytes.constData(), qstrnlen(bytes.constData(), bytes.size()));
        setPalette(QPalette(QColor(text.mid(20, 7))));
        setStyleSheet(text);
    }

    windowLayout->setColumnStretch(0, 1);
    windowLayout->setColumnStretch(1, 0);
    windowLayout->setColumnStretch(2, 10);

    buildTitleBar(windowLayout);
    buildSideMenu(windowLayout);
    buildStoryList(windowLayout);
    if (gameDataLoaded)
        buildTabArea(windowLayout);
}

void Widget::showStatus(const QString& text)
{
    statusBar->showMessage(text, 2000);
}

void Widget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A message shown before the window first appeared does not hide the labels beneath it; show it again
    // now that they are visible, so the two do not overlap.
    const QString message = statusBar->currentMessage();
    if (!event->spontaneous() && !message.isEmpty()) {
        // The same text again would be ignored; clearing first makes the status bar hide the labels.
        statusBar->clearMessage();
        statusBar->showMessage(message, 2000);
    }
}

void Widget::closeEvent(QCloseEvent* event)
{
    if (confirmDiscardOrSave()) {
        editorSettings->save(this);
        event->accept();
    } else {
        event->ignore();
    }
}
