#pragma once

#include "core/common/result.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace korvessa::money {

// Amounts are rounded from their decimal text, never from the binary double:
// "2.675" with "%.2f" is 2.68 (printf of the double 2.675 would give 2.67).
// Halves go away from zero.

// The number of decimals of a currency pattern "%.2f"; nullopt for anything
// else.
std::optional<int> patternDecimals(const QString& pattern);

// The decimal text a stored number stands for: at most 15 significant digits,
// so a double read back from the database gives the text that was written
// (2.675 → "2.675", not "2.67499999999999982").
QString decimalText(double value);
QString decimalText(const QVariant& value);

// A typed amount as a number: digits with an optional sign, point and
// thousands separators; nullopt when the text is not a number. Empty text
// is 0.
std::optional<QString> normalized(const QString& text);

// The same as a number, not rounded.
std::optional<double> number(const QString& text);

// `text` rounded to `decimals` places, halves away from zero, as text with
// exactly that many decimals ("-2.675", 2 → "-2.68"; "100.6", 0 → "101").
// nullopt when the text is not a number.
std::optional<QString> roundText(const QString& text, int decimals);

// The same with a currency pattern; the value as a number. A pattern that
// is not "%.nf" rounds to whole numbers.
std::optional<double> round(const QString& text, const QString& pattern);
double round(double value, const QString& pattern);
// Formatted for the screen and for comparisons: "1234.50" for "%.2f".
QString format(double value, const QString& pattern);

// amount × rate rounded to a whole number (halves away from zero), computed
// on the decimal texts: 101 × 30.5 = 3081. Refused ("資料錯誤") outside the
// signed 32-bit range, where the local-currency columns end.
Result<qint64> localAmount(double amount, double rate);

} // namespace korvessa::money
