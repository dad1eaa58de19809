// The per-receiver description file: reading any bytes, and writing texts
// as the windows hand them over and reading them back.

#include "fuzz_check.h"

#include "sensors/cp1252.h"
#include "sensors/descriptionfile.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool same(const nvx::Descriptions &a, const nvx::Descriptions &b)
{
    return a.receiver == b.receiver && a.channels == b.channels;
}

QString text(FuzzedDataProvider &input)
{
    return nvx::fromCp1252(QByteArray::fromStdString(input.ConsumeRandomLengthString(300)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const nvx::Descriptions read = nvx::parseDescriptionFile(nvxfuzz::bytes(data, size));
    FUZZ_CHECK(same(nvx::parseDescriptionFile(nvx::formatDescriptionFile(read)), read));

    // The channel description fields take no ";"; line breaks are stored
    // as blanks.
    FuzzedDataProvider input(data, size);
    nvx::Descriptions written;
    written.receiver = text(input);
    for (QString &channel : written.channels)
        channel = text(input).remove(QLatin1Char(';'));
    nvx::Descriptions expected = written;
    expected.receiver.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (QString &channel : expected.channels)
        channel.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    FUZZ_CHECK(same(nvx::parseDescriptionFile(nvx::formatDescriptionFile(written)), expected));
    return 0;
}
