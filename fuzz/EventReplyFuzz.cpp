// A unit's reply to a read of events as the port hands it over: classified
// against the length the read expects (an event block, or one event for
// the key reading), then taken into the archive by the one intake every
// reading uses. Byte 0 chooses the read and the unit asked; the rest is
// the chunk.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "comm/Protocol.h"
#include "comm/ReplyClassification.h"

VARDEX_FUZZ_TARGET(EventReply)
{
    if (input.isEmpty())
        return;
    const quint8 how = quint8(input[0]);
    const quint16 expected = how & 0x80 ? vardex::OneEventLength : vardex::EventBlockLength;
    QByteArray chunk = input.mid(1);
    const vardex::ReplyClass verdict = vardex::classifyReply(chunk, expected);
    vardex::fuzz::site().app.db0.ZpracujBlokUdalostiAdresy(how & 0x7F, chunk, verdict);
}
