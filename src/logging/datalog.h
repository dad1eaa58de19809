#pragma once
// The text of the two log files: the data log's header and rows, and the
// receive log's line of one telegram. Dates and times follow the locale.

#include "logging/lognumber.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace nvx {

constexpr auto LogLineEnd = "\r\n";

// The locale's short date; its long time of hours, minutes and seconds
// (without a time-zone name); and both joined by a blank (the general form).
QString shortDateText(const QDate &date, const QLocale &locale = QLocale());
QString longTimeText(const QTime &time, const QLocale &locale = QLocale());
QString generalDateText(const QDateTime &when, const QLocale &locale = QLocale());

// The logging mode, as the three mode options choose it.
enum class LogMode { None, Chart, AllChannels, Event };

// What the header needs besides the mode: the texts of the program's text
// table (indices 1, 7..12, 39, 40, 52..56) and, in chart mode, the texts of
// the five channel and data-byte selectors.
struct DataLogHeaderInput {
    LogMode mode = LogMode::None;
    const std::array<QString, 61> *texts = nullptr;
    QDate today;
    std::array<QString, 5> seriesChannels;
    std::array<QString, 5> seriesDataBytes;
};
// The header lines, each ending with CR LF.
QString dataLogHeader(const DataLogHeaderInput &in, const QLocale &locale = QLocale());

// One row of chart mode: the time, then raw and scaled value of each of the
// five series (an empty raw value writes nothing).
QString seriesLogRow(const QString &time, const std::array<std::optional<int>, 5> &raw,
                     const std::array<Currency, 5> &scaled, QChar decimalMark);

// One row of the two channel modes.
struct ChannelRow {
    QString time;
    int channel = 0;         // 0..29, written as 1..30
    QString kind;            // caption of OrgByte
    QString id;              // caption of SystemID
    std::array<QString, 4> data;  // texts of txt_data_1..4
    bool failed = false;
};
QString channelLogRow(const ChannelRow &row, QChar decimalMark);

// A telegram's line in the receive log: characters 1-28 of `received` as 14
// pairs each followed by a blank, two blanks, the date, two blanks, the time,
// CR LF. A control character among them is written as "?", so that each
// telegram stays one line.
QString receiveLogLine(const QString &received, const QDateTime &when, const QLocale &locale = QLocale());

} // namespace nvx
