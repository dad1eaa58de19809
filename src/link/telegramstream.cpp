#include "link/telegramstream.h"

namespace nvx {

QStringList TelegramStream::feed(const QByteArray &chunk)
{
    m_rest.append(chunk);
    QStringList telegrams;
    while (m_rest.size() >= TelegramLength) {
        telegrams << QString::fromLatin1(m_rest.left(TelegramLength));
        m_rest.remove(0, TelegramLength);
    }
    return telegrams;
}

} // namespace nvx
