#include "gamedata/bulkrule.h"

#include <algorithm>

namespace {

// Beyond these the result is clamped anyway; within them every product fits in 64 bits.
constexpr qint64 valueBound = 1'000'000'000'000; // 10^12
constexpr qint64 percentBound = 1'000'000;       // 10^6 %
constexpr int mostDigits = 18;

// Division rounding towards minus infinity, for a positive divisor.
qint64 floorDivide(qint64 dividend, qint64 divisor)
{
    const qint64 quotient = dividend / divisor;
    return dividend % divisor < 0 ? quotient - 1 : quotient;
}

} // namespace

std::optional<qint64> wholeNumber(const QString& text)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const int digits = text.size() - (negative ? 1 : 0);
    if (digits < 1 || digits > mostDigits)
        return std::nullopt;
    qint64 value = 0;
    for (int i = text.size() - digits; i < text.size(); ++i) {
        const ushort digit = ushort(text.at(i).unicode() - '0');
        if (digit > 9)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

qint64 applyRule(const BulkRule& rule, qint64 value)
{
    value = std::clamp(value, -valueBound, valueBound);
    qint64 result = 0;
    switch (rule.operation) {
    case BulkOperation::SetTo:
        result = rule.amount;
        break;
    case BulkOperation::Add:
        result = value + std::clamp(rule.amount, -valueBound, valueBound);
        break;
    case BulkOperation::ScalePercent:
        // value * percent / 100 rounded half up is floor((2 * value * percent + 100) / 200).
        result = floorDivide(2 * value * std::clamp(rule.amount, -percentBound, percentBound) + 100, 200);
        break;
    }
    return std::clamp<qint64>(result, 0, largestFieldValue);
}

BulkOutcome applyRule(const BulkRule& rule, const QList<BulkCell>& cells)
{
    BulkOutcome outcome;
    outcome.values.reserve(cells.size());
    for (const BulkCell& cell : cells) {
        const std::optional<qint64> value = cell.takesNumber ? wholeNumber(cell.current) : std::nullopt;
        if (!value) {
            outcome.values.append(QString());
            ++outcome.leftOut;
            continue;
        }
        const qint64 result = applyRule(rule, *value);
        if (result == *value) {
            outcome.values.append(cell.current);
        } else {
            outcome.values.append(QString::number(result));
            ++outcome.changed;
        }
    }
    return outcome;
}
