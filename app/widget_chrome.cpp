// The window's own chrome: title buttons, side menu, dragging, and closing with unsaved changes.
// Resizing and the title area's double click are the WindowFrame's (app/windowframe.cpp).
#include "app/editorsettings.h"
#include "app/prompts.h"
#include "app/widget.h"
#include "app/windowframe.h"
#include "widgets/mybutton.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

void Widget::buildTitleBar(QGridLayout* windowLayout)
{
    auto* titleLayout = new QHBoxLayout;
    windowLayout->addLayout(titleLayout, 0, 3);

    auto* minimise = new MyButton(tr("最小化"), QStringLiteral(":/res/min.png"), QString());
    auto* restore = new MyButton(tr("还原"), QStringLiteral(":/res/nomal.png"), QString());
    auto* maximise = new MyButton(tr("最大化"), QStringLiteral(":/res/max.png"), QString());
    auto* quit = new MyButton(tr("退出"), QStringLiteral(":/res/quit.png"), QString());
    minimise->setObjectName(QStringLiteral("minimiseButton"));
    restore->setObjectName(QStringLiteral("restoreButton"));
    maximise->setObjectName(QStringLiteral("maximiseButton"));
    quit->setObjectName(QStringLiteral("quitButton"));

    titleLayout->addWidget(minimise);
    titleLayout->addWidget(restore);
    restore->hide();
    titleLayout->addWidget(maximise);
    titleLayout->addWidget(quit);

    // Each button sets exactly one state; the frame shows restore or maximise to match whatever state the
    // window ends up in, by these buttons, a double click on the title area or the window system.
    new WindowFrame(this, windowLayout->parentWidget(), titleLayout, restore, maximise);
    connect(minimise, &MyButton::clicked, this, [this] { setWindowState(Qt::WindowMinimized); });
    connect(restore, &MyButton::clicked, this, [this] { setWindowState(Qt::WindowNoState); });
    connect(maximise, &MyButton::clicked, this, [this] { setWindowState(Qt::WindowMaximized); });
    // Closing goes through closeEvent, so quitting asks about unsaved changes like every other way out.
    connect(quit, &MyButton::clicked, this, &QWidget::close);
}

void Widget::buildSideMenu(QGridLayout* windowLayout)
{
    menuGroup = new QGroupBox;
    menuGroup->setLayout(new QVBoxLayout);
    menuGroup->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    menuGroup->setObjectName(QStringLiteral("gpMenu"));
    menuGroup->setStyleSheet(QStringLiteral("#gpMenu{border:0px solid #000000;}"));
    windowLayout->addWidget(menuGroup, 2, 0);

    auto* storyButton =
        new MyButton(tr("剧本选择"), QStringLiteral(":/res/setting.png"), QStringLiteral(":/res/setting_hover.png"));
    auto* saveButton =
        new MyButton(tr("保存"), QStringLiteral(":/res/save.png"), QStringLiteral(":/res/save_hover.png"));
    auto* directoryButton =
        new MyButton(tr("设置游戏目录"), QStringLiteral(":/res/search.png"), QStringLiteral(":/res/search_hover.png"));
    auto* changesButton =
        new MyButton(tr("查看修改"), QStringLiteral(":/res/changes.png"), QStringLiteral(":/res/changes_hover.png"));
    auto* layoutButton =
        new MyButton(tr("恢复默认布局"), QStringLiteral(":/res/layout.png"), QStringLiteral(":/res/layout_hover.png"));
    storyButton->setObjectName(QStringLiteral("storyButton"));
    changesButton->setObjectName(QStringLiteral("changesButton"));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    directoryButton->setObjectName(QStringLiteral("directoryButton"));
    layoutButton->setObjectName(QStringLiteral("layoutButton"));
    menuGroup->layout()->addWidget(storyButton);
    menuGroup->layout()->addWidget(saveButton);
    menuGroup->layout()->addWidget(directoryButton);
    menuGroup->layout()->addWidget(changesButton);
    menuGroup->layout()->addWidget(layoutButton);

    connect(storyButton, &MyButton::clicked, this, &Widget::toggleStoryList);
    connect(saveButton, &MyButton::clicked, this, &Widget::saveIfPending);
    connect(directoryButton, &MyButton::clicked, this, [this, windowLayout] { reloadGameData(windowLayout); });
    connect(changesButton, &MyButton::clicked, this, [this] {
        if (gameDataLoaded)
            showPendingChanges();
    });
    connect(layoutButton, &MyButton::clicked, this, [this] { editorSettings->reset(this); });
}

void Widget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging = true;
    lastDragPos = event->globalPos();
    dragOffset = lastDragPos - pos();
}

void Widget::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging)
        return;
    const QPoint global = event->globalPos();
    // A jump of more than 100 pixels right or down between two moves is a glitch, not a drag.
    if (global.x() - lastDragPos.x() > 100 || global.y() - lastDragPos.y() > 100)
        return;
    const Qt::WindowStates state = windowState();
    move(global - dragOffset);
    setWindowState(state);
    lastDragPos = global;
}

void Widget::mouseReleaseEvent(QMouseEvent*)
{
    dragging = false;
}

void Widget::saveIfPending()
{
    // A value still in its cell editor is part of what the user asks to save.
    if (commitOpenEditor() && hasPendingChanges())
        saveChanges();
}

bool Widget::confirmDiscardOrSave()
{
    if (!commitOpenEditor())
        return false;
    if (!hasPendingChanges())
        return true;
    switch (Prompts::askToSave(this)) {
    case Prompts::SaveAnswer::Save:
        return saveChanges();
    case Prompts::SaveAnswer::Discard:
        return true;
    case Prompts::SaveAnswer::Cancel:
        break;
    }
    return false;
}
