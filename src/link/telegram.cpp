#include "link/telegram.h"

namespace nvx {

QChar charAt(QStringView reply, int pos)
{
    return pos >= 1 && pos <= reply.size() ? reply[pos - 1] : QChar(u' ');
}

QString chars(QStringView reply, int from, int to)
{
    if (from < 1 || from > reply.size() || to < from)
        return {};
    return reply.mid(from - 1, to - from + 1).toString();
}

bool isStatusReply(QStringView reply)
{
    return charAt(reply, 5) == u'9' && charAt(reply, 6) == u'F';
}

bool isSupervisionMessage(QStringView reply)
{
    return reply.startsWith(u"A55B");
}

bool isBaseIdReply(int byte0, int byte1)
{
    return byte0 == 0x8B && byte1 == 0x98;
}

QString sensorKey(QStringView reply)
{
    return chars(reply, 7, 8) + chars(reply, 17, 24);
}

QString orgKindCaption(QStringView org, const QString &rockerText)
{
    if (org == u"05")
        return rockerText;
    if (org == u"06")
        return QStringLiteral("1 Byte Sensor");
    if (org == u"07")
        return QStringLiteral("4 Byte Sensor");
    return {};
}

int rockerButtonFor(int db3)
{
    switch (db3) {
    case 0xB0:
    case 0xF0:
    case 0x70:
        return 0;
    case 0x90:
    case 0xD0:
    case 0x50:
        return 1;
    case 0x30:
        return 2;
    case 0x10:
        return 3;
    case 0x00:
        return -1;
    default:
        return -2;
    }
}

} // namespace nvx
