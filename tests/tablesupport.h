#pragma once
// Driving tables and group boxes the way a user does, and checking bytes, for the editor's GUI tests.

#include <QByteArray>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QTest>

namespace TestSupport {

// The bytes with the digits behind `key` (searched behind `recordStart`) replaced by `value`.
inline QByteArray withValue(QByteArray bytes, const QByteArray& recordStart, const QByteArray& key,
                            const QByteArray& value)
{
    const int record = bytes.indexOf(recordStart);
    const int at = bytes.indexOf(key, record) + key.size();
    int end = at;
    while (end < bytes.size() && bytes.at(end) >= '0' && bytes.at(end) <= '9')
        ++end;
    return bytes.replace(at, end - at, value);
}

inline int rowOfId(QTableWidget* table, const QString& id)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0) && table->item(row, 0)->text() == id)
            return row;
    }
    return -1;
}

inline QStringList rowTexts(QTableWidget* table, int row)
{
    QStringList texts;
    for (int col = 0; col < table->columnCount(); ++col)
        texts.append(table->item(row, col) ? table->item(row, col)->text() : QString());
    return texts;
}

inline QStringList columnTexts(QTableWidget* table, int col)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts.append(table->item(row, col) ? table->item(row, col)->text() : QString());
    return texts;
}

inline void clickCell(QTableWidget* table, int row, int col, bool doubleClick = false)
{
    QVERIFY2(table->item(row, col), qPrintable(QStringLiteral("no cell %1,%2").arg(row).arg(col)));
    const QPoint centre = table->visualItemRect(table->item(row, col)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    // A double click is a click followed by a second press that the system reports as a double click.
    if (doubleClick)
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

// Sorts by a column the way a user does: a click on its header (a second click turns the order round).
inline void clickHeader(QTableWidget* table, int col)
{
    QHeaderView* header = table->horizontalHeader();
    const QPoint centre(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

// Types into a cell through the table's own editor, as a user does.
inline void editCell(QTableWidget* table, int row, int col, const QString& text)
{
    table->setCurrentCell(row, col);
    table->editItem(table->item(row, col));
    QLineEdit* editor = nullptr;
    for (QLineEdit* open : table->viewport()->findChildren<QLineEdit*>()) {
        if (open->isVisible())
            editor = open;
    }
    QVERIFY(editor);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the text on the next turn of the event loop.
    QCoreApplication::processEvents();
}

// Clicks the check box in the group box's title.
inline void clickCheckBox(QGroupBox* box)
{
    QVERIFY(box->isCheckable());
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxCheckBox | QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.features |= QStyleOptionFrame::None;
    option.state |= box->isChecked() ? QStyle::State_On : QStyle::State_Off;
    const QRect indicator =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxCheckBox, box);
    QVERIFY(!indicator.isEmpty());
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

} // namespace TestSupport
