#include "network/localip.h"

#include <QNetworkInterface>

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

QStringList localIPv4Addresses(const QList<LocalInterface> &interfaces)
{
    QList<QHostAddress> own;
    QList<QHostAddress> loopback;
    for (const LocalInterface &i : interfaces) {
        if (!i.up)
            continue;
        for (const QHostAddress &a : i.addresses)
            (i.loopback || a.isLoopback() ? loopback : own) << a;
    }
    // A receiver on the LAN reports to one of the LAN addresses; loopback
    // only serves a PC without any network.
    const QStringList lan = ipv4Texts(own);
    return lan.isEmpty() ? ipv4Texts(loopback) : lan;
}

QStringList localIPv4Addresses()
{
    QList<LocalInterface> interfaces;
    for (const QNetworkInterface &ni : QNetworkInterface::allInterfaces()) {
        LocalInterface i;
        i.up = ni.flags().testFlag(QNetworkInterface::IsUp);
        i.loopback = ni.flags().testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry &entry : ni.addressEntries())
            i.addresses << entry.ip();
        interfaces << i;
    }
    return localIPv4Addresses(interfaces);
}

} // namespace nvx
