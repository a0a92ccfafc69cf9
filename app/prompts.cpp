#include "app/prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace Prompts {

namespace {
DirectoryPicker directoryPicker;
SaveQuestion saveQuestion;
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

void setDirectoryPicker(DirectoryPicker picker)
{
    directoryPicker = std::move(picker);
}

void setSaveQuestion(SaveQuestion question)
{
    saveQuestion = std::move(question);
}

} // namespace Prompts
