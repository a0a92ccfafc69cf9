#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The largest value a number field of the game files holds (nine digits); the smallest is 0.
constexpr qint64 largestFieldValue = 999'999'999;

// A rule applied to many number cells at once.
enum class BulkOperation
{
    SetTo,       // the amount
    Add,         // the value plus the amount, which may be negative
    ScalePercent // the value times amount / 100: 110 is +10 %
};

struct BulkRule
{
    BulkOperation operation = BulkOperation::SetTo;
    qint64 amount = 0;
};

// The whole number a cell holds: an optional '-' and up to 18 ASCII digits; nothing for any other text.
std::optional<qint64> wholeNumber(const QString& text);

// The value the rule gives a cell holding `value`: rounded half up to a whole number and kept within 0 to
// largestFieldValue. Exact (integer arithmetic) within the ranges the dialog allows, cell values of 0 to
// largestFieldValue with amounts of at most nine digits and percentages up to 100,000, and beyond them up to
// values and added amounts of 10^12 and percentages of 10^6 in size; larger ones are first cut to those bounds,
// so the result is then only kept within 0 to largestFieldValue.
qint64 applyRule(const BulkRule& rule, qint64 value);

// One selected cell of a table.
struct BulkCell
{
    QString id;
    QString name;
    int column = -1;         // of the table
    QString label;           // the column's header
    QString current;         // the cell's text
    bool takesNumber = true; // false for read-only columns (ids, names, texts)
    bool skillRange = false; // an attack range: above 7 the game may crash
};

// A rule applied to cells: per cell the new text, the current text itself when the value stays, or a null
// string for a cell left out (its column takes no number, or its text is no whole number).
struct BulkOutcome
{
    QStringList values;
    int changed = 0;
    int leftOut = 0;
};

BulkOutcome applyRule(const BulkRule& rule, const QList<BulkCell>& cells);
