#include "app/changesetactions.h"

#include "document/backupbrowser.h"
#include "document/gamediff.h"
#include "document/gamedocument.h"
#include "document/recovery.h"
#include "gamedata/textfile.h"
#include "views/backupbrowserdialog.h"
#include "views/changesetpreviewdialog.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

ChangeSetActions::ChangeSetActions(GameDocument* document, QWidget* window)
    : QObject(window), game(document), window(window)
{}

void ChangeSetActions::addTo(QMenu* menu)
{
    const auto add = [this, menu](const QString& text, const char* name, void (ChangeSetActions::*run)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, run] {
            if (game->isOpen())
                (this->*run)();
        });
    };
    add(tr("导出修改…"), "exportChangesAction", &ChangeSetActions::exportChanges);
    add(tr("应用修改…"), "applyChangesAction", &ChangeSetActions::applyChanges);
    add(tr("比较目录…"), "compareDirectoriesAction", &ChangeSetActions::compareDirectories);
    add(tr("备份…"), "backupsAction", &ChangeSetActions::showBackups);
}

void ChangeSetActions::exportChanges()
{
    const QVector<RecordChange> changes = game->pendingChangeSet();
    if (changes.isEmpty()) {
        emit statusMessage(tr("没有未保存的修改可导出"));
        return;
    }
    saveChangeSet(changes, tr("导出修改"));
}

void ChangeSetActions::saveChangeSet(const QVector<RecordChange>& changes, const QString& title)
{
    const QString path = Prompts::pickChangeSetFile(window, QStringLiteral("changes.json"), true);
    if (path.isEmpty())
        return;
    if (!writeTextFile(path, writeChangeSet(changes, QStringLiteral(EDITOR_VERSION)), WriteMode::MayCreate))
        Prompts::inform(window, title, tr("无法写入文件:\n%1").arg(QDir::toNativeSeparators(path)));
    else
        emit statusMessage(tr("已导出%1项修改").arg(changes.size()));
}

void ChangeSetActions::applyChanges()
{
    const QString path = Prompts::pickChangeSetFile(window, QString(), false);
    if (path.isEmpty())
        return;
    QFile file(path);
    const ChangeSet set =
        file.open(QIODevice::ReadOnly) ? readChangeSet(file.readAll()) : ChangeSet{{}, {}, {}, tr("无法读取")};
    if (!set.error.isEmpty()) {
        Prompts::inform(window, tr("应用修改"), QDir::toNativeSeparators(path) + QStringLiteral(": ") + set.error);
        return;
    }
    previewAndApply(tr("应用修改"), set.changes);
}

bool ChangeSetActions::previewAndApply(const QString& title, const QVector<RecordChange>& changes,
                                       const QStringList& buttonTexts)
{
    const QVector<ChangeCheck> checks = checkChanges(game->gameDirectory(), changes);
    ChangeSetPreviewDialog preview(title, changes, checks, true, window);
    if (buttonTexts.size() == 2)
        preview.setButtonTexts(buttonTexts.at(0), buttonTexts.at(1));
    // Statistics of a story that is not open wait for it; the preview offers to open the first such story.
    int otherStory = -1;
    for (const RecordChange& change : changes) {
        const int story = game->storyOf(change.file);
        if (story >= 0 && story != game->currentStory()) {
            otherStory = story;
            preview.offerStory(game->stories().value(story).value(1));
            break;
        }
    }
    if (!Prompts::runDialog(preview))
        return false;
    QVector<RecordChange> chosen;
    for (int index : preview.chosen())
        chosen.append(changes.at(index));
    const int waitingBefore = game->waitingChanges().size();
    game->applyChangeSet(chosen, title);
    const int waiting = game->waitingChanges().size() - waitingBefore;
    QString status = tr("已应用%1项修改").arg(chosen.size() - waiting);
    if (waiting > 0)
        status += tr(",%1项剧本统计将在打开其剧本时应用").arg(waiting);
    emit statusMessage(status);
    if (preview.storyWanted())
        emit storyWanted(otherStory);
    return true;
}

void ChangeSetActions::offerRecovery(RecoveryFile* recovery)
{
    const std::optional<ChangeSet> set = RecoveryFile::read(recovery->path());
    if (!set || !game->isOpen())
        return;
    const bool sameGame = QDir(set->gameDirectory) == QDir(game->gameDirectory());
    if (!set->error.isEmpty() || !sameGame) {
        const QString aside = RecoveryFile::keepAside(recovery->path());
        Prompts::inform(window, tr("恢复"),
                        tr("上次未保存的修改%1,已保留在:\n%2")
                            .arg(sameGame ? tr("无法读取(%1)").arg(set->error) : tr("属于另一个游戏目录"),
                                 QDir::toNativeSeparators(aside.isEmpty() ? recovery->path() : aside)));
        return;
    }
    if (!previewAndApply(tr("恢复上次未保存的修改?"), set->changes, {tr("恢复"), tr("放弃")})) {
        recovery->discard();
        return;
    }
    // Statistics come back with their story opened.
    if (!game->waitingChanges().isEmpty())
        emit storyWanted(game->storyOf(game->waitingChanges().first().file));
}

void ChangeSetActions::compareDirectories()
{
    const QString base =
        Prompts::pickDirectory(window, tr("比较目录: 原目录(游戏或备份文件夹)"), QStringLiteral("../"));
    if (base.isEmpty())
        return;
    QString changed = Prompts::pickDirectory(window, tr("比较目录: 修改后的游戏目录"), game->gameDirectory());
    if (changed.isEmpty())
        return;
    if (!GameDocument::holdsGame(changed)) {
        Prompts::inform(window, tr("比较目录"),
                        tr("所选目录不是游戏目录,缺少文件:\n%1")
                            .arg(QDir::toNativeSeparators(GameDocument::missingGameFile(changed))));
        return;
    }
    const QVector<RecordChange> changes = diffGames(base, changed, changed);
    // The base may be a backup folder without the game's other files: its values are the changes' "before".
    QVector<ChangeCheck> checks;
    for (const RecordChange& change : changes)
        checks.append({ChangeStatus::Ready, change.before});
    ChangeSetPreviewDialog preview(tr("比较目录"), changes, checks, false, window);
    Prompts::runDialog(preview);
    if (changes.isEmpty())
        return;
    saveChangeSet(changes, tr("比较目录"));
}

void ChangeSetActions::showBackups()
{
    BackupBrowserDialog browser(listBackups(game->backupRoot()), window);
    if (!Prompts::runDialog(browser) || browser.selectedFolder().isEmpty())
        return;
    const QString folder = browser.selectedFolder();
    // The changes that turn the game now into the backup's files.
    const QVector<RecordChange> changes = diffGames(game->gameDirectory(), folder, game->gameDirectory());
    switch (browser.action()) {
    case BackupBrowserDialog::Action::Compare: {
        ChangeSetPreviewDialog preview(tr("与游戏比较"), changes, checkChanges(game->gameDirectory(), changes), false,
                                       window);
        Prompts::runDialog(preview);
        break;
    }
    case BackupBrowserDialog::Action::LoadAsChanges:
        previewAndApply(tr("载入备份为修改"), changes);
        break;
    case BackupBrowserDialog::Action::Restore: {
        // Restoring reads the game again: pending changes are saved or given up first.
        if (game->hasPendingChanges()) {
            switch (Prompts::askToSave(window)) {
            case Prompts::SaveAnswer::Save:
                if (!game->save().complete)
                    return;
                break;
            case Prompts::SaveAnswer::Discard:
                break;
            case Prompts::SaveAnswer::Cancel:
                return;
            }
        }
        QString currentFiles;
        const QStringList failed = game->restoreBackup(folder, &currentFiles);
        if (!failed.isEmpty())
            Prompts::inform(window, tr("恢复文件"), tr("无法恢复:\n%1").arg(failed.join(QLatin1Char('\n'))));
        emit statusMessage(tr("已恢复备份的文件,原文件已备份至: %1").arg(currentFiles));
        break;
    }
    case BackupBrowserDialog::Action::None:
        break;
    }
}
