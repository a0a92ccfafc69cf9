#include "views/importpreviewdialog.h"

#include "widgets/prompts.h"
#include "gamedata/csvreader.h"
#include "gamedata/csvwriter.h"
#include "views/changepreview.h"
#include "widgets/tableexport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

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

ImportPreviewDialog::ImportPreviewDialog(const ImportMatch& match, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("从CSV导入"));
    const int errors = int(std::count_if(match.problems.cbegin(), match.problems.cend(),
                                         [](const ImportProblem& problem) { return !problem.warning; }));
    QString text = match.changes.isEmpty() ? tr("没有可导入的修改") : tr("将修改%1个值").arg(match.changes.size());
    if (!match.problems.isEmpty())
        text += tr(";%1个错误,%2个警告(见下表)").arg(errors).arg(match.problems.size() - errors);
    auto* summary = new QLabel(text);
    summary->setObjectName(QStringLiteral("importSummary"));

    QTableWidget* changes = newChangeTable();
    changes->setObjectName(QStringLiteral("importChanges"));
    fillChangeTable(changes, match.changes);

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
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    apply->setEnabled(!match.changes.isEmpty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(changes, 3);
    layout->addWidget(problems, 1);
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
                                   QString* message)
{
    message->clear();
    const QString path = remembered(Prompts::pickCsvToImport(parent, csvFolder));
    if (path.isEmpty())
        return {};
    QString error;
    const QList<QStringList> rows = readCsvFile(path, &error);
    const ImportMatch match = error.isEmpty() ? matchImport(rows, shape, records) : ImportMatch{};
    if (!error.isEmpty() || !match.refusal.isEmpty()) {
        *message = QObject::tr("导入失败: ") + (error.isEmpty() ? match.refusal : error);
        return {};
    }
    ImportPreviewDialog dialog(match, parent);
    return Prompts::runDialog(dialog) ? match.changes : QList<CellChange>();
}
