#include "link/telegramstream.h"

namespace nvx {

namespace {

constexpr qsizetype SyncLength = 4;

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool isHexDigit(char c)
{
    c = upper(c);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

qsizetype firstSync(const QByteArray &bytes, qsizetype from, qsizetype before)
{
    for (qsizetype i = from; i < before && i + SyncLength <= bytes.size(); ++i)
        if (syncAt(bytes, i))
            return i;
    return -1;
}

// A telegram read from `pos` back ends cleanly when what follows it is no
// hex text that would continue it: the end of what came so far, the next
// sync, or a character that is no hex digit (a line end, a blank).
bool endsCleanly(const QByteArray &bytes, qsizetype pos)
{
    return pos >= bytes.size() || syncAt(bytes, pos, true) || !isHexDigit(bytes.at(pos));
}

} // namespace

bool syncAt(const QByteArray &bytes, qsizetype pos, bool partialAtEnd)
{
    static const char sync[] = "A55?";
    if (pos < 0 || pos >= bytes.size())
        return false;
    const qsizetype available = bytes.size() - pos;
    if (available < SyncLength && !partialAtEnd)
        return false;
    for (qsizetype i = 0; i < SyncLength && i < available; ++i) {
        const char c = upper(bytes.at(pos + i));
        if (i == SyncLength - 1 ? (c != 'A' && c != 'B') : c != sync[i])
            return false;
    }
    return true;
}

namespace {

// How many characters at the end of `bytes` are the start of a sync cut off
// by that end (0 to 3).
qsizetype syncStartAtEnd(const QByteArray &bytes)
{
    for (qsizetype keep = qMin<qsizetype>(SyncLength - 1, bytes.size()); keep > 0; --keep)
        if (syncAt(bytes, bytes.size() - keep, true))
            return keep;
    return 0;
}

} // namespace

QStringList TelegramStream::feed(const QByteArray &chunk, qint64 nowMs)
{
    QStringList telegrams = flush(nowMs);
    if (chunk.isEmpty())
        return telegrams;
    if (!m_rest.isEmpty() && nowMs - m_lastByteAt > StaleMs)
        m_rest.clear();
    m_rest.append(chunk);
    m_lastByteAt = nowMs;
    m_holdMs = 0;

    for (;;) {
        const qsizetype start = firstSync(m_rest, 0, m_rest.size());
        if (start < 0) {
            // Only the start of a sync cut off by the end of the read is kept.
            m_rest = m_rest.right(syncStartAtEnd(m_rest));
            break;
        }
        m_rest.remove(0, start);
        if (m_rest.size() < TelegramLength)
            break;
        // A second sync inside the 28 characters: either a telegram that
        // carries the sync's digits as data, or a short piece followed by the
        // next telegram. Only the second leaves hex text right behind the 28.
        const qsizetype inner = firstSync(m_rest, 1, TelegramLength);
        // Undecided while only the start of a sync (or nothing) stands behind
        // them, or the start of one inside them runs to the end of the read.
        const qsizetype startAtEnd = syncStartAtEnd(m_rest);
        const bool undecided = inner > 0
            ? m_rest.size() == TelegramLength
                || (m_rest.size() < TelegramLength + SyncLength && syncAt(m_rest, TelegramLength, true))
            : startAtEnd > 0 && m_rest.size() - startAtEnd < TelegramLength;
        if (undecided) {
            // Nothing behind them yet to tell which: the next read or the
            // pause decides.
            const bool loneA = inner < 0 && m_rest.size() == TelegramLength && startAtEnd == 1;
            m_holdMs = loneA ? HoldMs : StaleMs;
            break;
        }
        if (inner > 0 && !endsCleanly(m_rest, TelegramLength)) {
            m_rest.remove(0, inner);
            continue;
        }
        telegrams << QString::fromLatin1(m_rest.left(TelegramLength));
        m_rest.remove(0, TelegramLength);
    }
    return telegrams;
}

std::optional<qint64> TelegramStream::deadline() const
{
    if (!holding())
        return std::nullopt;
    return m_lastByteAt + m_holdMs;
}

QStringList TelegramStream::flush(qint64 nowMs, bool ended)
{
    if (!holding() || (!ended && nowMs - m_lastByteAt < m_holdMs))
        return {};
    // Nothing followed in time: the 28 characters are a telegram. Their end
    // and what came behind them may still be the start of the next one's
    // sync (a short piece and the first characters of a telegram whose rest
    // is late): the next bytes tell, so that telegram is not lost as well.
    const QByteArray held = m_rest;
    m_rest = ended ? QByteArray() : held.right(syncStartAtEnd(held));
    m_holdMs = 0;
    return {QString::fromLatin1(held.left(TelegramLength))};
}

void TelegramStream::clear()
{
    m_rest.clear();
    m_lastByteAt = 0;
    m_holdMs = 0;
}

std::optional<QString> datagramTelegram(const QByteArray &datagram)
{
    const qsizetype start = firstSync(datagram, 0, datagram.size());
    if (start < 0)
        return std::nullopt;
    return QString::fromLatin1(datagram.mid(start, TelegramStream::TelegramLength));
}

} // namespace nvx
