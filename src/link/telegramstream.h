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
    // A telegram not completed within this pause is given up.
    static constexpr qint64 StaleMs = 200;
    // 28 characters at the end of a read whose end cannot be told yet (a
    // sync inside them or the start of one at their end: a short piece
    // followed by the first characters of the next telegram) wait this long
    // for what follows before they count as a telegram.
    static constexpr qint64 HoldMs = 50;

    // Appends `chunk`, received at `nowMs` (any steady clock in ms), and
    // returns every complete telegram, in order. A partial telegram held
    // since more than StaleMs before `nowMs` is dropped first.
    QStringList feed(const QByteArray &chunk, qint64 nowMs);
    // True while 28 characters wait for what follows them.
    bool holding() const { return m_rest.size() >= TelegramLength; }
    // The waiting characters as a telegram once they waited HoldMs by
    // `nowMs`, or at once when nothing more can come (`ended`).
    QStringList flush(qint64 nowMs, bool ended = false);
    void clear();
    const QByteArray &rest() const { return m_rest; }

private:
    QByteArray m_rest;
    qint64 m_restSince = 0;
    qint64 m_heldSince = 0;
};

// True when `bytes` at `pos` start with a sync; a sync cut off by the end of
// `bytes` counts when `partialAtEnd` is set.
bool syncAt(const QByteArray &bytes, qsizetype pos, bool partialAtEnd = false);

// The telegram in one UDP datagram: from its first sync on, at most 28
// characters; none when the datagram holds no sync.
std::optional<QString> datagramTelegram(const QByteArray &datagram);

} // namespace nvx
