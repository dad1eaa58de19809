#pragma once
// The PC's own IPv4 addresses as the local address list shows them.

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

namespace nvx {

// The text before the first `delimiter` in `text`; `text` keeps what follows
// the delimiter. Without a delimiter the whole text is returned and `text`
// becomes empty.
QString SplitFirstToken(QString &text, const QString &delimiter);

// The IPv4 addresses among `addresses` as dotted decimal text, in the given
// order, each once.
QStringList ipv4Texts(const QList<QHostAddress> &addresses);

// One network interface as far as the address list cares.
struct LocalInterface {
    bool up = false;
    bool loopback = false;
    QList<QHostAddress> addresses;
};

// The IPv4 addresses of the interfaces that are up, in interface order;
// loopback addresses only when there is no other.
QStringList localIPv4Addresses(const QList<LocalInterface> &interfaces);

// The same for this machine's interfaces.
QStringList localIPv4Addresses();

} // namespace nvx
