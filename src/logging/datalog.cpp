#include "logging/datalog.h"

namespace nvx {

QString shortDateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString longTimeText(const QTime &time, const QLocale &locale)
{
    // The long form may name the time zone ("t", "tttt"); the logs never did.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    format = format.trimmed();
    if (!format.contains(QLatin1Char('s')))
        format = QStringLiteral("HH:mm:ss");
    return locale.toString(time, format);
}

QString generalDateText(const QDateTime &when, const QLocale &locale)
{
    return shortDateText(when.date(), locale) + QLatin1Char(' ') + longTimeText(when.time(), locale);
}

QString dataLogHeader(const DataLogHeaderInput &in, const QLocale &locale)
{
    const auto &t = *in.texts;
    const QLatin1String end(LogLineEnd);
    QString header = QStringLiteral("Lorvantis Sensortechnik GmbH") + end + t[39] + shortDateText(in.today, locale) + end
        + t[40] + end;
    switch (in.mode) {
    case LogMode::Chart: {
        QString channels = t[10];
        QString bytes = QStringLiteral(";");
        for (int k = 0; k < 5; ++k) {
            channels += in.seriesChannels[k] + t[11];
            bytes += in.seriesDataBytes[k] + t[12];
        }
        header += channels + end + bytes + end;
        break;
    }
    case LogMode::AllChannels:
    case LogMode::Event:
        header += t[10] + t[1] + QLatin1Char(';') + t[8] + t[7] + t[52] + t[53] + t[54] + t[55] + t[56] + end;
        break;
    case LogMode::None:
        break;
    }
    return header;
}

QString seriesLogRow(const QString &time, const std::array<std::optional<int>, 5> &raw,
                     const std::array<Currency, 5> &scaled, QChar decimalMark)
{
    QString row = time;
    for (int k = 0; k < 5; ++k) {
        row += QLatin1Char(';');
        if (raw[k])
            row += printNumber(*raw[k], decimalMark);
        row += QLatin1Char(';') + printCurrency(scaled[k], decimalMark);
    }
    return row + QLatin1String(LogLineEnd);
}

QString channelLogRow(const ChannelRow &row, QChar decimalMark)
{
    QString text = row.time + QLatin1Char(';') + printNumber(row.channel + 1, decimalMark) + QLatin1Char(';') + row.kind
        + QLatin1Char(';') + row.id;
    for (const QString &d : row.data)
        text += QLatin1Char(';') + d;
    return text + QLatin1Char(';') + printNumber(row.failed ? 1 : 0, decimalMark) + QLatin1String(LogLineEnd);
}

QString receiveLogLine(const QString &received, const QDateTime &when, const QLocale &locale)
{
    QString line;
    line.reserve(64);
    for (int i = 0; i < 14; ++i)
        line += received.mid(2 * i, 2) + QLatin1Char(' ');
    // A malformed telegram may carry a line end or another control
    // character; it would break its line or forge one of its own.
    for (QChar &c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char('?');
    }
    return line + QLatin1String("  ") + shortDateText(when.date(), locale) + QLatin1String("  ")
        + longTimeText(when.time(), locale) + QLatin1String(LogLineEnd);
}

} // namespace nvx
