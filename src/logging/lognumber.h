#pragma once
// Numbers as the logging writes and reads them: the scaled value with one
// decimal place (halves to the even digit), the fixed-point value of the
// series buffers, and the number form of the log files (a blank or "-" in
// front, the shortest decimal form, a blank behind).

#include <QString>
#include <QtGlobal>
#include <optional>

namespace nvx {

// A fixed-point value with four decimal places, as ten-thousandths.
using Currency = qint64;
constexpr Currency CurrencyScale = 10000;

// `text` as a number with `decimalMark` as its one decimal mark and an
// optional leading "-"; nothing for an empty text, a lone sign or any other
// character.
std::optional<double> parseNumber(const QString &text, QChar decimalMark);

// min + raw * (max - min) / 255, taken to one decimal place, halves going to
// the even digit; in tenths.
qint64 scaleToTenths(double min, double max, int raw);

// A value in tenths as the locale writes it: without trailing zeros, with
// `decimalMark` ("50,2", "-3", "0").
QString tenthsText(qint64 tenths, QChar decimalMark);

// `text` read back as a fixed-point value (the decimal mark as given).
std::optional<Currency> toCurrency(const QString &text, QChar decimalMark);

// The number form of the log files: " 5 ", "-3,5 ", " 0 ".
QString printNumber(qint64 value, QChar decimalMark = QLatin1Char(','));
QString printCurrency(Currency value, QChar decimalMark);

} // namespace nvx
