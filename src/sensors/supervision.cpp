#include "sensors/supervision.h"
#include "link/protocol.h"
#include "link/telegram.h"

#include <algorithm>

namespace nvx {

int minutesInField(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : WatchMinutesLow;
}

QString minutesOnLeaving(const QString &text)
{
    return QString::number(std::clamp(minutesInField(text), WatchMinutesLow, WatchMinutesHigh));
}

QString minutesStepped(const QString &text, bool up)
{
    int n = minutesInField(text);
    if (up && n < WatchMinutesHigh)
        ++n;
    else if (!up && n > WatchMinutesLow)
        --n;
    else if (!text.trimmed().isEmpty())
        return text;  // at a limit (or beyond it, typed): the field stays
    return QString::number(n);
}

QString minutesHex(int minutes)
{
    return QStringLiteral("%1").arg(std::clamp(minutes, 0, 0xFF), 2, 16, QLatin1Char('0')).toUpper();
}

QChar sensorIdKey(QChar c)
{
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'))
        return c;
    if (c >= u'a' && c <= u'f')
        return c.toUpper();
    return {};
}

QChar minutesKey(QChar c) { return c >= u'0' && c <= u'9' ? c : QChar(); }

QChar descriptionKey(QChar c) { return c == u';' ? QChar() : c; }

RowInfo rowInfoAfterTimerSet(bool supervisionOn, bool used)
{
    return {supervisionOn ? InfoButton::Sending : InfoButton::Plain, used};
}

SupervisionReport readSupervisionReport(QStringView reply)
{
    const auto bytes = ParseReplyBytes(reply.toString());
    SupervisionReport r;
    r.channel = bytes[11];
    r.minutes = bytes[3];
    r.failedAtTimes = bytes[4];
    r.notSending = bytes[5];
    if (bytes[2] == 0xF0)
        r.kind = SupervisionReport::On;
    else if (chars(reply, 27, 28) == QLatin1String("FF"))
        r.kind = SupervisionReport::Off;
    return r;
}

} // namespace nvx
