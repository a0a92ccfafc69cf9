#pragma once

#include "document/gamedocument.h"

#include <QPoint>
#include <QWidget>

#include <memory>

class ArmyTab;
class CityTab;
class DataCheckDialog;
class EditorSettings;
class ElidedLabel;
class PendingChangesDialog;
class QCloseEvent;
class QGridLayout;
class QLabel;
class QMenu;
class RecoveryFile;
class QMouseEvent;
class QShowEvent;
class QStatusBar;
class QTabWidget;
class StoryList;

// The editor's frameless main window: the background picture, title bar, side menu, status bar, the story
// list and the tabs. It opens the game directory, asking for it until one holds the game; asks before unsaved
// changes are lost; and turns what a save did into the status texts. The game's data is the document's.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(GameDocument* document, QWidget* parent = nullptr);
    ~MainWindow() override;

    GameDocument* document() const { return game; }
    // Saves every pending change and says how it went; true when every change landed.
    bool saveChanges();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildStatusBar();
    void buildInterface();
    void buildTitleBar();
    void buildSideMenu();
    // The side menu's "工具" menu: change sets and backups.
    void buildToolsMenu();
    void buildTabArea();
    // Opens the game directory config.ini names, or with `pickAnother` the one the user picks, asking until one
    // holds the game. False when none was opened; a loaded game stays open when the user cancels.
    bool loadGame(bool pickAnother = false);
    // "设置游戏目录": loads the game, or another one in place of the loaded game.
    void reloadGame();
    void selectStory(int number);
    void toggleStoryList();
    // Brings the tab of an undone or redone change into view.
    void showChangedTab(const QVector<FieldValue>& values, ChangeOrigin origin);
    void showPendingChanges();
    // "数据检查": checks the game's files and lists what the game's readers skip or misread.
    void showDataCheck();
    // Saves when anything is pending, a value still being typed included.
    void saveIfPending();
    // Commits a value still being typed. False, with the refusal said, when its text is refused.
    bool commitOpenEditor();
    // Asks about unsaved changes when there are any; true when the window may close.
    bool confirmDiscardOrSave();
    void updatePendingWarning();
    // Shows a temporary status-bar message for two seconds.
    void showStatus(const QString& text);
    // Why a file was not saved, in the player's words.
    static QString failureText(WriteFailure failure);

    GameDocument* game;
    QGridLayout* windowLayout = nullptr;
    QStatusBar* statusBar = nullptr;
    QLabel* storyLabel = nullptr;
    ElidedLabel* messageLabel = nullptr;
    StoryList* storyList = nullptr;
    QTabWidget* tabWidget = nullptr;
    ArmyTab* armyTab = nullptr;
    CityTab* cityTab = nullptr;
    PendingChangesDialog* pendingDialog = nullptr;
    DataCheckDialog* dataCheckDialog = nullptr;
    QMenu* toolsMenu = nullptr;
    // The pending changes kept beside editor.ini against a crash.
    RecoveryFile* recovery = nullptr;
    // The last save's outcome while the status bar still shows it.
    QString saveOutcome;
    bool dragging = false;
    QPoint dragOffset;
    QPoint lastDragPos;
    // Window place and size, column widths and sorts kept in editor.ini.
    std::unique_ptr<EditorSettings> editorSettings;
};
