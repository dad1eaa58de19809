#pragma once
// A radio telegram composed by hand for the receiver to transmit: its sender
// ID from the receiver's base ID and an offset, its checksum, and the whole
// command text.

#include <QString>
#include <array>

namespace nvx {

// Two hex characters (or fewer) as a number; empty or not hex counts as 0.
int hexField(const QString &text);

// A field as it goes into the telegram: two characters, a shorter one with
// leading "0"s, so that the telegram keeps its length and the checksum covers
// what is sent.
QString telegramField(const QString &text);

// The sender ID: the base ID (most significant byte first) plus the offset
// added to its lowest byte. A sum above 255 leaves that byte at 255 and
// carries the excess over 255 into the next byte up, which saturates the
// same way; the top byte stops at 255.
std::array<int, 4> CalcSenderID(const std::array<int, 4> &baseId, int offset);
// Eight upper-case hex digits, most significant byte first.
QString senderIdText(const std::array<int, 4> &senderId);

// The low byte of the sum of the command byte 0x6B, the organisation byte,
// the four data bytes, the four sender ID bytes and the status byte, as two
// upper-case hex digits.
QString CalcTelegramChecksum(int org, const std::array<int, 4> &dataBytes, const std::array<int, 4> &senderId,
                             int status);

// The fields of the window as typed.
struct ManualFields {
    QString org, db3, db2, db1, db0, offset, status;
};
// The 28-character command "A55A6B" + ORG + DB3..DB0 + sender ID + status +
// checksum for the base ID given as text (8 hex digits; empty before the
// receiver told it).
QString composeManualTelegram(const ManualFields &fields, const QString &baseIdText);

} // namespace nvx
