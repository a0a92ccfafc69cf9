#include "views/datacheckdialog.h"

#include "document/gamedocument.h"
#include "document/gamehealth.h"
#include "gamedata/textfile.h"
#include "widgets/prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

DataCheckDialog::DataCheckDialog(GameDocument* document, QWidget* parent)
    : QDialog(parent, Qt::Tool), document(document), table(new QTableWidget), summary(new QLabel)
{
    setObjectName(QStringLiteral("dataCheckDialog"));
    setWindowTitle(tr("数据检查"));
    resize(860, 460);

    table->setObjectName(QStringLiteral("dataCheckTable"));
    table->setColumnCount(4);
    table->setHorizontalHeaderLabels({tr("文件"), tr("行"), tr("ID"), tr("说明")});
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    summary->setObjectName(QStringLiteral("dataCheckSummary"));

    auto* buttons = new QDialogButtonBox;
    const auto addButton = [buttons](const QString& text, const char* name) {
        QPushButton* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    connect(addButton(tr("重新检查"), "dataCheckRerunButton"), &QPushButton::clicked, this, &DataCheckDialog::recheck);
    connect(addButton(tr("复制"), "dataCheckCopyButton"), &QPushButton::clicked, this, &DataCheckDialog::copyReport);
    connect(addButton(tr("另存为…"), "dataCheckSaveButton"), &QPushButton::clicked, this, &DataCheckDialog::saveReport);
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("dataCheckCloseButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(table, &QTableWidget::cellActivated, this, [this](int row, int) { showRecord(row); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table);
    layout->addWidget(buttons);
    recheck();
}

void DataCheckDialog::recheck()
{
    // A large game takes a few seconds to read through.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<QVector<HealthFinding>> found = checkGameDirectory(document->gameDirectory());
    QApplication::restoreOverrideCursor();
    findings = found.value_or(QVector<HealthFinding>());
    table->setRowCount(0);
    table->setRowCount(findings.size());
    for (int row = 0; row < findings.size(); ++row) {
        const HealthFinding& finding = findings.at(row);
        const QStringList texts{QDir::toNativeSeparators(finding.file), QString::number(finding.line), finding.id,
                                finding.text};
        for (int column = 0; column < texts.size(); ++column) {
            auto* cell = new QTableWidgetItem(texts.at(column));
            if (column == 3)
                cell->setToolTip(finding.text);
            table->setItem(row, column, cell);
        }
    }
    if (!found)
        summary->setText(tr("无法读取游戏文件。"));
    else if (findings.isEmpty())
        summary->setText(tr("没有发现问题。"));
    else
        summary->setText(tr("发现 %1 处问题。双击一行可转到编辑器中的这条记录。").arg(findings.size()));
}

QString DataCheckDialog::reportText(bool selectedOnly) const
{
    QVector<int> rows;
    if (selectedOnly) {
        for (const QModelIndex& index : table->selectionModel()->selectedRows())
            rows.append(index.row());
        std::sort(rows.begin(), rows.end());
    }
    if (rows.isEmpty()) {
        for (int row = 0; row < findings.size(); ++row)
            rows.append(row);
    }
    QString text;
    for (int row : qAsConst(rows))
        text += findingLine(findings.at(row)) + QLatin1Char('\n');
    return text;
}

void DataCheckDialog::copyReport()
{
    QApplication::clipboard()->setText(reportText(true));
}

void DataCheckDialog::saveReport()
{
    const QString path = Prompts::pickTextToSave(this, QStringLiteral("数据检查.txt"));
    if (path.isEmpty())
        return;
    if (!writeTextFile(path, reportText(false), WriteMode::MayCreate))
        Prompts::inform(this, tr("数据检查"), tr("无法写入 %1").arg(QDir::toNativeSeparators(path)));
}

void DataCheckDialog::showRecord(int row)
{
    const HealthFinding& finding = findings.value(row);
    if (finding.record && document->records(*finding.record).contains(finding.id))
        document->revealRecord(*finding.record, finding.id);
}
