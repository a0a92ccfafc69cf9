#include "views/citytab.h"

#include "gamedata/idorder.h"
#include "gamedata/specialattributes.h"
#include "views/recordtableview.h"
#include "views/rowstable.h"
#include "views/sortingsuspended.h"
#include "widgets/appsearchline.h"
#include "widgets/sortableitem.h"
#include "widgets/tablefilter.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Writes the texts of one row from its first column on; the caller keeps sorting suspended so the
// cells all land in this row.
void writeRow(QTableWidget* table, int row, const QStringList& texts)
{
    for (int column = 0; column < texts.size() && column < table->columnCount(); ++column)
        table->setItem(row, column, new SortableItem(texts.at(column)));
}

QStringList rowTexts(const QTableWidget* table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* cell = table->item(row, column);
        texts.append(cell ? cell->text() : QString());
    }
    return texts;
}

// A few rows are enough to work with either list; the user divides the rest of the room between them. The
// held specialties' table first asks for room for the specialties most cities hold, which leaves the optional
// ones, the longer list, most of the room on a small screen; dragging the splitter gives it more.
const int kFewRows = 3;
const int kHeldRowsShown = 6;
const int kManyRows = 10;

void prepareSpecialtyTable(QTableWidget* table, const QString& name)
{
    table->setObjectName(name);
    RecordTableView::setupTable(table, 5, false,
                                {QStringLiteral("ID"), QStringLiteral("特性"), QStringLiteral("效果"),
                                 QStringLiteral("特产"), QStringLiteral("条件")});
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

} // namespace

CityTab::CityTab(GameDocument* document, QWidget* parent)
    : QWidget(parent), document(document), cityTable(new RowsTable(kManyRows, kFewRows)),
      citySpecialtyTable(new RowsTable(kHeldRowsShown, kFewRows)),
      optionalSpecialtyTable(new RowsTable(kManyRows, kFewRows)), citySpecialtyGroup(new QGroupBox(tr("城市特性"))),
      optionalSpecialtyGroup(new QGroupBox(tr("可选特性")))
{
    setObjectName(QStringLiteral("cityPage"));
    cityTable->setObjectName(QStringLiteral("cityTable"));
    citySpecialtyGroup->setObjectName(QStringLiteral("citySpecialtyGroup"));
    optionalSpecialtyGroup->setObjectName(QStringLiteral("optionalSpecialtyGroup"));

    // Searches the name, effect and product columns.
    auto* specialtySearch = new AppSearchLine(optionalSpecialtyTable, 1, 3);
    specialtySearch->setObjectName(QStringLiteral("specialtySearch"));

    auto* cityGroupLayout = new QGridLayout(citySpecialtyGroup);
    cityGroupLayout->addWidget(citySpecialtyTable);
    auto* optionalGroupLayout = new QGridLayout(optionalSpecialtyGroup);
    optionalGroupLayout->addWidget(optionalSpecialtyTable, 0, 0);

    RecordTableView::setupTable(cityTable, 2, false, {QStringLiteral("ID"), QStringLiteral("城市")});
    cityView = new RecordTableView(document, cityTable, RecordKind::City, 1);
    // The user divides the height between the two lists; the held list starts at its preferred height and the
    // optional list takes the rest.
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setObjectName(QStringLiteral("citySplitter"));
    splitter->addWidget(citySpecialtyGroup);
    splitter->addWidget(optionalSpecialtyGroup);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(1, 1);
    // Narrow margins leave the tables their rows in a short window.
    for (QGridLayout* layout : {cityGroupLayout, optionalGroupLayout})
        layout->setContentsMargins(4, 4, 4, 4);
    auto* pageLayout = new QGridLayout(this);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    // The search lines of both columns share the top row, which leaves the lists the height below it.
    QVBoxLayout* cityColumn = cityView->withSearchLine(120);
    QLayoutItem* citySearch = cityColumn->takeAt(0);
    pageLayout->addWidget(citySearch->widget(), 0, 0, Qt::AlignRight);
    delete citySearch;
    pageLayout->addWidget(specialtySearch, 0, 1, Qt::AlignRight);
    pageLayout->addLayout(cityColumn, 1, 0);
    pageLayout->addWidget(splitter, 1, 1);
    pageLayout->setColumnStretch(0, 1);
    pageLayout->setColumnStretch(1, 9);

    prepareSpecialtyTable(citySpecialtyTable, QStringLiteral("citySpecialtyTable"));
    prepareSpecialtyTable(optionalSpecialtyTable, QStringLiteral("optionalSpecialtyTable"));
    cityTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    cityTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    cityTable->setFixedWidth(120);
    cityTable->setEditTriggers(QAbstractItemView::NoEditTriggers);

    citySpecialtyGroup->setCheckable(true);
    optionalSpecialtyGroup->setCheckable(true);
    specialtySearch->setStyleSheet(QStringLiteral("border-radius:15px;"));
    specialtySearch->setFixedSize(300, 30);

    connect(citySpecialtyGroup, &QGroupBox::clicked, citySpecialtyTable, &QWidget::setVisible);
    connect(optionalSpecialtyGroup, &QGroupBox::clicked, optionalSpecialtyTable, &QWidget::setVisible);
    // The specialty panels follow the current city, however it became current (a click, the keys, a filter,
    // an undo), and go empty when no city is current or a filter hides it.
    connect(cityTable, &QTableWidget::currentCellChanged, this, &CityTab::followCurrentRow);
    connect(cityTable->findChild<TableFilter*>(), &TableFilter::refiltered, this, &CityTab::followCurrentRow);
    connect(citySpecialtyTable, &QWidget::customContextMenuRequested, this, &CityTab::removeCitySpecialty);
    connect(optionalSpecialtyTable, &QWidget::customContextMenuRequested, this, &CityTab::addCitySpecialty);
    connect(cityView, &RecordTableView::statusMessage, this, &CityTab::statusMessage);
    connect(document, &GameDocument::fieldsChanged, this, &CityTab::followChange);
    connect(document, &GameDocument::saved, cityView, &RecordTableView::remark);
    connect(document, &GameDocument::gameOpened, this, [this] {
        {
            const QSignalBlocker blocker(cityTable);
            cityTable->setRowCount(0);
        }
        showCity(QString());
        if (isVisible())
            fillCityList();
    });
}

void CityTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The list is filled the first time the page shows, however it was reached; an empty game leaves it
    // empty, and the next showing tries again.
    if (cityTable->rowCount() == 0)
        fillCityList();
}

void CityTab::fillCityList()
{
    const RecordTable& cities = document->cities();
    const SortingSuspended suspended(cityTable);
    const QSignalBlocker blocker(cityTable);
    cityTable->setRowCount(cities.size());
    int row = 0;
    for (const QString& id : sortedByNumber(cities.keys())) {
        cityTable->setRowHeight(row, 24);
        writeRow(cityTable, row, {id, cities.value(id).value(0)});
        if (document->hasPendingChanges()) {
            cityView->markCell(cityTable->item(row, 0), {RecordKind::City, id, 1});
            cityView->markCell(cityTable->item(row, 1), {RecordKind::City, id, 1});
        }
        ++row;
    }
}

void CityTab::followCurrentRow()
{
    const int row = cityTable->currentRow();
    const QTableWidgetItem* idCell = row >= 0 && !cityTable->isRowHidden(row) ? cityTable->item(row, 0) : nullptr;
    showCity(idCell ? idCell->text() : QString());
}

void CityTab::showCity(const QString& id)
{
    currentCityId = id;
    citySpecialtyTable->setRowCount(0);
    optionalSpecialtyTable->setRowCount(0);
    if (id.isEmpty())
        return;
    const QString attributes = document->cities().value(id).value(1);
    const QStringList held = heldSpecialties(attributes);
    // "0," holds no specialty; its 0 still keeps a specialty with the id 0 out of the optional ones.
    if (attributes != QLatin1String("0,"))
        fillSpecialtyTable(citySpecialtyTable, held);
    fillSpecialtyTable(optionalSpecialtyTable, optionalSpecialties(held));
}

QStringList CityTab::optionalSpecialties(const QStringList& heldIds) const
{
    QStringList optional;
    for (const QString& id : sortedByNumber(document->citySpecialties().keys())) {
        if (!heldIds.contains(id))
            optional.append(id);
    }
    return optional;
}

void CityTab::fillSpecialtyTable(QTableWidget* table, const QStringList& ids)
{
    const SortingSuspended suspended(table);
    const QSignalBlocker blocker(table);
    table->setRowCount(ids.size());
    for (int row = 0; row < ids.size(); ++row)
        writeRow(
            table, row,
            specialtyRowTexts(ids.at(row), document->citySpecialties(), document->languageTexts(), document->items()));
}

void CityTab::removeCitySpecialty(const QPoint& pos)
{
    const QTableWidgetItem* clicked = citySpecialtyTable->itemAt(pos);
    if (!clicked || currentCityId.isEmpty())
        return;
    // The row is taken from the clicked cell, so the move is right however the user sorted the table.
    const int row = clicked->row();
    const QStringList texts = rowTexts(citySpecialtyTable, row);
    const QString id = texts.value(0);

    const QStringList record = document->cities().value(currentCityId);
    if (record.size() < 2)
        return;
    const QString attributes = withoutSpecialty(record.at(1), id);

    {
        const SortingSuspended suspendedOptional(optionalSpecialtyTable);
        optionalSpecialtyTable->insertRow(0);
        writeRow(optionalSpecialtyTable, 0, texts);
    }
    {
        // The text lost every entry of this id, so every row of it goes.
        const SortingSuspended suspendedHeld(citySpecialtyTable);
        for (int r = citySpecialtyTable->rowCount() - 1; r >= 0; --r) {
            const QTableWidgetItem* idCell = citySpecialtyTable->item(r, 0);
            if (r == row || (idCell && idCell->text() == id))
                citySpecialtyTable->removeRow(r);
        }
    }
    document->changeFields({{{RecordKind::City, currentCityId, 1}, attributes}}, tr("移除城市特性"),
                           ChangeOrigin::Typed);
}

void CityTab::addCitySpecialty(const QPoint& pos)
{
    const QTableWidgetItem* clicked = optionalSpecialtyTable->itemAt(pos);
    if (!clicked || currentCityId.isEmpty())
        return;
    const QStringList record = document->cities().value(currentCityId);
    if (record.size() < 2)
        return;
    if (!hasRoomForSpecialty(record.at(1))) {
        emit statusMessage(tr("城市特性不能超过10个!"));
        return;
    }
    const int row = clicked->row();
    const QStringList texts = rowTexts(optionalSpecialtyTable, row);
    const QString attributes = withSpecialty(record.at(1), texts.value(0));

    {
        // The new entry is the text's last, so its row goes behind the rows already shown.
        const SortingSuspended suspendedHeld(citySpecialtyTable);
        const int newRow = citySpecialtyTable->rowCount();
        citySpecialtyTable->insertRow(newRow);
        writeRow(citySpecialtyTable, newRow, texts);
        citySpecialtyTable->selectRow(newRow);
    }
    {
        const SortingSuspended suspendedOptional(optionalSpecialtyTable);
        optionalSpecialtyTable->removeRow(row);
    }
    document->changeFields({{{RecordKind::City, currentCityId, 1}, attributes}}, tr("添加城市特性"),
                           ChangeOrigin::Typed);
}

void CityTab::followChange(const QVector<FieldValue>& values, ChangeOrigin origin)
{
    cityView->refreshCells(values);
    // A move made by the user has already moved its row between the specialty tables.
    const bool currentChanged = std::any_of(values.begin(), values.end(), [this](const FieldValue& value) {
        return value.ref.kind == RecordKind::City && value.ref.id == currentCityId;
    });
    if (origin != ChangeOrigin::Typed && currentChanged)
        showCity(currentCityId);
    // Selecting the city makes it current, which shows its specialties.
    if (origin == ChangeOrigin::UndoRedo && !values.isEmpty() && values.first().ref.kind == RecordKind::City)
        cityView->selectCell(values.first().ref.id, 1);
}
