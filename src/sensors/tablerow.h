#pragma once
// What the table write may send for one row, kept apart from the window so
// it can be checked without one.

#include <QString>
#include <QStringList>

namespace nvx {

// True when the receiver can take the row as a channel entry: the ORG is one
// of the three sensor kinds it knows and the ID is exactly 8 hex digits.
bool isWritableChannelEntry(const QString &org, const QString &id);

// The commands of the table write for channel `ch`: always its clear
// command, followed by its write command when the row is used and the
// receiver can take the entry. A used row that would give a command the
// receiver cannot parse (e.g. "Frei" from a German file while English is in
// force) is only cleared.
QStringList tableWriteCommands(int ch, bool used, const QString &org, const QString &id);

} // namespace nvx
