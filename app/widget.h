#pragma once

#include "gamedata/backups.h"
#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"

#include <QHash>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class EditorSettings;
class QCloseEvent;
class QShowEvent;
class QGridLayout;
class QGroupBox;
class QLabel;
class QMouseEvent;
class QStatusBar;
class QTabWidget;
class QTableWidget;

// The editor: the frameless main window, every table read from the game, the change set and the views.
// Its operations are spread over app/ (window, start-up, loading), and views/ (tabs, change set, saving).
class Widget : public QWidget
{
    Q_OBJECT

public:
    Widget(QWidget* backgroundWindow, QGridLayout* windowLayout, QWidget* parent = nullptr);
    ~Widget() override;

    // Load sequence and game directory (app/widget_loading.cpp).
    bool readConfig(const QString& path);
    bool loadGameData();
    void reloadGameData(QGridLayout* windowLayout);

    // What a save could not do, for the status bar: files that could not be read or written, and per
    // file the ids that were left alone (no record found, or a record that must not be touched).
    struct SaveReport
    {
        QStringList failedFiles;
        QStringList unwrittenRecords; // "armytype.txt 12, 15"
    };

    // Readers and writers: each reads or writes its file and keeps its table (app/widget_gamefiles.cpp).
    // A writer returns false when its file could not be read or written.
    bool readStoryCatalogue(const QString& path);
    bool readLanguageFile(const QString& path);
    bool readItemFile(const QString& path);
    bool readArmyTypeFile(const QString& path);
    bool writeArmyTypeFile(const QString& path, const QStringList& ids, SaveReport* report = nullptr);
    // Writes only MustCityDesc and NeedItemId of the army types.
    bool writeArmyNeeds(const QString& path, const QStringList& ids, SaveReport* report = nullptr);
    bool readSkillFile(const QString& path);
    bool writeSkillFile(const QString& path, const QStringList& ids, SaveReport* report = nullptr);
    bool readStageFile(const QString& path);
    bool writeStageFile(const QString& path, const QStringList& ids, SaveReport* report = nullptr);
    bool readCityFile(const QString& path);
    bool readCitySpecialtyFile(const QString& path);
    bool writeCityFile(const QString& path, const QStringList& ids, SaveReport* report = nullptr);

    // Change set and saving (views/widget_changes.cpp). saveChanges returns true when every file was written.
    void recordChange(const QString& category, const QString& id, bool withdraw);
    bool saveChanges();
    bool hasPendingChanges() const { return !pendingChanges.isEmpty(); }

    // Common set-up of every table of the editor (views/widget_armytab.cpp).
    static void setupTable(QTableWidget* table, int columnCount, bool mouseTracking, const QStringList& labels);
    static void copyCellToRecord(QTableWidget* table, int row, int column, RecordTable* records);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void drawArmyInfo();
    void drawArmySkill(int row, int colum);
    void drawArmyNeeds(const QString& id);
    bool getGameFiles(QString& gamePath);

private:
    friend class WidgetTestAccess;

    // Construction and window chrome (app/widget.cpp, app/widget_chrome.cpp).
    void buildStatusBar(QGridLayout* windowLayout);
    void buildInterface(QGridLayout* windowLayout);
    void buildTitleBar(QGridLayout* windowLayout);
    void buildSideMenu(QGridLayout* windowLayout);
    // Asks about unsaved changes when there are any; true when the window may close.
    bool confirmDiscardOrSave();

    // Story list and tab area (app/widget_stories.cpp).
    void buildStoryList(QGridLayout* windowLayout);
    void buildTabArea(QGridLayout* windowLayout);
    void selectStory(int row, int column);
    void toggleStoryList();

    // Army tab (views/widget_armytab.cpp, widget_armyskill.cpp, widget_armyneeds.cpp).
    void buildArmyTab(QGridLayout* pageLayout);
    void rememberArmyRow(int row, int column);
    void storeArmyInfoEdit(int row, int column);
    void storeArmySkillEdit(int row, int column);
    void switchArmyNeeds(bool checked);

    // City tab (views/widget_citytab.cpp).
    void buildCityTab(QGridLayout* pageLayout);
    void onTabBarClicked(int index);
    void fillCityList();
    void showCitySpecialties(int row, int column);
    QStringList optionalSpecialties(const QStringList& heldIds) const;
    void fillSpecialtyTable(QTableWidget* table, const QStringList& ids);
    void removeCitySpecialty(const QPoint& pos);
    void addCitySpecialty(const QPoint& pos);

    // Shows a temporary status-bar message for two seconds.
    void showStatus(const QString& text);
    // Reads a file for patching, applies the patch, and writes it back when it changed.
    bool patchFile(const QString& path, const std::function<PatchResult(const QString&)>& patch, SaveReport* report,
                   QStringList* notFound = nullptr);

    QString configPath = QStringLiteral("./config.ini");
    QString languagePath;
    QString armyTypePath;
    QString skillPath;
    QString cityPath;
    QString citySpecialtyPath;
    QString itemsPath;
    QString storyConfigPath;
    QString stagePath;
    // The game directory of the last successful look-up, and the copies of the files saved in this run.
    QString gameDirectory;
    std::optional<BackupSession> backups;

    TextTable languageTexts;
    StoryCatalogue stories;
    RecordTable armyTypes;
    RecordTable skills;
    RecordTable items;
    RecordTable cities;
    RecordTable citySpecialties;
    // Category key ("armyNeeds", "armyInfo", "armySkill", "citySpc") -> ids changed, first-recorded order.
    QHash<QString, QStringList> pendingChanges;

    QTabWidget* tabWidget = nullptr;
    QTableWidget* armyInfoTable = nullptr;
    QTableWidget* armySkillTable = nullptr;
    QTableWidget* armyNeedsTable = nullptr;
    QGroupBox* armyNeedsGroup = nullptr;
    QGroupBox* menuGroup = nullptr;
    QTableWidget* storyList = nullptr;
    QStatusBar* statusBar = nullptr;
    QLabel* storyLabel = nullptr;
    QLabel* messageLabel = nullptr;
    QString currentArmyId;
    QString currentCityId;
    QTableWidget* cityTable = nullptr;
    QTableWidget* citySpecialtyTable = nullptr;
    QTableWidget* optionalSpecialtyTable = nullptr;
    QGroupBox* citySpecialtyGroup = nullptr;
    QGroupBox* optionalSpecialtyGroup = nullptr;
    bool gameDataLoaded = false;
    bool dragging = false;
    QPoint dragOffset;
    QPoint lastDragPos;
    // Window place and size, column widths and sorts kept in editor.ini (app/editorsettings.cpp).
    std::unique_ptr<EditorSettings> editorSettings;
};
