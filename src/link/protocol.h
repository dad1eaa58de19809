#pragma once
// The receiver protocol as text: the fixed-length command and reply strings,
// the hex routines and a builder for every command the program sends.

#include <QString>
#include <array>

namespace nvx {

constexpr int CommandLength = 30;
constexpr int ReplyLength = 28;

// Left-aligns `text` in `length` characters: padded with blanks or cut.
QString fixedText(const QString &text, int length);
inline QString toCommandString(const QString &text) { return fixedText(text, CommandLength); }
inline QString toReplyString(const QString &text) { return fixedText(text, ReplyLength); }

// 0..31 -> "00".."1F".
QString FormatHex2(int value);
// Channel index 0..38 -> its number plus one as two decimal digits ("01".."39").
QString FormatChannelNumber(int channel);
// Two hex characters (either case) -> value; any other character counts with
// its character code, so the value of such a pair is no byte (see below).
int ParseHex2(const QString &pair);
// Bytes 0..11 of a 28-character reply (after the sync); index 12 stays 0.
std::array<int, 13> ParseReplyBytes(const QString &replyString);
// True when the 12 byte pairs of a reply (characters 5 to 28) are all hex
// digits; a reply with any other character is no telegram for a channel.
bool replyPairsAreHex(const QString &replyString);

namespace cmd {
QString statusRequest();                       // A55A9F02030405060708
QString readTableRequest();                    // A55A9502030405060708
QString clearChannelForWrite(int ch);          // A55A94 CH 020304050607
QString clearChannelForDelete(int ch);         // A55A94 CH 010203040506
QString writeChannelForTable(int ch, const QString &org, const QString &id);   // ... 07
QString writeChannelManual(int ch, const QString &org, const QString &id);     // ... 00
QString learnRocker(int ch);                   // A55A97 CH 05 0203040506
QString learnSensor(int ch, const QString &org);
QString endManualLearn(const QString &channelHex);
QString cancelLearn();                         // A55A9C01020304050607
QString resetSupervision(int ch);
QString supervisionOn(int minutes);
QString supervisionOff();                      // A55A9B01020304050607
QString gatewayOptions(bool gateway, bool rssiTicked, bool serverTicked);
QString readBaseId();                          // A55AAB5800000000000000000003
// A radio telegram for the receiver to transmit: "A55A6B" + the fields as
// given + the checksum (low byte of the sum of 0x6B, the fields and the four
// sender ID bytes, fields read as hex, empty ones as 0).
QString sendRadioTelegram(const QString &org, const QString &db3, const QString &db2, const QString &db1,
                          const QString &db0, const QString &senderId, const QString &status);
} // namespace cmd

} // namespace nvx
