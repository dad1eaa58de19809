// The data log and the receive log: their lines formed from fuzzed texts,
// numbers and times, and the numbers read back as written.

#include "fuzz_check.h"

#include "logging/datalog.h"
#include "logging/lognumber.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString text(FuzzedDataProvider &input, size_t max = 40)
{
    return QString::fromUtf8(QByteArray::fromStdString(input.ConsumeRandomLengthString(max)));
}

bool plain(const QString &t)
{
    return !t.contains(QLatin1Char(';')) && !t.contains(QLatin1Char('\r')) && !t.contains(QLatin1Char('\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace nvx;
    FuzzedDataProvider input(data, size);
    const QChar mark = input.ConsumeBool() ? QLatin1Char(',') : QLatin1Char('.');
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::English, QLocale::UnitedStates)};
    const QLocale &locale = locales[input.ConsumeIntegralInRange(0, 2)];
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(input.ConsumeIntegralInRange<qint64>(0, 4102444800000LL));

    // Numbers: what is printed reads back as the same number.
    const qint64 n = input.ConsumeIntegralInRange<qint64>(-(1LL << 52), 1LL << 52);
    const QString printed = printNumber(n, mark);
    FUZZ_CHECK(printed.endsWith(QLatin1Char(' ')) && (printed.startsWith(QLatin1Char(' ')) || n < 0));
    FUZZ_CHECK(parseNumber(printed, mark) == double(n));
    const Currency c = input.ConsumeIntegralInRange<Currency>(-1000000000000LL, 1000000000000LL);
    FUZZ_CHECK(toCurrency(printCurrency(c, mark), mark) == c);
    // The scaling as the logging step does it, from range fields of at most
    // five characters, and the value kept and printed.
    const auto min = parseNumber(text(input, 5), mark);
    const auto max = parseNumber(text(input, 5), mark);
    if (min && max) {
        const QString scaledText = tenthsText(scaleToTenths(*min, *max, input.ConsumeIntegralInRange(0, 255)), mark);
        const auto kept = toCurrency(scaledText, mark);
        FUZZ_CHECK(kept.has_value());
        FUZZ_CHECK(parseNumber(printCurrency(*kept, mark), mark) == parseNumber(scaledText, mark));
    }
    if (const auto value = toCurrency(text(input, 30), mark))
        (void)printCurrency(*value, mark);
    (void)printNumber(input.ConsumeIntegral<qint64>(), mark);
    (void)printCurrency(input.ConsumeIntegral<qint64>(), mark);
    (void)tenthsText(input.ConsumeIntegral<qint64>(), mark);

    // The receive log's line of one telegram.
    const QString received = QString::fromLatin1(QByteArray::fromStdString(input.ConsumeBytesAsString(28)));
    const QString line = receiveLogLine(received, when, locale);
    // One line whatever the telegram holds: its control characters stand as
    // "?", every other character as it came.
    FUZZ_CHECK(line.endsWith(QLatin1String("\r\n")) && line.count(QLatin1Char('\n')) == 1
               && line.count(QLatin1Char('\r')) == 1);
    if (received.size() == 28) {
        for (int i = 0; i < 28; ++i) {
            const QChar sent = received.at(i);
            const QChar logged = line.at(3 * (i / 2) + i % 2);
            FUZZ_CHECK(logged == (sent.category() == QChar::Other_Control ? QLatin1Char('?') : sent));
        }
        for (int i = 0; i < 14; ++i)
            FUZZ_CHECK(line.at(3 * i + 2) == QLatin1Char(' '));
    }

    // The data log's header and rows.
    std::array<QString, 61> texts;
    bool plainTexts = true;
    for (QString &t : texts) {
        t = text(input, 12);
        plainTexts = plainTexts && plain(t);
    }
    DataLogHeaderInput header;
    header.mode = static_cast<LogMode>(input.ConsumeIntegralInRange(0, 3));
    header.texts = &texts;
    header.today = when.date();
    for (int k = 0; k < 5; ++k) {
        header.seriesChannels[std::size_t(k)] = text(input, 4);
        header.seriesDataBytes[std::size_t(k)] = text(input, 4);
    }
    const QString head = dataLogHeader(header, locale);
    FUZZ_CHECK(head.startsWith(QLatin1String("Lorvantis Sensortechnik GmbH\r\n")) && head.endsWith(QLatin1String("\r\n")));
    if (plainTexts && header.mode != LogMode::Chart) {
        const int lines = header.mode == LogMode::None ? 3 : 4;
        FUZZ_CHECK(head.count(QLatin1String("\r\n")) == lines);
    }

    const QString time = text(input, 20);
    std::array<std::optional<int>, 5> raw;
    std::array<Currency, 5> scaled{};
    for (int k = 0; k < 5; ++k) {
        if (input.ConsumeBool())
            raw[std::size_t(k)] = input.ConsumeIntegralInRange(0, 255);
        scaled[std::size_t(k)] = input.ConsumeIntegralInRange<Currency>(-1000000000000LL, 1000000000000LL);
    }
    const QString series = seriesLogRow(time, raw, scaled, mark);
    FUZZ_CHECK(series.endsWith(QLatin1String("\r\n")));
    if (plain(time))
        FUZZ_CHECK(series.count(QLatin1Char(';')) == 10);

    ChannelRow row;
    row.time = time;
    row.channel = input.ConsumeIntegralInRange(0, 29);
    row.kind = text(input, 16);
    row.id = text(input, 10);
    for (QString &d : row.data)
        d = text(input, 8);
    row.failed = input.ConsumeBool();
    const QString channel = channelLogRow(row, mark);
    FUZZ_CHECK(channel.endsWith(QLatin1String("\r\n")));
    if (plain(row.time) && plain(row.kind) && plain(row.id) && std::all_of(row.data.begin(), row.data.end(), plain))
        FUZZ_CHECK(channel.count(QLatin1Char(';')) == 8);
    return 0;
}
