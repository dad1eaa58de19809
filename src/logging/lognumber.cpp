#include "logging/lognumber.h"

#include <cmath>

namespace nvx {

std::optional<double> parseNumber(const QString &text, QChar decimalMark)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t.remove(0, 1);
    }
    if (t.isEmpty())
        return std::nullopt;
    const qsizetype mark = t.indexOf(decimalMark);
    QString intPart = mark < 0 ? t : t.left(mark);
    QString fracPart = mark < 0 ? QString() : t.mid(mark + 1);
    if (intPart.isEmpty() && fracPart.isEmpty())
        return std::nullopt;
    for (const QString &part : {intPart, fracPart})
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
    const QString plain = (intPart.isEmpty() ? QStringLiteral("0") : intPart)
        + (fracPart.isEmpty() ? QString() : QLatin1Char('.') + fracPart);
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return negative ? -v : v;
}

qint64 scaleToTenths(double min, double max, int raw)
{
    // One division, so that an exact half stays exact as far as it can.
    const double tenths = (min * 255.0 + raw * (max - min)) * 10.0 / 255.0;
    const double lower = std::floor(tenths);
    const double rest = tenths - lower;
    constexpr double Tolerance = 1e-9;
    auto result = static_cast<qint64>(lower);
    if (std::abs(rest - 0.5) < Tolerance)
        return (result % 2 == 0) ? result : result + 1;
    return rest > 0.5 ? result + 1 : result;
}

namespace {

// |value| / scale with up to `digits` decimals, trailing zeros dropped.
QString plainDecimal(qint64 value, qint64 scale, int digits, QChar decimalMark)
{
    const bool negative = value < 0;
    // Negated as unsigned: the most negative value has no positive twin.
    const quint64 magnitude = negative ? 0 - quint64(value) : quint64(value);
    QString text = QString::number(magnitude / quint64(scale));
    QString frac = QStringLiteral("%1").arg(magnitude % quint64(scale), digits, 10, QLatin1Char('0'));
    while (frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (digits > 0 && !frac.isEmpty())
        text += decimalMark + frac;
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace

QString tenthsText(qint64 tenths, QChar decimalMark) { return plainDecimal(tenths, 10, 1, decimalMark); }

std::optional<Currency> toCurrency(const QString &text, QChar decimalMark)
{
    const auto value = parseNumber(text, decimalMark);
    if (!value)
        return std::nullopt;
    return static_cast<Currency>(std::llround(*value * CurrencyScale));
}

QString printNumber(qint64 value, QChar decimalMark)
{
    const QString text = plainDecimal(value, 1, 0, decimalMark);
    return (value < 0 ? text : QLatin1Char(' ') + text) + QLatin1Char(' ');
}

QString printCurrency(Currency value, QChar decimalMark)
{
    const QString text = plainDecimal(value, CurrencyScale, 4, decimalMark);
    return (value < 0 ? text : QLatin1Char(' ') + text) + QLatin1Char(' ');
}

} // namespace nvx
