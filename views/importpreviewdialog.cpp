#include "views/importpreviewdialog.h"

#include "gamedata/csvreader.h"
#include "gamedata/csvwriter.h"
#include "views/changepreview.h"
#include "widgets/prompts.h"
#include "widgets/tableexport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The folder of the last CSV file chosen, where the next file dialog starts.
QString csvFolder;

QString remembered(const QString& path)
{
    if (!path.isEmpty())
        csvFolder = QFileInfo(path).absolutePath();
    return path;
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(const ImportMatch& match, bool attackRanges, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("从CSV导入"));
    setObjectName(QStringLiteral("importPreviewDialog"));
    QString text = match.changes.isEmpty() ? tr("没有可导入的修改") : tr("将修改%1个值").arg(match.changes.size());
    const int unlisted = match.errors + match.warnings - match.problems.size();
    if (unlisted > 0) {
        text += tr(";%1个错误,%2个警告(下表列出前%3个,另有%4个未列出)")
                    .arg(match.errors)
                    .arg(match.warnings)
                    .arg(match.problems.size())
                    .arg(unlisted);
    } else if (!match.problems.isEmpty()) {
        text += tr(";%1个错误,%2个警告(见下表)").arg(match.errors).arg(match.warnings);
    }
    auto* summary = new QLabel(text);
    summary->setObjectName(QStringLiteral("importSummary"));

    QTableWidget* changes = newChangeTable();
    changes->setObjectName(QStringLiteral("importChanges"));
    fillChangeTable(changes, match.changes);
    // A range above the limit the game takes looks as it does in the bulk preview and the skill table.
    for (int row = 0; attackRanges && row < match.changes.size(); ++row) {
        if (isRiskyRange(match.changes.at(row).newValue))
            showValueLook(changes->item(row, 3), true);
    }

    auto* problems = new QTableWidget(match.problems.size(), 2);
    problems->setObjectName(QStringLiteral("importProblems"));
    problems->setHorizontalHeaderLabels({tr("行"), tr("问题")});
    problems->verticalHeader()->hide();
    problems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    problems->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    problems->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int row = 0; row < match.problems.size(); ++row) {
        const ImportProblem& problem = match.problems.at(row);
        problems->setItem(row, 0, new QTableWidgetItem(QString::number(problem.row)));
        problems->setItem(row, 1, new QTableWidgetItem((problem.warning ? tr("警告: ") : tr("错误: ")) + problem.text));
    }
    problems->setVisible(!match.problems.isEmpty());

    auto* buttons = new QDialogButtonBox;
    QPushButton* apply = buttons->addButton(tr("应用"), QDialogButtonBox::AcceptRole);
    apply->setObjectName(QStringLiteral("importApplyButton"));
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("importCancelButton"));
    apply->setEnabled(!match.changes.isEmpty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The user divides the height between the two lists; each keeps room for a few rows, and at first the space
    // goes where the rows are.
    auto* lists = new QSplitter(Qt::Vertical);
    lists->setObjectName(QStringLiteral("importLists"));
    lists->setChildrenCollapsible(false);
    for (QTableWidget* list : {changes, problems}) {
        list->setMinimumHeight(list->horizontalHeader()->sizeHint().height() +
                               3 * list->verticalHeader()->defaultSectionSize() + 2 * list->frameWidth());
        lists->addWidget(list);
    }
    const auto share = [](int rows) {
        return std::clamp(rows, 1, 12);
    };
    lists->setSizes({share(match.changes.size()) * 100, share(match.problems.size()) * 100});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(lists, 1);
    layout->addWidget(buttons);
    resize(640, 480);
}

QString exportTableToCsv(QWidget* parent, const QTableWidget* table, const QString& suggestedName)
{
    const QString start = csvFolder.isEmpty() ? suggestedName : QDir(csvFolder).filePath(suggestedName);
    const QString path = remembered(Prompts::pickCsvToExport(parent, start));
    if (path.isEmpty())
        return QString();
    const QList<QStringList> rows = shownRows(table);
    if (!writeCsvFile(path, rows))
        return QObject::tr("导出失败: ") + QDir::toNativeSeparators(path);
    return QObject::tr("已导出%1行: ").arg(rows.size() - 1) + QDir::toNativeSeparators(path);
}

QList<CellChange> importCsvChanges(QWidget* parent, const TableShape& shape, const QHash<QString, QStringList>& records,
                                   QString* message, bool attackRanges)
{
    message->clear();
    const QString path = remembered(Prompts::pickCsvToImport(parent, csvFolder));
    if (path.isEmpty())
        return {};
    QString error;
    const ImportMatch match = matchImportFile(path, shape, records, &error);
    if (!error.isEmpty() || !match.refusal.isEmpty()) {
        *message = QObject::tr("导入失败: ") + (error.isEmpty() ? match.refusal : error);
        return {};
    }
    ImportPreviewDialog dialog(match, attackRanges, parent);
    return Prompts::runDialog(dialog) ? match.changes : QList<CellChange>();
}
