// The address file: importing any bytes, and an export read back by the
// import gives the description and the whole table as written.

#include "fuzz_check.h"

#include "sensors/addressfile.h"
#include "sensors/cp1252.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// A text as it can stand in a file of this code page. Line breaks are
// written as blanks; the table's fields hold no ";" (the description field
// takes none, the captions are telegram text).
QString text(FuzzedDataProvider &input, bool field)
{
    QString t = nvx::fromCp1252(QByteArray::fromStdString(input.ConsumeRandomLengthString(250)));
    if (field)
        t.remove(QLatin1Char(';'));
    return t;
}

QString oneLine(QString t)
{
    return t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const nvx::AddressImport any = nvx::parseAddressFile(nvxfuzz::bytes(data, size));
    FUZZ_CHECK(!any.description || any.description->size() <= nvx::AddressDescriptionMax);

    FuzzedDataProvider input(data, size);
    nvx::AddressExport out;
    out.board = nvx::BoardRecord::fromBytes(QByteArray::fromStdString(input.ConsumeBytesAsString(45)));
    out.mac = input.ConsumeBool() ? out.board.macText() : QString();
    out.description = text(input, false);
    out.channelLine = QStringLiteral("Kanal;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25;26;27;28;29;30;");
    out.descriptionLabel = QStringLiteral("Bezeichnung;");
    out.addressLabel = QStringLiteral("Adresse;");
    out.orgNumberLabel = QStringLiteral("ORG-Nummer;");
    for (auto *column : {&out.table.descriptions, &out.table.systemIds, &out.table.orgBytes, &out.table.orgNumbers})
        for (QString &field : *column)
            field = text(input, true);

    const nvx::AddressImport in = nvx::parseAddressFile(nvx::formatAddressFile(out));
    FUZZ_CHECK(in.accepted);
    FUZZ_CHECK(in.description == oneLine(out.description).left(nvx::AddressDescriptionMax));
    for (std::size_t k = 0; k < 30; ++k) {
        FUZZ_CHECK(in.descriptions[k] == oneLine(out.table.descriptions[k]));
        FUZZ_CHECK(in.systemIds[k] == oneLine(out.table.systemIds[k]));
        FUZZ_CHECK(in.orgBytes[k] == oneLine(out.table.orgBytes[k]));
        FUZZ_CHECK(in.orgNumbers[k] == oneLine(out.table.orgNumbers[k]));
    }
    return 0;
}
