// The TCP telegram stream: chunks as reads deliver them, the telegrams cut
// from them and every field the telegram processor reads.

#include "fuzz_check.h"
#include "reply_fields.h"

#include "link/telegramstream.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    nvx::TelegramStream stream;
    QByteArray sent;
    QString received;
    while (input.remaining_bytes() > 0) {
        const QByteArray chunk = QByteArray::fromStdString(input.ConsumeRandomLengthString(200));
        sent += chunk;
        for (const QString &telegram : stream.feed(chunk)) {
            FUZZ_CHECK(telegram.size() == nvx::TelegramStream::TelegramLength);
            received += telegram;
            nvxfuzz::readReplyFields(telegram);
        }
    }
    // Nothing lost, nothing doubled, nothing reordered.
    FUZZ_CHECK(received + QString::fromLatin1(stream.rest()) == QString::fromLatin1(sent));
    return 0;
}
