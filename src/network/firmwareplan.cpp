#include "network/firmwareplan.h"

namespace nvx {

std::optional<QByteArray> firmwareLengthPrefix(qint64 length)
{
    if (length < 0 || length > qint64(0xFFFFFFFF))
        return std::nullopt;
    const auto l = static_cast<quint32>(length);
    QByteArray prefix(4, '\0');
    prefix[0] = char((l >> 24) & 0xFF);
    prefix[1] = char((l >> 16) & 0xFF);
    prefix[2] = char((l >> 8) & 0xFF);
    prefix[3] = char(l & 0xFF);
    return prefix;
}

std::vector<FirmwareStep> firmwareTransferPlan(qint64 length)
{
    if (!firmwareLengthPrefix(length))
        return {};
    std::vector<FirmwareStep> plan;
    plan.reserve(std::size_t(length / firmware::ChunkSize + 3));
    plan.push_back({FirmwareStep::Prefix, 0, 0, 4});
    // The pause after the prefix runs before the first chunk's own pause; with
    // no chunk it still comes before the end.
    int pending = firmware::PauseAfterPrefixMs;
    for (qint64 offset = 0; offset < length; offset += firmware::ChunkSize) {
        const qint64 size = qMin<qint64>(firmware::ChunkSize, length - offset);
        plan.push_back({FirmwareStep::Chunk, pending + firmware::PauseBeforeChunkMs, offset, size});
        pending = 0;
    }
    plan.push_back({FirmwareStep::End, pending, length, 0});
    return plan;
}

} // namespace nvx
