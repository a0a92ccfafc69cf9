#pragma once

#include "document/gamefilewriter.h"
#include "gamedata/backups.h"
#include "gamedata/changeset.h"
#include "gamedata/editjournal.h"
#include "gamedata/gameconfig.h"
#include "gamedata/gametables.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class DiskWatch;
class QUndoStack;

// Where a change of field values comes from, which tells the views how to follow it.
enum class ChangeOrigin
{
    Typed,   // the user typed or moved it in a view, which shows the new values already: only marks change
    Applied, // a command, a rule or an import: the views show the values where they are on screen
    UndoRedo // as Applied, and the views bring the changed place into view and select it
};

// The game as the editor holds it: the game directory and its files' paths, the tables read from them, the
// story whose statistics are shown, what the user changed (the edit journal and the undo steps), and the
// backups of this run. It reads and writes the files, never prompts and never touches a widget; the views
// follow it through its signals.
class GameDocument : public QObject
{
    Q_OBJECT

public:
    // The game directory is remembered in the configuration file; backups go into a folder beside it.
    explicit GameDocument(const QString& configPath = QStringLiteral("./config.ini"), QObject* parent = nullptr);
    ~GameDocument() override;

    // The game directory and config.ini.
    QString configPath() const { return configFile; }
    // The game directory config.ini names; empty without config.ini or without a "=" in it.
    QString configuredGameDirectory() const;
    // The first file a game directory must hold that it lacks; empty when the directory holds the game.
    static QString missingGameFile(const QString& gameDirectory);
    static bool holdsGame(const QString& gameDirectory) { return missingGameFile(gameDirectory).isEmpty(); }
    // Writes the directory into config.ini (its GamePath line; every other line kept); false when it could not.
    bool rememberGameDirectory(const QString& gameDirectory);
    // Reads every table of the game in the directory; false, and not open, when a file could not be read.
    // Pending changes, the undo steps and the open story are dropped: they belong to the game read before.
    bool open(const QString& gameDirectory);
    bool isOpen() const { return opened; }
    QString gameDirectory() const { return directory; }
    const GameFilePaths& paths() const { return filePaths; }

    // Stories. Opening one reads its stage file over the army types; on failure nothing changes, and the
    // result says which file could not be read.
    enum class StoryOpen
    {
        Done,
        StageUnreadable,
        ArmyTypesUnreadable
    };
    const StoryCatalogue& stories() const { return storyCatalogue; }
    StoryOpen openStory(int number);
    // The story whose statistics the army types hold: -1 before any was opened.
    int currentStory() const { return storyNumber; }
    // The story whose stage.xml is at this path in the game directory; -1 when none is.
    int storyOf(const QString& stageFile) const;
    QString stagePath() const { return stageFile; }

    // The tables.
    const TextTable& languageTexts() const { return texts; }
    const RecordTable& armyTypes() const { return armyTypeTable; }
    const RecordTable& skills() const { return skillTable; }
    const RecordTable& items() const { return itemTable; }
    const RecordTable& cities() const { return cityTable; }
    const RecordTable& citySpecialties() const { return specialtyTable; }
    const RecordTable& records(RecordKind kind) const;
    // The ids of the skills an army type has, found by its name (skillsForArmy). Remembered per name: looking
    // through every skill takes milliseconds in a large game, and no change reaches a name (field 0), so only
    // opening a game changes the answer.
    QStringList armySkills(const QString& armyId) const;
    // The recruitment needs of an army type as its file holds them: [MustCityDesc, NeedItemId].
    QStringList fileNeeds(const QString& id) const;

    // Changes. Every change goes through changeFields as one undoable step; values equal to what the fields
    // hold are left out, and nothing happens when none is left. `shownArmy` is the army type whose skills
    // were on screen, handed back with the change so that undoing it can show them again.
    void changeFields(const QVector<FieldValue>& values, const QString& description,
                      ChangeOrigin origin = ChangeOrigin::Applied, const QString& shownArmy = QString());
    // Sets the fields back to the values in their files, as one undoable step.
    void revertFields(const QVector<FieldRef>& refs, const QString& shownArmy = QString());
    // Drops every change of the army statistics, the values back as their file holds them; not undoable.
    void discardArmyStatistics();
    // Sets field values and records them in the journal, without an undo step: the undo steps' way in.
    void setFieldValues(const QVector<FieldValue>& values, ChangeOrigin origin, const QString& shownArmy);
    const EditJournal& journal() const { return edits; }
    // Changes in the journal, or of a change set waiting for their story.
    bool hasPendingChanges() const { return !edits.isEmpty() || !waiting.isEmpty(); }
    QUndoStack* undoStack() const { return undoHistory; }

    // Brings a record into view and selects it, as an undone change of it would be.
    void revealRecord(RecordKind kind, const QString& id);

    // Labels of a changed field, as shown to the user: the file a save writes it to, "id name" of its
    // record, and the field's name.
    QString fileLabel(const FieldRef& ref) const;
    QString recordLabel(const FieldRef& ref) const;
    static QString fieldLabel(const FieldRef& ref);

    // Change sets. The pending changes as a change set names them, the waiting ones included.
    QVector<RecordChange> pendingChangeSet() const;
    // Makes the changes in the journal as one undoable step (their "before" is not looked at: the caller chose
    // them). Statistics of a story that is not open wait, and are made when that story is opened.
    void applyChangeSet(const QVector<RecordChange>& changes, const QString& description);
    const QVector<RecordChange>& waitingChanges() const { return waiting; }
    // The file a save writes the field to, relative to the game directory with forward slashes.
    QString changeFile(const FieldRef& ref) const;

    // Backups. The folder that holds one folder per run.
    QString backupRoot() const;
    // Writes the files of a backup folder over the game's, the current ones copied into a folder of their own
    // first, then reads the game again with the story that was open; every pending change is dropped. Gives the
    // files that could not be restored, and the folder the current files went to.
    QStringList restoreBackup(const QString& folder, QString* currentFilesFolder);

    // Writes every changed field; a field stays pending until its write landed. Files changed on disk are
    // followed first; a changed field whose file value changed on disk too is written only when told to
    // overwrite, else it stays pending and the report names it.
    SaveReport save(bool overwriteConflicts = false);

    // Follows the files changed on disk since they were read or written: fields the user has not changed take
    // the values on disk; a changed field whose value on disk changed becomes a conflict. Runs by itself a
    // moment after a file changes, and before every save.
    void followDisk();
    // The changed fields whose value on disk changed after the user changed them.
    bool isConflict(const FieldRef& ref) const { return conflictFields.contains(ref) && edits.contains(ref); }
    QVector<JournalEntry> conflicts() const;

signals:
    // Field values changed: edited, undone, redone, reverted or discarded.
    void fieldsChanged(const QVector<FieldValue>& values, ChangeOrigin origin, const QString& shownArmy);
    // The journal changed: fields were edited, reverted, saved or discarded.
    void journalChanged();
    void storyOpened();
    // A game directory was read anew: no story is open and nothing is pending.
    void gameOpened();
    // A save ended; the journal holds what did not land.
    void saved(const SaveReport& report);
    // Files changed on disk behind the editor's back, and what of them was followed.
    void filesChangedOnDisk(const QStringList& paths);

private:
    RecordTable* recordsOf(RecordKind kind);
    bool readStoryCatalogue(const QString& path);
    bool readCitySpecialtyFile(const QString& path);

    QString configFile;
    QString directory;
    GameFilePaths filePaths;
    QString stageFile;
    // The army types the open story's stage file gives statistics; the others keep theirs in armytype.txt.
    QSet<QString> declaredArmyTypes;
    int storyNumber = -1;
    bool opened = false;
    // The copies of the files saved in this run, for the game directory of the last successful look-up.
    std::optional<BackupSession> backups;

    TextTable texts;
    StoryCatalogue storyCatalogue;
    RecordTable armyTypeTable;
    RecordTable skillTable;
    mutable QHash<QString, QStringList> skillsByArmyName;
    RecordTable itemTable;
    RecordTable cityTable;
    RecordTable specialtyTable;
    EditJournal edits;
    QUndoStack* undoHistory;
    DiskWatch* disk;
    QSet<FieldRef> conflictFields;
    QVector<RecordChange> waiting;
};
