#include "network/localip.h"

#include <QHostInfo>

namespace nvx {

QString SplitFirstToken(QString &text, const QString &delimiter)
{
    const qsizetype p = delimiter.isEmpty() ? -1 : text.indexOf(delimiter);
    if (p < 0) {
        const QString all = text;
        text.clear();
        return all;
    }
    const QString first = text.left(p);
    text = text.mid(p + delimiter.size());
    return first;
}

QStringList ipv4Texts(const QList<QHostAddress> &addresses)
{
    QStringList result;
    for (const QHostAddress &a : addresses) {
        if (a.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        const QString text = QHostAddress(a.toIPv4Address()).toString();
        if (!result.contains(text))
            result << text;
    }
    return result;
}

QStringList localIPv4Addresses(const QString &hostName)
{
    if (hostName.trimmed().isEmpty())
        return {};
    const QHostInfo info = QHostInfo::fromName(hostName.trimmed());
    if (info.error() != QHostInfo::NoError)
        return {};
    return ipv4Texts(info.addresses());
}

} // namespace nvx
