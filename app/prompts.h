#pragma once

#include <QString>

#include <functional>

class QWidget;

// The two places where the editor waits for a person. Tests replace them with answers of their own.
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

QString pickDirectory(QWidget* parent, const QString& caption, const QString& startDir);
SaveAnswer askToSave(QWidget* parent);

// Replace the dialogs; an empty function restores the real one.
void setDirectoryPicker(DirectoryPicker picker);
void setSaveQuestion(SaveQuestion question);

} // namespace Prompts
