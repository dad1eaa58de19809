#include "logging/fieldrules.h"

namespace nvx {

namespace {
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
} // namespace

bool digitsOnlyKey(QChar key) { return key == KeyBackspace || isDigit(key); }

bool rangeKey(QChar key) { return key == QLatin1Char('-') || digitsOnlyKey(key); }

bool byteScalingKey(QChar key, const QString &text, const QString &decimalSeparator)
{
    if (key == QLatin1Char('-') || key == KeyDelete || digitsOnlyKey(key))
        return true;
    if (decimalSeparator.isEmpty() || key != decimalSeparator.at(0))
        return false;
    return !text.contains(decimalSeparator);
}

bool seriesScalingKey(QChar key, QString &text, SignedFieldFlags &flags)
{
    if (digitsOnlyKey(key))
        return true;
    if (key == QLatin1Char('-')) {
        if (!flags.minusEntered) {
            flags.minusEntered = true;
            return !text.contains(QLatin1Char('-'));
        }
        flags.minusEntered = false;
        text.remove(0, 1);
        return false;
    }
    if (key == QLatin1Char(',')) {
        if (flags.commaEntered)
            return false;
        flags.commaEntered = true;
        return true;
    }
    return false;
}

void seriesScalingChanged(const QString &text, SignedFieldFlags &flags)
{
    if (!text.contains(QLatin1Char(',')))
        flags.commaEntered = false;
    if (!text.contains(QLatin1Char('-')))
        flags.minusEntered = false;
}

QString seriesScalingLeft(const QString &text, SignedFieldFlags &flags)
{
    QString result = text;
    if (result.indexOf(QLatin1Char('-'), 1) > 0) {
        result = QStringLiteral("0");
        flags.minusEntered = false;
    }
    if (result == QLatin1String("--0") || result.isEmpty() || result == QLatin1String("-")) {
        result = QStringLiteral("0");
        flags.minusEntered = false;
    }
    return result;
}

QString clampedFieldText(const QString &text, const QString &empty, int lo, int hi)
{
    if (text.isEmpty())
        return empty;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        return text;
    if (value > hi)
        return QString::number(hi);
    if (value < lo)
        return QString::number(lo);
    return text;
}

QString spinStep(const QString &text, int step, int lo, int hi)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        return text;
    if ((step > 0 && value < hi) || (step < 0 && value > lo))
        return QString::number(value + step);
    return text;
}

int fieldNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

} // namespace nvx
