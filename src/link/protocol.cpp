#include "link/protocol.h"

namespace nvx {

QString fixedText(const QString &text, int length)
{
    return text.left(length).leftJustified(length, QLatin1Char(' '));
}

QString FormatHex2(int value)
{
    static const char digits[] = "0123456789ABCDEF";
    const int v = value & 0x1F;
    return QString(QLatin1Char(v > 15 ? '1' : '0')) + QLatin1Char(digits[v & 0x0F]);
}

QString FormatChannelNumber(int channel)
{
    const int n = channel + 1;
    const int tens = n / 10;
    return QString::number(tens) + QString::number(n - 10 * tens);
}

namespace {
int hexDigitValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    return c.unicode();
}

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}
} // namespace

int ParseHex2(const QString &pair)
{
    const QChar first = pair.size() > 0 ? pair[0] : QChar(u' ');
    const QChar second = pair.size() > 1 ? pair[1] : QChar(u' ');
    return (hexDigitValue(first) * 16) | hexDigitValue(second);
}

std::array<int, 13> ParseReplyBytes(const QString &replyString)
{
    const QString reply = toReplyString(replyString);
    std::array<int, 13> bytes{};
    for (int i = 0; i < 12; ++i)
        bytes[static_cast<std::size_t>(i)] = ParseHex2(reply.mid(4 + 2 * i, 2));
    return bytes;
}

bool replyPairsAreHex(const QString &replyString)
{
    const QString reply = toReplyString(replyString);
    for (int i = 4; i < ReplyLength; ++i)
        if (!isHexDigit(reply[i]))
            return false;
    return true;
}

namespace cmd {
namespace {
const QString Sync = QStringLiteral("A55A");
}

QString statusRequest() { return QStringLiteral("A55A9F02030405060708"); }
QString readTableRequest() { return QStringLiteral("A55A9502030405060708"); }
QString clearChannelForWrite(int ch) { return Sync + u"94" + FormatHex2(ch) + u"020304050607"; }
QString clearChannelForDelete(int ch) { return Sync + u"94" + FormatHex2(ch) + u"010203040506"; }
QString writeChannelForTable(int ch, const QString &org, const QString &id)
{
    return Sync + u"92" + FormatHex2(ch) + org + id + u"07";
}
QString writeChannelManual(int ch, const QString &org, const QString &id)
{
    return Sync + u"92" + FormatHex2(ch) + org + id + u"00";
}
QString learnRocker(int ch) { return Sync + u"97" + FormatHex2(ch) + u"05" + u"0203040506"; }
QString learnSensor(int ch, const QString &org) { return Sync + u"91" + FormatHex2(ch) + org + u"0203040506"; }
QString endManualLearn(const QString &channelHex) { return Sync + u"96" + channelHex + u"010203040506"; }
QString cancelLearn() { return QStringLiteral("A55A9C01020304050607"); }
QString resetSupervision(int ch) { return Sync + u"9D" + FormatHex2(ch) + u"010203040506"; }
QString supervisionOn(int minutes)
{
    return Sync + u"9A" + QStringLiteral("%1").arg(minutes & 0xFF, 2, 16, QLatin1Char('0')).toUpper() + u"020304050607";
}
QString supervisionOff() { return QStringLiteral("A55A9B01020304050607"); }
QString gatewayOptions(bool gateway, bool rssiTicked, bool serverTicked)
{
    return Sync + u"9E" + FormatHex2(gateway ? 1 : 0) + FormatHex2(rssiTicked ? 0 : 1) + FormatHex2(serverTicked ? 1 : 0)
        + u"03040506";
}
QString readBaseId() { return QStringLiteral("A55AAB5800000000000000000003"); }

QString sendRadioTelegram(const QString &org, const QString &db3, const QString &db2, const QString &db1,
                          const QString &db0, const QString &senderId, const QString &status)
{
    const auto hex = [](const QString &text) { return text.isEmpty() ? 0u : text.toUInt(nullptr, 16); };
    unsigned sum = 0x6B + hex(org) + hex(db3) + hex(db2) + hex(db1) + hex(db0) + hex(status);
    const QString id = senderId.rightJustified(8, QLatin1Char('0')).right(8);
    for (int i = 0; i < 4; ++i)
        sum += hex(id.mid(2 * i, 2));
    const QString checksum = QStringLiteral("%1").arg(sum & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    return Sync + u"6B" + org + db3 + db2 + db1 + db0 + senderId + status + checksum;
}
} // namespace cmd

} // namespace nvx
