// A datagram on the telegram port: the telegram it becomes and every field
// the telegram processor reads from it.

#include "fuzz_check.h"
#include "reply_fields.h"

#include "link/protocol.h"
#include "link/telegramstream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram = nvxfuzz::bytes(data, size);
    const auto telegram = nvx::datagramTelegram(datagram);
    qsizetype sync = -1;
    for (qsizetype i = 0; i < datagram.size() && sync < 0; ++i)
        if (nvx::syncAt(datagram, i))
            sync = i;
    // A datagram is a telegram from its first sync on, at most 28 characters.
    FUZZ_CHECK(telegram.has_value() == (sync >= 0));
    if (!telegram)
        return 0;
    FUZZ_CHECK(*telegram == QString::fromLatin1(datagram.mid(sync, nvx::ReplyLength)));
    nvxfuzz::readReplyFields(nvx::toReplyString(*telegram));
    return 0;
}
