#include "comm/ReplyClassification.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

// E data bytes 1, 2, 3, ... followed by their sum (plus `skew`).
QByteArray dataReply(int length, int skew = 0)
{
    QByteArray bytes;
    quint8 sum = 0;
    for (int i = 0; i < length; ++i) {
        bytes.append(char(i + 1));
        sum = quint8(sum + i + 1);
    }
    bytes.append(char(quint8(sum + skew)));
    return bytes;
}

TEST(ReplyClassification, ClassifiesByExpectedLength)
{
    const struct
    {
        const char *name;
        QByteArray chunk;
        quint16 expected;
        int resCom;
        bool ack;
        bool checksumFailed;
        qsizetype zeroedAt; // -1: nothing overwritten
    } cases[] = {
        {"status", QByteArray("\xaa", 1), 1, 0xAA, false, false, -1},
        {"unitNotAdmissible", QByteArray("\xc0", 1), 1, 0xC0, false, false, -1},
        {"statusWhenLengthUnknown", QByteArray("\x80\x01", 2), 0, 0x80, false, false, -1},
        {"goodBlock", dataReply(260), 260, 0xAA, true, false, 260},
        {"goodOneEvent", dataReply(16), 16, 0xAA, true, false, 16},
        {"badChecksum", dataReply(16, 1), 16, 0xC0, false, true, 16},
        // Line noise behind a good reply: never acknowledged, read again.
        {"longerThanExpected", dataReply(16) + "xyz", 16, 0xAA, false, false, 16},
        {"unitRefusesDataCommand", QByteArray("\x90", 1), 260, 0x90, false, false, -1},
        {"cutShort", dataReply(16).left(10), 16, 0xC0, false, true, -1},
        {"oneShortOfChecksum", dataReply(16).left(16), 16, 0xC0, false, true, -1},
    };
    for (const auto &c : cases) {
        QByteArray chunk = c.chunk;
        const ReplyClass reply = classifyReply(chunk, c.expected);
        EXPECT_EQ(reply.resCom, c.resCom) << c.name;
        EXPECT_EQ(reply.acknowledge, c.ack) << c.name;
        EXPECT_EQ(reply.checksumFailed, c.checksumFailed) << c.name;
        QByteArray expectedChunk = c.chunk;
        if (c.zeroedAt >= 0)
            expectedChunk[c.zeroedAt] = '\0';
        EXPECT_EQ(chunk, expectedChunk) << c.name;
    }
}

} // namespace
} // namespace vardex
