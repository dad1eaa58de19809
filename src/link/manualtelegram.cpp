#include "link/manualtelegram.h"

namespace nvx {

namespace {
QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

int hexField(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    return ok && value >= 0 ? value : 0;
}

QString telegramField(const QString &text)
{
    return text.rightJustified(2, QLatin1Char('0'));
}

std::array<int, 4> CalcSenderID(const std::array<int, 4> &baseId, int offset)
{
    std::array<int, 4> id = baseId;
    // From the lowest byte up: each byte takes what it can, the rest over 255
    // goes on to the next.
    int carry = offset;
    for (int i = 3; i >= 0 && carry > 0; --i) {
        const int sum = id[std::size_t(i)] + carry;
        if (sum <= 255) {
            id[std::size_t(i)] = sum;
            carry = 0;
        } else {
            id[std::size_t(i)] = 255;
            carry = sum - 255;
        }
    }
    return id;
}

QString senderIdText(const std::array<int, 4> &senderId)
{
    QString text;
    for (int b : senderId)
        text += hexByte(b);
    return text;
}

QString CalcTelegramChecksum(int org, const std::array<int, 4> &dataBytes, const std::array<int, 4> &senderId,
                             int status)
{
    int sum = 0x6B + org + status;
    for (int b : dataBytes)
        sum += b;
    for (int b : senderId)
        sum += b;
    return hexByte(sum);
}

QString composeManualTelegram(const ManualFields &f, const QString &baseIdText)
{
    const std::array<int, 4> baseId{hexField(baseIdText.mid(0, 2)), hexField(baseIdText.mid(2, 2)),
                                    hexField(baseIdText.mid(4, 2)), hexField(baseIdText.mid(6, 2))};
    const std::array<int, 4> senderId = CalcSenderID(baseId, hexField(f.offset));
    const QString checksum = CalcTelegramChecksum(
        hexField(f.org), {hexField(f.db3), hexField(f.db2), hexField(f.db1), hexField(f.db0)}, senderId,
        hexField(f.status));
    return QStringLiteral("A55A6B") + telegramField(f.org) + telegramField(f.db3) + telegramField(f.db2)
        + telegramField(f.db1) + telegramField(f.db0) + senderIdText(senderId) + telegramField(f.status) + checksum;
}

} // namespace nvx
