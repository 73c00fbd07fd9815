// The port's classification of a received chunk against the expected
// reply length (bytes 0–1): it must never read past the chunk, and only a
// whole reply with a good sum may be acknowledged.
#include "FuzzTarget.h"

#include "comm/ReplyClassification.h"

#include <cstdlib>

VARDEX_FUZZ_TARGET(ReplyClass)
{
    if (input.size() < 2)
        return;
    const quint16 expected = quint16(quint8(input[0]) | quint8(input[1]) << 8) % 300;
    QByteArray chunk = input.mid(2);
    const vardex::ReplyClass c = vardex::classifyReply(chunk, expected);
    if (c.acknowledge &&
        (c.resCom != vardex::ResComCode::Accepted || chunk.size() != qsizetype(expected) + 1))
        std::abort();
}
