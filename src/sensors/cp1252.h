#pragma once
// The single-byte Windows character set (code page 1252) of the description
// and address files: Latin-1 plus the printable characters of 0x80..0x9F
// such as "€", so that files written on Windows read the same here.

#include <QByteArray>
#include <QString>

namespace nvx {

QString fromCp1252(const QByteArray &bytes);
// A character the code page does not hold is written as "?".
QByteArray toCp1252(const QString &text);

} // namespace nvx
