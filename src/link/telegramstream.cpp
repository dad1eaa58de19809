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

// A sync cut off by the end of what came so far starts at `from` or later,
// before `before`.
bool syncStartsAtEnd(const QByteArray &bytes, qsizetype from, qsizetype before)
{
    for (qsizetype i = qMax(from, bytes.size() - (SyncLength - 1)); i < before && i < bytes.size(); ++i)
        if (syncAt(bytes, i, true))
            return true;
    return false;
}

} // namespace

QStringList TelegramStream::feed(const QByteArray &chunk, qint64 nowMs)
{
    // Held characters wait for what follows them, however long it takes.
    if (!m_rest.isEmpty() && !holding() && nowMs - m_restSince > StaleMs)
        m_rest.clear();
    const bool wasEmpty = m_rest.isEmpty();
    m_rest.append(chunk);

    QStringList telegrams;
    for (;;) {
        const qsizetype start = firstSync(m_rest, 0, m_rest.size());
        if (start < 0) {
            // Only the start of a sync cut off by the end of the read is kept.
            qsizetype keep = qMin<qsizetype>(SyncLength - 1, m_rest.size());
            while (keep > 0 && !syncAt(m_rest, m_rest.size() - keep, true))
                --keep;
            m_rest = m_rest.right(keep);
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
        const bool undecided = inner > 0
            ? m_rest.size() == TelegramLength
                || (m_rest.size() < TelegramLength + SyncLength && syncAt(m_rest, TelegramLength, true))
            : syncStartsAtEnd(m_rest, 1, TelegramLength);
        if (undecided) {
            // Nothing behind them yet to tell which: the next read or the
            // pause decides.
            m_heldSince = nowMs;
            break;
        }
        if (inner > 0 && !endsCleanly(m_rest, TelegramLength)) {
            m_rest.remove(0, inner);
            continue;
        }
        telegrams << QString::fromLatin1(m_rest.left(TelegramLength));
        m_rest.remove(0, TelegramLength);
    }

    // The rest waits from the read that brought its first byte.
    if (!m_rest.isEmpty() && (wasEmpty || m_rest.size() <= chunk.size()))
        m_restSince = nowMs;
    return telegrams;
}

QStringList TelegramStream::flush(qint64 nowMs, bool ended)
{
    if (!holding() || (!ended && nowMs - m_heldSince < HoldMs))
        return {};
    const QString telegram = QString::fromLatin1(m_rest.left(TelegramLength));
    m_rest.remove(0, TelegramLength);
    // Behind them may stand the start of the next telegram's sync.
    if (ended || !syncAt(m_rest, 0, true))
        m_rest.clear();
    m_restSince = nowMs;
    return {telegram};
}

void TelegramStream::clear()
{
    m_rest.clear();
    m_restSince = 0;
}

std::optional<QString> datagramTelegram(const QByteArray &datagram)
{
    const qsizetype start = firstSync(datagram, 0, datagram.size());
    if (start < 0)
        return std::nullopt;
    return QString::fromLatin1(datagram.mid(start, TelegramStream::TelegramLength));
}

} // namespace nvx
