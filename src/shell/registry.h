#pragma once
// The program's configuration store in the shape of the registry the tool
// has always read: two roots, keys, typed values.

#include <QString>

namespace nvx {

class CRegistry {
public:
    QString MachineSetting(const QString &keyName, const QString &valueName);
    QString Werte(const QString &keyName, const QString &valueName);
};

// The key of the program's own values under the machine root.
inline const QString ProgramKey = QStringLiteral("SOFTWARE\\Lorvantis Sensortechnik GmbH\\NVX_Ethernet\\");

} // namespace nvx
