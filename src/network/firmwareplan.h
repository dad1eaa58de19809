#pragma once
// How a firmware file goes over the wire to the receiver's module: its
// length first (four bytes, most significant first), then the file in
// chunks of 1024 bytes with fixed pauses the module needs to store each one.

#include <QByteArray>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace nvx {

namespace firmware {
constexpr quint16 StartPort = 1460;        // the start request goes to the module configuration port
constexpr quint16 TransferPort = 1470;
constexpr int ChunkSize = 1024;
constexpr int PauseAfterStartRequestMs = 500;
constexpr int PauseAfterPrefixMs = 300;
constexpr int PauseBeforeChunkMs = 500;
constexpr int CloseAfterLastChunkMs = 3000;
// A connection attempt that gets no answer is given up after this long.
constexpr int ConnectTimeoutMs = 10000;
// A module that acknowledges no byte for this long while bytes wait for it
// has stopped, during the chunks as after the last one. A module that
// stores the file slowly lets its receive window close, and its kernel then
// takes bytes only when the sender probes the window, at intervals that grow
// to several seconds; a resent segment comes in well under it as well.
constexpr int StallTimeoutMs = 30000;
// The slowest pace a module may take the file at: beyond StallTimeoutMs,
// a module is given the time its bytes need at this pace and no more, so
// that one acknowledging a byte now and then does not keep the window open
// for hours.
constexpr int SlowestBytesPerSecond = 512;

// The longest the acknowledgement of `bytes` may take.
constexpr qint64 acknowledgementBoundMs(qint64 bytes)
{
    return StallTimeoutMs + bytes * 1000 / SlowestBytesPerSecond;
}
} // namespace firmware

// One send of the transfer: what goes out after waiting `pauseBeforeMs` since
// the step before it. The prefix step carries the file length; a chunk step
// names its bytes in the file; the end step sends nothing and only marks when
// the transfer is over.
struct FirmwareStep {
    enum Kind { Prefix, Chunk, End };
    Kind kind = End;
    int pauseBeforeMs = 0;
    qint64 offset = 0;
    qint64 size = 0;
    bool operator==(const FirmwareStep &) const = default;
};

// The length prefix; none for a length the four bytes cannot hold.
std::optional<QByteArray> firmwareLengthPrefix(qint64 length);

// Every step for a file of `length` bytes, in order: the prefix, the chunks
// (the first after the prefix's pause and its own), the end. Empty for a
// length the prefix cannot hold.
std::vector<FirmwareStep> firmwareTransferPlan(qint64 length);

} // namespace nvx
