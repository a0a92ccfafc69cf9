#pragma once

#include "gamedata/backups.h"
#include "gamedata/editjournal.h"
#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"
#include "views/fieldeditcommand.h"

#include <QHash>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class ElidedLabel;
class PendingChangesDialog;
class EditorSettings;
class QCloseEvent;
class QUndoStack;
class QShowEvent;
class QGridLayout;
class QGroupBox;
class QLabel;
class QMouseEvent;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;
class QVBoxLayout;
struct TableShape;

// The editor: the frameless main window, every table read from the game, the edit journal and the views.
// Its operations are spread over app/ (window, start-up, loading), and views/ (tabs, journal, saving).
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
    // A writer returns false when its file could not be read or written; `landed` receives the ids whose
    // records now hold the values in memory.
    bool readStoryCatalogue(const QString& path);
    bool readLanguageFile(const QString& path);
    bool readItemFile(const QString& path);
    bool readArmyTypeFile(const QString& path);
    bool writeArmyTypeFile(const QString& path, const QStringList& ids, SaveReport* report = nullptr,
                           QStringList* landed = nullptr);
    // Writes only MustCityDesc and NeedItemId of the army types.
    bool writeArmyNeeds(const QString& path, const QStringList& ids, SaveReport* report = nullptr,
                        QStringList* landed = nullptr);
    bool readSkillFile(const QString& path);
    bool writeSkillFile(const QString& path, const QStringList& ids, SaveReport* report = nullptr,
                        QStringList* landed = nullptr);
    bool readStageFile(const QString& path);
    bool writeStageFile(const QString& path, const QStringList& ids, SaveReport* report = nullptr,
                        QStringList* landed = nullptr);
    bool readCityFile(const QString& path);
    bool readCitySpecialtyFile(const QString& path);
    bool writeCityFile(const QString& path, const QStringList& ids, SaveReport* report = nullptr,
                       QStringList* landed = nullptr);

    // Saving (views/widget_changes.cpp): writes every changed field; true when every one landed.
    bool saveChanges();
    bool hasPendingChanges() const { return !journal.isEmpty(); }

    // Changing fields (views/widget_journal.cpp). Every edit goes through changeFields as one undoable step;
    // values equal to what the fields hold are left out.
    void changeFields(const QVector<FieldValue>& values, const QString& description,
                      ApplyMode firstMode = ApplyMode::Refresh);
    const EditJournal& editJournal() const { return journal; }
    QUndoStack* undoStack() const { return undoHistory; }
    // The file a changed field is saved to, as shown to the user.
    QString fileLabel(const FieldRef& ref) const;
    // "id name" of a record, and the name of a field, as shown to the user.
    QString recordLabel(const FieldRef& ref) const;
    static QString fieldLabel(const FieldRef& ref);
    // Sets the fields back to the values in their files, as one undoable step.
    void revertFields(const QVector<FieldRef>& refs);
    // Commits a cell editor that is still open. False, with the refusal shown, when its text is refused.
    bool commitOpenEditor();

    // Editing many records at once (views/widget_bulkedit.cpp), in the table that shows records of the kind: the
    // army info table, the skill table or the city list. A change is one undoable step; none touches a file.
    // "批量修改…": a rule applied to the selected number cells in view (army statistics, skill ranges).
    void bulkEdit(RecordKind kind);
    // "导出为CSV…": the rows in view, as shown, into a CSV file the user picks.
    void exportTable(RecordKind kind);
    // "从CSV导入…": the changes a CSV file holds for the table's records, after a preview.
    void importTable(RecordKind kind);

    // Common set-up of every table of the editor (views/widget_armytab.cpp).
    static void setupTable(QTableWidget* table, int columnCount, bool mouseTracking, const QStringList& labels);

signals:
    // The journal changed: fields were edited, reverted, saved or discarded.
    void journalChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // Saves when anything is pending, a value still being typed included.
    void saveIfPending();
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
    // The needs of an army type as its file holds them: [MustCityDesc, NeedItemId].
    QStringList fileNeeds(const QString& id) const;

    // City tab (views/widget_citytab.cpp).
    void buildCityTab(QGridLayout* pageLayout);
    void fillCityList();
    void showCitySpecialties(int row, int column);
    QStringList optionalSpecialties(const QStringList& heldIds) const;
    void fillSpecialtyTable(QTableWidget* table, const QStringList& ids);
    void removeCitySpecialty(const QPoint& pos);
    void addCitySpecialty(const QPoint& pos);

    // Edit journal and undo (views/widget_journal.cpp).
    RecordTable* recordsOf(RecordKind kind);
    // `armyId` is the army type whose skill table showed the skills when they were changed.
    void applyFieldValues(const QVector<FieldValue>& values, ApplyMode mode, const QString& armyId);
    void refreshArmyInfo(const QVector<FieldValue>& values);
    void refreshSkills(const QVector<FieldValue>& values);
    // Shows the values of a table's changed fields, with their marks; fields past lastShown have no cell.
    void refreshCells(QTableWidget* table, RecordKind kind, int lastShown, const QVector<FieldValue>& values);
    void refreshCities(const QVector<FieldValue>& values, ApplyMode mode);
    void reveal(const FieldValue& value, const QString& armyId);
    void selectArmyRow(const QString& id, int column);
    void markCell(QTableWidgetItem* cell, const FieldRef& ref) const;
    // Draws the marks of every changed field on screen anew, after a save or a discard.
    void refreshMarks();
    void remarkTable(QTableWidget* table, RecordKind kind, int lastField);
    void updatePendingWarning();
    // Drops every change of the army statistics, the values back as their file holds them.
    void discardArmyStatistics();
    void showCellMenu(QTableWidget* table, RecordKind kind, const QPoint& pos);

    // Editing many records at once (views/widget_bulkedit.cpp).
    QTableWidget* tableOf(RecordKind kind) const;
    TableShape shapeOf(RecordKind kind) const;
    // Lets the table take a selection of many cells, for "批量修改…" and Ctrl+B.
    void allowManyCells(QTableWidget* table, RecordKind kind);
    // A filter over the table's ids and names: a layout with its search line, `lineWidth` wide, above the table.
    static QVBoxLayout* filteredTable(QTableWidget* table, int lineWidth);
    void showPendingChanges();

    // Shows a temporary status-bar message for two seconds.
    void showStatus(const QString& text);
    // Reads a file for patching, applies the patch, and writes it back when it changed.
    bool patchFile(const QString& path, const QStringList& ids, const std::function<PatchResult(const QString&)>& patch,
                   SaveReport* report, QStringList* landed, QStringList* notFound = nullptr);
    // Reads a story's stage file over the army types. Says which file could not be read.
    enum class StageRead
    {
        Done,
        StageUnreadable,
        ArmyTypesUnreadable
    };
    StageRead readStage(const QString& path);

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
    // What the user changed and not yet saved, and the steps to undo and redo.
    EditJournal journal;
    QUndoStack* undoHistory = nullptr;
    // The army type whose skills the skill table shows.
    QString skillArmyId;

    QTabWidget* tabWidget = nullptr;
    QTableWidget* armyInfoTable = nullptr;
    QTableWidget* armySkillTable = nullptr;
    QTableWidget* armyNeedsTable = nullptr;
    QGroupBox* armyNeedsGroup = nullptr;
    QGroupBox* menuGroup = nullptr;
    QTableWidget* storyList = nullptr;
    QStatusBar* statusBar = nullptr;
    QLabel* storyLabel = nullptr;
    ElidedLabel* messageLabel = nullptr;
    QString currentArmyId;
    QString currentCityId;
    QTableWidget* cityTable = nullptr;
    QTableWidget* citySpecialtyTable = nullptr;
    QTableWidget* optionalSpecialtyTable = nullptr;
    QGroupBox* citySpecialtyGroup = nullptr;
    QGroupBox* optionalSpecialtyGroup = nullptr;
    QWidget* cityPage = nullptr;
    PendingChangesDialog* pendingDialog = nullptr;
    bool gameDataLoaded = false;
    bool dragging = false;
    QPoint dragOffset;
    QPoint lastDragPos;
    // Window place and size, column widths and sorts kept in editor.ini (app/editorsettings.cpp).
    std::unique_ptr<EditorSettings> editorSettings;
};
