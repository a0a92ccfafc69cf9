#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

// The places where the editor waits for a person. Tests replace them with answers of their own.
namespace Prompts {

// Asks for a directory; gives the empty string when the user cancels.
using DirectoryPicker = std::function<QString(QWidget* parent, const QString& caption, const QString& startDir)>;

enum class SaveAnswer
{
    Save,
    Discard,
    Cancel
};
// Asks whether unsaved changes are to be saved first.
using SaveQuestion = std::function<SaveAnswer(QWidget* parent)>;

enum class ConflictAnswer
{
    Overwrite, // write the editor's values over the ones changed on disk
    Keep,      // save the rest; the conflicting changes stay pending
    Cancel
};
// Asks what a save does with changes whose values also changed on disk; `fields` names them.
using ConflictQuestion = std::function<ConflictAnswer(QWidget* parent, const QStringList& fields)>;

// Asks for a file; gives the empty string when the user cancels.
using FilePicker = std::function<QString(QWidget* parent, const QString& startPath)>;

// Tells the user something that needs no answer.
using Notice = std::function<void(QWidget* parent, const QString& title, const QString& text)>;

// Runs a modal dialog; true when the user accepted it. A replacement may set the dialog's controls and
// answer in the user's stead.
using DialogRunner = std::function<bool(QDialog& dialog)>;

QString pickDirectory(QWidget* parent, const QString& caption, const QString& startDir);
SaveAnswer askToSave(QWidget* parent);
ConflictAnswer askAboutConflicts(QWidget* parent, const QStringList& fields);
void inform(QWidget* parent, const QString& title, const QString& text);
// "导出为CSV…": the file to write, ".csv" added when the name has no suffix.
QString pickCsvToExport(QWidget* parent, const QString& startPath);
// "从CSV导入…": an existing file to read.
QString pickCsvToImport(QWidget* parent, const QString& startPath);
// "另存为…" of a text report: the file to write, ".txt" added when the name has no suffix.
QString pickTextToSave(QWidget* parent, const QString& startPath);
// "导出修改…" (`forSaving`, ".json" added when the name has no suffix) and "应用修改…": a change set file.
QString pickChangeSetFile(QWidget* parent, const QString& startPath, bool forSaving);
// The dialogs that ask what to change ("批量修改…", the import preview).
bool runDialog(QDialog& dialog);

// Replace the dialogs; an empty function restores the real one.
void setDirectoryPicker(DirectoryPicker picker);
void setSaveQuestion(SaveQuestion question);
void setConflictQuestion(ConflictQuestion question);
void setCsvExportPicker(FilePicker picker);
void setCsvImportPicker(FilePicker picker);
void setTextSavePicker(FilePicker picker);
void setDialogRunner(DialogRunner runner);
void setChangeSetPicker(std::function<QString(QWidget* parent, const QString& startPath, bool forSaving)> picker);
void setNotice(Notice notice);

} // namespace Prompts
