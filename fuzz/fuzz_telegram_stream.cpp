// The TCP telegram stream: chunks as reads deliver them, the telegrams found
// in them and every field the telegram processor reads.
//
// First the input itself, cut into chunks, must pass without harm. Then the
// input builds a stream of telegrams and noise: every telegram with no pause
// longer than the stale pause between its bytes comes out once and in
// order, and nothing else comes out. The noise holds no sync, and neither
// noise nor a telegram ends in the start of a sync ("A5", "A55"; noise not
// in "A" either), so no sync spans two pieces; a telegram carries no sync in
// its data. A telegram may end in a lone "A", as those of the channels 0x0A
// and 0x1A do: it is held back for a moment, and the stream is flushed when
// it is due, as the program's timer does.

#include "fuzz_check.h"
#include "reply_fields.h"

#include "link/telegramstream.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>

namespace {

using nvx::TelegramStream;

bool endsIn(const QByteArray &bytes, const char *chars)
{
    return !bytes.isEmpty() && std::strchr(chars, bytes.back());
}

// Breaks every sync from `from` on at its second character, so that a
// sync overlapping the telegram's own stays whole.
void removeSyncs(QByteArray &bytes, qsizetype from)
{
    for (qsizetype i = from; i < bytes.size(); ++i)
        if (nvx::syncAt(bytes, i))
            bytes[i + 1] = 'x';
}

struct Chunk {
    QByteArray bytes;
    qint64 at = 0;
};

// Cuts `stream` into chunks of the sizes and pauses the input asks for; the
// rest goes in one last chunk.
QList<Chunk> cut(const QByteArray &stream, FuzzedDataProvider &input, QList<qint64> *timeOfByte = nullptr)
{
    QList<Chunk> chunks;
    qint64 now = 0;
    for (qsizetype pos = 0; pos < stream.size();) {
        const qsizetype size = input.remaining_bytes() > 0 ? input.ConsumeIntegralInRange<qsizetype>(1, 64)
                                                            : stream.size() - pos;
        now += input.remaining_bytes() > 0 ? input.ConsumeIntegralInRange<qint64>(0, 2 * TelegramStream::StaleMs) : 0;
        chunks << Chunk{stream.mid(pos, size), now};
        if (timeOfByte)
            for (qsizetype i = 0; i < chunks.back().bytes.size(); ++i)
                *timeOfByte << now;
        pos += size;
    }
    return chunks;
}

QStringList feedAll(const QList<Chunk> &chunks)
{
    TelegramStream stream;
    QStringList out;
    const auto take = [&out](const QStringList &telegrams) {
        for (const QString &telegram : telegrams) {
            FUZZ_CHECK(telegram.size() == TelegramStream::TelegramLength);
            FUZZ_CHECK(nvx::syncAt(telegram.toLatin1(), 0));
            nvxfuzz::readReplyFields(telegram);
            out << telegram;
        }
    };
    for (const Chunk &chunk : chunks) {
        if (const std::optional<qint64> due = stream.deadline(); due && *due <= chunk.at)
            take(stream.flush(*due));
        take(stream.feed(chunk.bytes, chunk.at));
    }
    take(stream.flush(chunks.isEmpty() ? 0 : chunks.back().at, true));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        FuzzedDataProvider input(data, size);
        const QByteArray raw = QByteArray::fromStdString(input.ConsumeRandomLengthString(4096));
        feedAll(cut(raw, input));
    }

    FuzzedDataProvider input(data, size);
    static const char hex[] = "0123456789ABCDEFabcdef";
    static const char *const syncs[] = {"A55A", "A55B", "a55a", "a55b"};
    QByteArray stream;
    QList<std::pair<qsizetype, QByteArray>> telegrams;   // where each starts, and its text
    for (int piece = 0; piece < 40 && input.remaining_bytes() > 0; ++piece) {
        if (input.ConsumeBool()) {
            QByteArray t = syncs[input.ConsumeIntegralInRange(0, 3)];
            while (t.size() < TelegramStream::TelegramLength)
                t += hex[input.ConsumeIntegralInRange<int>(0, int(sizeof hex) - 2)];
            removeSyncs(t, 1);
            if (endsIn(t, "5"))
                t.back() = '0';
            telegrams << std::make_pair(stream.size(), t);
            stream += t;
        } else {
            QByteArray noise = QByteArray::fromStdString(input.ConsumeRandomLengthString(64));
            removeSyncs(noise, 0);
            if (endsIn(noise, "Aa5"))
                noise.back() = 'x';
            // Behind a lone "A" it must not complete a sync either.
            if (endsIn(stream, "Aa") && noise.startsWith("55"))
                noise[0] = 'x';
            stream += noise;
        }
    }
    QList<qint64> timeOfByte;
    const QStringList out = feedAll(cut(stream, input, &timeOfByte));

    QStringList expected;
    for (const auto &[start, text] : telegrams) {
        bool inStep = true;
        for (qsizetype i = start + 1; i < start + text.size(); ++i)
            inStep = inStep && timeOfByte[i] - timeOfByte[i - 1] <= TelegramStream::StaleMs;
        if (inStep)
            expected << QString::fromLatin1(text);
    }
    if (out != expected)
        std::fprintf(stderr, "came out: %s\nexpected: %s\n", qPrintable(out.join(QLatin1Char('|'))),
                     qPrintable(expected.join(QLatin1Char('|'))));
    FUZZ_CHECK(out == expected);
    return 0;
}
