#pragma once
// Cuts a TCP byte stream into 28-character telegrams. A read may carry
// several telegrams or only part of one; the rest waits for the next read.

#include <QByteArray>
#include <QStringList>

namespace nvx {

class TelegramStream {
public:
    static constexpr int TelegramLength = 28;

    // Appends `chunk` and returns every complete telegram, in order.
    QStringList feed(const QByteArray &chunk);
    void clear() { m_rest.clear(); }
    const QByteArray &rest() const { return m_rest; }

private:
    QByteArray m_rest;
};

} // namespace nvx
