#pragma once
// Reading the fields of a received telegram (28 hex characters, see
// protocol.h) without any window: its kind, the status reply's flags, the
// parts of a channel telegram.

#include <QString>
#include <QStringView>

namespace nvx {

// Characters 5-6 are "9F": the receiver's status reply, taken in any mode.
bool isStatusReply(QStringView reply);
// Sync "A55B": the receiver's supervision report.
bool isSupervisionMessage(QStringView reply);
// Header 0x8B with ORG 0x98: the radio module's base-ID answer.
bool isBaseIdReply(int byte0, int byte1);

// Character `pos` (counted from 1) of the telegram, or a blank past its end.
QChar charAt(QStringView reply, int pos);
// Characters `from`..`to` (counted from 1, both included), cut at the end.
QString chars(QStringView reply, int from, int to);

// Bit 3 of DB0 clear marks a learn telegram.
inline bool isLearnTelegram(int db0) { return (db0 & 0x08) == 0; }

// The duplicate-check key of a channel telegram: ORG (characters 7-8)
// followed by the sensor ID (characters 17-24).
QString sensorKey(QStringView reply);

// The sensor kind shown for an ORG: "05" -> `rockerText`, "06" and "07" the
// fixed kinds; an unknown ORG gives a null string (captions stay).
QString orgKindCaption(QStringView org, const QString &rockerText);

// Which rocker button of the information window a rocker telegram's DB3
// selects: 0..3, -1 to clear all four ("released"), -2 to change none.
int rockerButtonFor(int db3);

} // namespace nvx
