#include "widgets/prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace Prompts {

namespace {
DirectoryPicker directoryPicker;
SaveQuestion saveQuestion;
ConflictQuestion conflictQuestion;
FilePicker csvExportPicker;
FilePicker csvImportPicker;
FilePicker textSavePicker;
DialogRunner dialogRunner;
std::function<QString(QWidget*, const QString&, bool)> changeSetPicker;
Notice notice;

QString askForCsvFile(QWidget* parent, const QString& startPath, bool forExport)
{
    QFileDialog dialog(parent, forExport ? QObject::tr("导出为CSV") : QObject::tr("从CSV导入"), startPath);
    dialog.setAcceptMode(forExport ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forExport ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters({forExport ? QObject::tr("CSV文件 (*.csv)") : QObject::tr("表格文件 (*.csv *.tsv *.txt)"),
                           QObject::tr("所有文件 (*)")});
    if (forExport)
        dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
} // namespace

QString pickDirectory(QWidget* parent, const QString& caption, const QString& startDir)
{
    if (directoryPicker)
        return directoryPicker(parent, caption, startDir);
    return QFileDialog::getExistingDirectory(parent, caption, startDir, QFileDialog::ShowDirsOnly);
}

SaveAnswer askToSave(QWidget* parent)
{
    if (saveQuestion)
        return saveQuestion(parent);
    QMessageBox box(QMessageBox::Question, QObject::tr("保存"), QObject::tr("您有未保存的修改,是否保存?"),
                    QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QObject::tr("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QObject::tr("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QObject::tr("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

ConflictAnswer askAboutConflicts(QWidget* parent, const QStringList& fields)
{
    if (conflictQuestion)
        return conflictQuestion(parent, fields);
    QMessageBox box(QMessageBox::Warning, QObject::tr("保存"),
                    QObject::tr("这些修改过的值在编辑器之外也被修改了，是否用编辑器中的值覆盖?"), QMessageBox::NoButton,
                    parent);
    box.setDetailedText(fields.join(QLatin1Char('\n')));
    QPushButton* overwrite = box.addButton(QObject::tr("覆盖"), QMessageBox::DestructiveRole);
    QPushButton* keep = box.addButton(QObject::tr("保留磁盘上的值"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QObject::tr("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite)
        return ConflictAnswer::Overwrite;
    if (box.clickedButton() == keep)
        return ConflictAnswer::Keep;
    return ConflictAnswer::Cancel;
}

void inform(QWidget* parent, const QString& title, const QString& text)
{
    if (notice)
        notice(parent, title, text);
    else
        QMessageBox::warning(parent, title, text);
}

QString pickCsvToExport(QWidget* parent, const QString& startPath)
{
    return csvExportPicker ? csvExportPicker(parent, startPath) : askForCsvFile(parent, startPath, true);
}

QString pickCsvToImport(QWidget* parent, const QString& startPath)
{
    return csvImportPicker ? csvImportPicker(parent, startPath) : askForCsvFile(parent, startPath, false);
}

QString pickTextToSave(QWidget* parent, const QString& startPath)
{
    if (textSavePicker)
        return textSavePicker(parent, startPath);
    QFileDialog dialog(parent, QObject::tr("另存为"), startPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QObject::tr("文本文件 (*.txt)"), QObject::tr("所有文件 (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString pickChangeSetFile(QWidget* parent, const QString& startPath, bool forSaving)
{
    if (changeSetPicker)
        return changeSetPicker(parent, startPath, forSaving);
    QFileDialog dialog(parent, forSaving ? QObject::tr("导出修改") : QObject::tr("应用修改"), startPath);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters({QObject::tr("修改集 (*.json)"), QObject::tr("所有文件 (*)")});
    if (forSaving)
        dialog.setDefaultSuffix(QStringLiteral("json"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool runDialog(QDialog& dialog)
{
    return dialogRunner ? dialogRunner(dialog) : dialog.exec() == QDialog::Accepted;
}

void setDirectoryPicker(DirectoryPicker picker)
{
    directoryPicker = std::move(picker);
}

void setSaveQuestion(SaveQuestion question)
{
    saveQuestion = std::move(question);
}

void setConflictQuestion(ConflictQuestion question)
{
    conflictQuestion = std::move(question);
}

void setCsvExportPicker(FilePicker picker)
{
    csvExportPicker = std::move(picker);
}

void setCsvImportPicker(FilePicker picker)
{
    csvImportPicker = std::move(picker);
}

void setTextSavePicker(FilePicker picker)
{
    textSavePicker = std::move(picker);
}

void setDialogRunner(DialogRunner runner)
{
    dialogRunner = std::move(runner);
}

void setChangeSetPicker(std::function<QString(QWidget*, const QString&, bool)> picker)
{
    changeSetPicker = std::move(picker);
}

void setNotice(Notice replacement)
{
    notice = std::move(replacement);
}

} // namespace Prompts
