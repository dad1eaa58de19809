#pragma once
// Reads every field of a received telegram the way the telegram processor
// does, and checks what must hold for any telegram.

#include "fuzz_check.h"

#include "link/protocol.h"
#include "link/telegram.h"

namespace nvxfuzz {

inline void readReplyFields(const QString &telegram)
{
    const QString reply = nvx::toReplyString(telegram);
    FUZZ_CHECK(reply.size() == nvx::ReplyLength);
    (void)nvx::isStatusReply(reply);
    (void)nvx::isSupervisionMessage(reply);
    for (int pos = -1; pos <= nvx::ReplyLength + 2; ++pos)
        (void)nvx::charAt(reply, pos);
    const auto bytes = nvx::ParseReplyBytes(reply);
    FUZZ_CHECK(bytes[12] == 0);
    (void)nvx::isBaseIdReply(bytes[0], bytes[1]);
    (void)nvx::isLearnTelegram(bytes[5]);
    (void)nvx::rockerButtonFor(bytes[2]);
    FUZZ_CHECK(nvx::sensorKey(reply).size() == 10);
    FUZZ_CHECK(nvx::chars(reply, 9, 16).size() == 8);
    (void)nvx::orgKindCaption(nvx::chars(reply, 7, 8), QStringLiteral("rocker"));
}

} // namespace nvxfuzz
