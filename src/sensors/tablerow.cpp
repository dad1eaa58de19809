#include "sensors/tablerow.h"
#include "link/protocol.h"

namespace nvx {

bool isWritableChannelEntry(const QString &org, const QString &id)
{
    if (org != QLatin1String("05") && org != QLatin1String("06") && org != QLatin1String("07"))
        return false;
    if (id.size() != 8)
        return false;
    for (const QChar c : id) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool upper = c >= QLatin1Char('A') && c <= QLatin1Char('F');
        const bool lower = c >= QLatin1Char('a') && c <= QLatin1Char('f');
        if (!digit && !upper && !lower)
            return false;
    }
    return true;
}

QStringList tableWriteCommands(int ch, bool used, const QString &org, const QString &id)
{
    QStringList commands{cmd::clearChannelForWrite(ch)};
    if (used && isWritableChannelEntry(org, id))
        commands << cmd::writeChannelForTable(ch, org, id.toUpper());
    return commands;
}

} // namespace nvx
