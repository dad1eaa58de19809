// A datagram on the module configuration port (search and settings
// replies): the record it carries and everything the windows form from it.

#include "fuzz_check.h"

#include "network/boardrecord.h"
#include "network/boards.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using nvx::BoardRecord;
    // The socket reads no more than this of a datagram.
    const QByteArray datagram = nvxfuzz::bytes(data, size).left(nvx::ModuleReply::LongestRead);
    const auto reply = nvx::parseModuleReply(datagram);
    FUZZ_CHECK(reply.has_value() == (datagram.size() >= nvx::ModuleReply::ShortestReply));

    // Typed text meets the same address parser the record's fields go through.
    const nvx::DottedParse typed = nvx::parseDotted(QString::fromLatin1(datagram));
    FUZZ_CHECK(typed.validParts >= 0 && typed.validParts <= 4);
    if (!reply)
        return 0;

    const BoardRecord &rec = reply->rec;
    FUZZ_CHECK(reply->code == datagram.left(4));
    FUZZ_CHECK(rec.toBytes().left(datagram.size() - 4) == datagram.mid(4, BoardRecord::Size));
    FUZZ_CHECK(BoardRecord::fromBytes(rec.toBytes()) == rec);
    FUZZ_CHECK(rec.macText().size() == 17);
    FUZZ_CHECK(nvx::macDigits(rec.macText()).size() == 12);
    for (int offset : {BoardRecord::Ip, BoardRecord::Subnet, BoardRecord::Gateway, BoardRecord::ServerIp}) {
        // What the fields show is read back into the same bytes.
        BoardRecord copy;
        FUZZ_CHECK(copy.storeDotted(offset, rec.dotted(offset)));
        for (int i = 0; i < 4; ++i)
            FUZZ_CHECK(copy[offset + i] == rec[offset + i]);
    }
    for (int offset : {BoardRecord::Port, BoardRecord::ServerPort}) {
        const int port = rec.port(offset);
        FUZZ_CHECK(port >= 0 && port <= 65535);
        BoardRecord copy = rec;
        copy.setPort(offset, port);
        FUZZ_CHECK(copy == rec);
    }
    (void)rec.versionText();

    // A module answering twice is listed once; a confirmation replaces it.
    nvx::Boards boards;
    FUZZ_CHECK(boards.add(rec.macText(), rec));
    FUZZ_CHECK(!boards.add(rec.macText(), rec));
    FUZZ_CHECK(boards.replace(rec.macText(), rec));
    FUZZ_CHECK(boards.size() == 1 && boards.find(rec.macText()) == rec);
    return 0;
}
