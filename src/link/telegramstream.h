#pragma once
// Finds the telegrams in a TCP byte stream. A telegram is 28 characters that
// start with the sync "A55A" or "A55B" (either case). A read may carry
// several telegrams, only part of one, or bytes that belong to none (a short
// telegram, a line end, noise); the stream drops what lies before a sync and
// falls back in step with the next telegram.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace nvx {

class TelegramStream {
public:
    static constexpr int TelegramLength = 28;
    // A partial telegram is given up only after a pause since its last byte
    // that outlasts a resent TCP segment: after a segment lost on the LAN
    // the rest comes 200 ms later at the earliest, after a second loss 400 ms
    // after that.
    static constexpr qint64 StaleMs = 1000;
    // 28 characters whose end cannot be told yet (a sync inside them, or the
    // start of one at their end: a short piece followed by the first
    // characters of the next telegram) wait for what follows as long as a
    // partial telegram would. Those that end in a lone "A" wait only this
    // long: so end the telegrams of the channels 0x0A and 0x1A, which must
    // not lag behind the others.
    static constexpr qint64 HoldMs = 30;

    // Appends `chunk`, received at `nowMs` (any steady clock in ms), and
    // returns every complete telegram, in order. What waited out its time
    // before `nowMs` is settled first, as flush() would have done, and a
    // partial telegram whose last byte came more than StaleMs before is
    // dropped.
    QStringList feed(const QByteArray &chunk, qint64 nowMs);
    // True while 28 characters wait for what follows them.
    bool holding() const { return m_holdMs > 0; }
    // When the waiting characters are due without further bytes.
    std::optional<qint64> deadline() const;
    // The waiting characters as a telegram once they are due by `nowMs`, or
    // at once when nothing more can come (`ended`).
    QStringList flush(qint64 nowMs, bool ended = false);
    void clear();
    const QByteArray &rest() const { return m_rest; }

private:
    QByteArray m_rest;
    qint64 m_lastByteAt = 0;
    qint64 m_holdMs = 0;
};

// True when `bytes` at `pos` start with a sync; a sync cut off by the end of
// `bytes` counts when `partialAtEnd` is set.
bool syncAt(const QByteArray &bytes, qsizetype pos, bool partialAtEnd = false);

// The telegram in one UDP datagram: from its first sync on, at most 28
// characters; none when the datagram holds no sync.
std::optional<QString> datagramTelegram(const QByteArray &datagram);

} // namespace nvx
