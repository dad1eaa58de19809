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
// (resolver) order, each once.
QStringList ipv4Texts(const QList<QHostAddress> &addresses);

// Resolves `hostName` and returns its IPv4 addresses in resolver order; an
// empty list when the name does not resolve.
QStringList localIPv4Addresses(const QString &hostName);

} // namespace nvx
