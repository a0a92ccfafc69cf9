#include "app/mainwindow.h"

#include "app/backgroundwindow.h"
#include "app/changesetactions.h"
#include "app/editorresources.h"
#include "app/editorsettings.h"
#include "app/readablefont.h"
#include "app/windowframe.h"
#include "document/recovery.h"
#include "views/armytab.h"
#include "views/citytab.h"
#include "views/datacheckdialog.h"
#include "views/pendingchangesdialog.h"
#include "views/storylist.h"
#include "widgets/elidedlabel.h"
#include "widgets/imagebutton.h"
#include "widgets/prompts.h"
#include "widgets/sidemenu.h"
#include "widgets/tablefilter.h"

#include <QAction>
#include <QCloseEvent>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

MainWindow::MainWindow(GameDocument* document, QWidget* parent) : QWidget(parent), game(document)
{
    initEditorResources();
    // Every text of the window is laid out in the application's font: a broken one would make it too tall
    // for the screen.
    useReadableFont();
    setWindowFlag(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("兵种数据编辑器"));

    auto* background = new BackgroundWindow;
    background->setObjectName(QStringLiteral("mainUI"));
    windowLayout = new QGridLayout(background);
    // Tight above and below: on a laptop screen at 150 % every pixel of height goes to the tables.
    windowLayout->setContentsMargins(9, 4, 9, 4);
    windowLayout->setVerticalSpacing(2);
    auto* outerLayout = new QGridLayout(this);
    // The transparent margin around the frame, which a maximised window drops.
    outerLayout->setContentsMargins(8, 8, 8, 8);
    outerLayout->addWidget(background, 0, 0);

    // Before the tabs subscribe: the tab of an undone change shows before the tab selects its cell.
    connect(game, &GameDocument::fieldsChanged, this, &MainWindow::showChangedTab);
    connect(game, &GameDocument::journalChanged, this, &MainWindow::updatePendingWarning);
    // The next change ends the outcome of the last save.
    connect(game, &GameDocument::fieldsChanged, this, [this] {
        if (!saveOutcome.isEmpty() && statusBar->currentMessage() == saveOutcome)
            statusBar->clearMessage();
        saveOutcome.clear();
    });

    buildStatusBar();
    recovery =
        new RecoveryFile(game, QFileInfo(game->configPath()).absolutePath() + QStringLiteral("/recovery.json"), this);
    loadGame();
    buildInterface();

    // The layout file lies beside config.ini; the window opens where it was, or centred on the screen in use.
    editorSettings =
        std::make_unique<EditorSettings>(QFileInfo(game->configPath()).absolutePath() + QStringLiteral("/editor.ini"));
    editorSettings->restore(this);

    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &MainWindow::saveIfPending);
    // A cell editor or a search line takes these keys for its own text while it has the focus.
    QUndoStack* undoStack = game->undoStack();
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, undoStack, &QUndoStack::undo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL + Qt::Key_Y), QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z)})
        connect(new QShortcut(keys, this), &QShortcut::activated, undoStack, &QUndoStack::redo);
    TableFilter::installFindShortcut(this);
    // Ctrl+Tab and Ctrl+Shift+Tab go round the tabs from anywhere in the window, as in Windows' tabbed windows.
    // Shift turns Tab into Backtab, which the shortcuts match as Ctrl+Shift+Tab whatever the platform's own
    // binding says (on Linux "Ctrl+Shift+Backtab", which nothing matches). One match only: two would be
    // ambiguous, and neither would act.
    QList<QKeySequence> previousKeys = QKeySequence::keyBindings(QKeySequence::PreviousChild);
    if (!previousKeys.contains(QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Tab)))
        previousKeys.append(QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Tab));
    for (const int step : {1, -1}) {
        auto* action = new QAction(this);
        action->setShortcuts(step > 0 ? QKeySequence::keyBindings(QKeySequence::NextChild) : previousKeys);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, step] {
            if (tabWidget && tabWidget->isVisible())
                tabWidget->setCurrentIndex((tabWidget->currentIndex() + step + tabWidget->count()) %
                                           tabWidget->count());
        });
    }
}

MainWindow::~MainWindow()
{
    // A cell editor still open commits its text while the window is torn down; nothing may record it then.
    for (QTableWidget* table : findChildren<QTableWidget*>())
        table->disconnect();
}

void MainWindow::buildStatusBar()
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

void MainWindow::buildInterface()
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

    buildTitleBar();
    buildSideMenu();
    storyList = new StoryList;
    windowLayout->addWidget(storyList, 1, 1, 3, 1);
    connect(storyList, &StoryList::storyChosen, this, &MainWindow::selectStory);
    if (game->isOpen()) {
        storyList->fill(game->stories());
        buildTabArea();
    }
    // The first thing to do is choose a story, also with the keyboard.
    storyList->setFocus();
}

void MainWindow::buildTitleBar()
{
    auto* titleLayout = new QHBoxLayout;
    windowLayout->addLayout(titleLayout, 0, 3);

    auto* minimise = new ImageButton(tr("最小化"), QStringLiteral(":/res/min.png"), QString());
    auto* restore = new ImageButton(tr("还原"), QStringLiteral(":/res/nomal.png"), QString());
    auto* maximise = new ImageButton(tr("最大化"), QStringLiteral(":/res/max.png"), QString());
    auto* quit = new ImageButton(tr("退出"), QStringLiteral(":/res/quit.png"), QString());
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
    // Minimised, a maximised window stays maximised, and comes back so.
    connect(minimise, &ImageButton::clicked, this, &QWidget::showMinimized);
    connect(restore, &ImageButton::clicked, this, [this] { setWindowState(Qt::WindowNoState); });
    connect(maximise, &ImageButton::clicked, this, [this] { setWindowState(Qt::WindowMaximized); });
    // Closing goes through closeEvent, so quitting asks about unsaved changes like every other way out.
    connect(quit, &ImageButton::clicked, this, &QWidget::close);
}

void MainWindow::buildSideMenu()
{
    // Its buttons shrink together when the window is short.
    auto* menuGroup = new SideMenu;
    menuGroup->setObjectName(QStringLiteral("gpMenu"));
    menuGroup->setStyleSheet(QStringLiteral("#gpMenu{border:0px solid #000000;}"));
    windowLayout->addWidget(menuGroup, 2, 0);

    const auto addButton = [menuGroup](const char* name, const QString& tip, const QString& picture) {
        auto* button = new ImageButton(tip, QStringLiteral(":/res/%1.png").arg(picture),
                                       QStringLiteral(":/res/%1_hover.png").arg(picture));
        button->setObjectName(QLatin1String(name));
        menuGroup->addButton(button);
        return button;
    };
    connect(addButton("storyButton", tr("剧本选择"), QStringLiteral("setting")), &ImageButton::clicked, this,
            &MainWindow::toggleStoryList);
    connect(addButton("saveButton", tr("保存"), QStringLiteral("save")), &ImageButton::clicked, this,
            &MainWindow::saveIfPending);
    connect(addButton("directoryButton", tr("设置游戏目录"), QStringLiteral("search")), &ImageButton::clicked, this,
            &MainWindow::reloadGame);
    connect(addButton("changesButton", tr("查看修改"), QStringLiteral("changes")), &ImageButton::clicked, this, [this] {
        if (game->isOpen())
            showPendingChanges();
    });
    connect(addButton("layoutButton", tr("恢复默认布局"), QStringLiteral("layout")), &ImageButton::clicked, this,
            [this] {
                editorSettings->reset(this);
                showStatus(tr("已恢复默认布局"));
            });
    buildToolsMenu();
    ImageButton* tools = addButton("toolsButton", tr("工具"), QStringLiteral("tools"));
    connect(tools, &ImageButton::clicked, this, [this, tools] {
        if (game->isOpen())
            toolsMenu->popup(tools->mapToGlobal(QPoint(tools->width(), 0)));
    });
}

void MainWindow::buildToolsMenu()
{
    toolsMenu = new QMenu(this);
    toolsMenu->setObjectName(QStringLiteral("toolsMenu"));
    auto* changeSets = new ChangeSetActions(game, this);
    changeSets->addTo(toolsMenu);
    connect(changeSets, &ChangeSetActions::statusMessage, this, &MainWindow::showStatus);
    auto* dataCheck = toolsMenu->addAction(tr("数据检查"));
    dataCheck->setObjectName(QStringLiteral("dataCheckAction"));
    connect(dataCheck, &QAction::triggered, this, &MainWindow::showDataCheck);
    connect(changeSets, &ChangeSetActions::storyWanted, this, &MainWindow::selectStory);
    // What a crashed run left is offered once the window has its tables.
    QTimer::singleShot(0, changeSets, [this, changeSets] { changeSets->offerRecovery(recovery); });
}

void MainWindow::buildTabArea()
{
    tabWidget = new QTabWidget;
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    windowLayout->addWidget(tabWidget, 1, 2, 3, 2);
    armyTab = new ArmyTab(game);
    tabWidget->addTab(armyTab, QStringLiteral("兵种"));
    cityTab = new CityTab(game);
    tabWidget->addTab(cityTab, QStringLiteral("城市"));
    connect(armyTab, &ArmyTab::statusMessage, this, &MainWindow::showStatus);
    connect(cityTab, &CityTab::statusMessage, this, &MainWindow::showStatus);
    tabWidget->hide();
}

bool MainWindow::loadGame(bool pickAnother)
{
    QString gamePath = game->configuredGameDirectory();
    bool picked = false;
    while (pickAnother || !GameDocument::holdsGame(gamePath)) {
        // A folder the user picked that is not the game's: say which file it lacks before asking again.
        if (picked)
            Prompts::inform(this, tr("设置游戏目录"),
                            tr("所选目录不是游戏目录,缺少文件:\n%1")
                                .arg(QDir::toNativeSeparators(GameDocument::missingGameFile(gamePath))));
        gamePath = Prompts::pickDirectory(this, tr("设置游戏目录"), QStringLiteral("../"));
        if (gamePath.isEmpty())
            break;
        picked = true;
        pickAnother = false;
    }
    // Cancelled, a loaded game stays as it was.
    if (gamePath.isEmpty() && game->isOpen())
        return false;
    const bool remembered = gamePath.isEmpty() || !picked || game->rememberGameDirectory(gamePath);
    if (gamePath.isEmpty() || !game->open(gamePath)) {
        messageLabel->setText(tr("游戏目录设置不正确,或文件缺失!"));
        return false;
    }
    // Without it the next start asks again; say why, and which file.
    messageLabel->setText(remembered
                              ? QString()
                              : tr("无法记住游戏目录: 写入 %1 失败")
                                    .arg(QDir::toNativeSeparators(QFileInfo(game->configPath()).absoluteFilePath())));
    showStatus(tr("数据加载成功!"));
    return true;
}

void MainWindow::reloadGame()
{
    // Another directory for a loaded game: its unsaved changes are settled first.
    if (game->isOpen() && !confirmDiscardOrSave())
        return;
    const bool loaded = loadGame(game->isOpen());
    if (tabWidget && !game->isOpen())
        tabWidget->hide();
    if (!loaded)
        return;
    storyList->fill(game->stories());
    storyLabel->clear();
    if (!tabWidget) {
        buildTabArea();
        editorSettings->restoreNewTables(this);
    }
    // No story of the new game is open yet.
    tabWidget->hide();
    storyList->show();
    storyList->setFocus();
}

void MainWindow::selectStory(int number)
{
    const QStringList story = game->stories().value(number);
    if (story.size() < 2)
        return;
    // Whatever stops the switch, the list shows the story that stays open.
    const auto keepCurrent = [this] {
        storyList->highlightStory(game->currentStory());
    };
    if (!commitOpenEditor())
        return keepCurrent();
    // Statistics edits belong to the story they were made in: settle them before another is read.
    if (!game->journal().changedIds(RecordKind::ArmyType, 1, 6).isEmpty()) {
        switch (Prompts::askToSave(this)) {
        case Prompts::SaveAnswer::Save:
            if (!saveChanges())
                return keepCurrent();
            break;
        case Prompts::SaveAnswer::Discard:
            game->discardArmyStatistics();
            break;
        case Prompts::SaveAnswer::Cancel:
            return keepCurrent();
        }
    }

    switch (game->openStory(number)) {
    case GameDocument::StoryOpen::StageUnreadable:
        showStatus(tr("剧本数据读取失败!"));
        return keepCurrent();
    case GameDocument::StoryOpen::ArmyTypesUnreadable:
        showStatus(tr("兵种数据读取失败!"));
        return keepCurrent();
    case GameDocument::StoryOpen::Done:
        break;
    }
    keepCurrent();
    storyList->hide();
    tabWidget->show();
    // The keys go on to the statistics of the story.
    tabWidget->setCurrentWidget(armyTab);
    armyTab->focusTable();
    storyLabel->setText(QStringLiteral("剧本: 【%1】").arg(story.at(1)));
}

void MainWindow::toggleStoryList()
{
    if (!game->isOpen())
        return;
    const bool showList = !storyList->isVisible();
    storyList->setVisible(showList);
    tabWidget->setVisible(!showList);
}

void MainWindow::showChangedTab(const QVector<FieldValue>& values, ChangeOrigin origin)
{
    if (origin != ChangeOrigin::UndoRedo || values.isEmpty() || !tabWidget)
        return;
    if (storyList->isVisible()) {
        storyList->hide();
        tabWidget->show();
    }
    tabWidget->setCurrentWidget(values.first().ref.kind == RecordKind::City ? static_cast<QWidget*>(cityTab) : armyTab);
}

void MainWindow::showDataCheck()
{
    if (!game->isOpen())
        return;
    if (!dataCheckDialog)
        dataCheckDialog = new DataCheckDialog(game, this);
    else
        dataCheckDialog->recheck();
    dataCheckDialog->show();
    dataCheckDialog->raise();
    dataCheckDialog->activateWindow();
}

void MainWindow::showPendingChanges()
{
    if (!pendingDialog) {
        pendingDialog = new PendingChangesDialog(game, this);
        pendingDialog->setObjectName(QStringLiteral("pendingChangesDialog"));
    }
    pendingDialog->show();
    pendingDialog->raise();
    pendingDialog->activateWindow();
}

bool MainWindow::commitOpenEditor()
{
    return !armyTab || armyTab->commitOpenEditor();
}

void MainWindow::saveIfPending()
{
    // A value still in its cell editor is part of what the user asks to save.
    if (commitOpenEditor() && game->hasPendingChanges())
        saveChanges();
}

bool MainWindow::saveChanges()
{
    // Values changed on disk behind the editor's back are not overwritten unasked.
    game->followDisk();
    bool overwrite = false;
    if (const QVector<JournalEntry> conflicts = game->conflicts(); !conflicts.isEmpty()) {
        QStringList fields;
        for (const JournalEntry& entry : conflicts) {
            fields.append(QStringLiteral("%1 %2 %3: %4 → %5")
                              .arg(game->fileLabel(entry.ref), game->recordLabel(entry.ref),
                                   GameDocument::fieldLabel(entry.ref), entry.fileValue, entry.value));
        }
        switch (Prompts::askAboutConflicts(this, fields)) {
        case Prompts::ConflictAnswer::Overwrite:
            overwrite = true;
            break;
        case Prompts::ConflictAnswer::Keep:
            break;
        case Prompts::ConflictAnswer::Cancel:
            return false;
        }
    }
    const SaveReport report = game->save(overwrite);
    QStringList problems;
    for (const QString& file : report.failedFiles)
        problems.append(tr("保存失败: ") + file + tr("(%1)").arg(failureText(report.failureReasons.value(file))));
    for (const QString& records : report.unwrittenRecords)
        problems.append(tr("未写入的记录: ") + records);
    for (const QString& field : report.conflicts)
        problems.append(tr("磁盘上已改变，未覆盖: ") + field);
    if (!problems.isEmpty())
        messageLabel->setText(problems.join(QStringLiteral("  ")));

    // A failure replaces whatever the status bar said before, so an earlier success does not linger.
    statusBar->clearMessage();
    QString status = report.complete ? tr("保存成功!") : QString();
    if (!report.backupFolder.isEmpty())
        status += (status.isEmpty() ? QString() : QStringLiteral("  ")) + tr("已备份原文件至: ") + report.backupFolder;
    // The outcome stays until the user does something else.
    if (!status.isEmpty()) {
        statusBar->showMessage(status);
        saveOutcome = status;
    }
    return report.complete;
}

bool MainWindow::confirmDiscardOrSave()
{
    if (!commitOpenEditor())
        return false;
    if (!game->hasPendingChanges())
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

void MainWindow::updatePendingWarning()
{
    messageLabel->setText(game->hasPendingChanges() ? QStringLiteral("您有新的数据需要保存!") : QString());
}

QString MainWindow::failureText(WriteFailure failure)
{
    switch (failure) {
    case WriteFailure::Missing:
        return tr("文件不存在");
    case WriteFailure::Unreadable:
        return tr("文件无法读取,可能正被其他程序使用");
    case WriteFailure::ReadOnly:
        return tr("文件是只读的,请在文件属性中取消“只读”后再保存");
    case WriteFailure::AccessDenied:
        return tr("没有写入该文件夹的权限,请以管理员身份运行,或把游戏装到其他文件夹");
    case WriteFailure::InUse:
        return tr("文件正被其他程序使用,请关闭游戏或其他打开它的程序后再保存");
    case WriteFailure::DiskFull:
        return tr("磁盘空间不足");
    case WriteFailure::NoBackup:
        return tr("无法备份原文件,因此没有改动它");
    case WriteFailure::None:
    case WriteFailure::Other:
        break;
    }
    return tr("无法写入");
}

void MainWindow::showStatus(const QString& text)
{
    statusBar->showMessage(text, 2000);
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging = true;
    lastDragPos = event->globalPos();
    dragOffset = lastDragPos - pos();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
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

void MainWindow::mouseReleaseEvent(QMouseEvent*)
{
    dragging = false;
}

void MainWindow::showEvent(QShowEvent* event)
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

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (confirmDiscardOrSave()) {
        // Saved or given up: nothing is left to recover.
        recovery->discard();
        editorSettings->save(this);
        event->accept();
    } else {
        event->ignore();
    }
}
