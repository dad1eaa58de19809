#pragma once
// The 45-byte configuration record of a receiver's Ethernet module and the
// conversions the windows need (MAC text, dotted addresses, ports).

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace nvx {

struct BoardRecord {
    static constexpr int Size = 45;
    // Byte offsets of the fields.
    static constexpr int Mac = 0, Mode = 6, Ip = 7, Subnet = 11, Gateway = 15, Port = 19,
                         ServerIp = 21, ServerPort = 25, Version = 40, Dhcp = 42, Udp = 43;

    std::array<std::uint8_t, Size> bytes{};

    std::uint8_t &operator[](int i) { return bytes[static_cast<std::size_t>(i)]; }
    std::uint8_t operator[](int i) const { return bytes[static_cast<std::size_t>(i)]; }
    bool operator==(const BoardRecord &) const = default;

    // Copies up to 45 bytes; missing ones stay 0.
    static BoardRecord fromBytes(const QByteArray &data);
    QByteArray toBytes() const;

    // "00:1A:2B:03:0C:FF": the key of the record in Boards and its row text.
    QString macText() const;
    // Four address bytes from `offset` joined by ".".
    QString dotted(int offset) const;
    // Big-endian 16-bit number at `offset`, 0 to 65535.
    int port(int offset) const;
    void setPort(int offset, int value);
    // "2.10" for the bytes 2 and 10.
    QString versionText() const;
    bool isClientMode() const { return bytes[Mode] == 0; }
    bool isUdp() const { return bytes[Udp] == 1; }
    bool isDhcp() const { return bytes[Dhcp] == 1; }

    // Stores the leading valid parts of a typed address from `offset` on
    // (see parseDotted); true when all four were valid.
    bool storeDotted(int offset, const QString &text);
};

// A datagram from a module's configuration port: a four-character code
// ("IMIN" answers a search, "SETC" confirms settings) and the record after
// it. A datagram shorter than ShortestReply carries no usable record and is
// no reply at all; only the first LongestRead bytes are ever read.
struct ModuleReply {
    static constexpr int ShortestReply = 47;   // code and all but the last two record bytes
    static constexpr int LongestRead = 100;
    QByteArray code;
    BoardRecord rec;
};
std::optional<ModuleReply> parseModuleReply(const QByteArray &datagram);

// A dotted address as typed: exactly four parts, each non-empty and a whole
// number 0..255. `validParts` tells how many leading parts were good, so a
// caller can store those before reporting the bad one.
struct DottedParse {
    std::array<std::uint8_t, 4> parts{};
    int validParts = 0;
    bool ok() const { return validParts == 4; }
};
DottedParse parseDotted(const QString &text);

// "00:1A:2B:03:0C:FF" -> "001A2B030CFF".
QString macDigits(const QString &macText);

} // namespace nvx
