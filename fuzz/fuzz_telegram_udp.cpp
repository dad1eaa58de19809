// A datagram on the telegram port: the telegram it becomes and every field
// the telegram processor reads from it.

#include "fuzz_check.h"
#include "reply_fields.h"

#include "link/protocol.h"
#include "link/telegram.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram = nvxfuzz::bytes(data, size);
    const QString telegram = nvx::telegramFromDatagram(datagram);
    // Always one whole telegram: the datagram's first characters, blanks after.
    FUZZ_CHECK(telegram.size() == nvx::ReplyLength);
    const qsizetype kept = std::min<qsizetype>(datagram.size(), nvx::ReplyLength);
    FUZZ_CHECK(telegram.left(kept) == QString::fromLatin1(datagram.left(kept)));
    FUZZ_CHECK(telegram.mid(kept).count(QLatin1Char(' ')) == nvx::ReplyLength - kept);
    nvxfuzz::readReplyFields(telegram);
    return 0;
}
