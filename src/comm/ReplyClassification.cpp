#include "comm/ReplyClassification.h"

namespace vardex {

ReplyClass classifyReply(QByteArray &chunk, quint16 expectedLength)
{
    if (chunk.isEmpty())
        return {ResComCode::NoAnswer, false, false};
    if (expectedLength <= 1 || chunk.size() == 1)
        return {static_cast<quint8>(chunk.at(0)), false, false};
    if (chunk.size() < qsizetype(expectedLength) + 1)
        return {ResComCode::BadChecksum, false, true};

    quint8 sum = 0;
    for (qsizetype i = 0; i < expectedLength; ++i)
        sum = static_cast<quint8>(sum + static_cast<quint8>(chunk.at(i)));
    const bool good = sum == static_cast<quint8>(chunk.at(expectedLength));
    chunk[expectedLength] = '\0';
    if (good)
        return {ResComCode::Accepted, chunk.size() == qsizetype(expectedLength) + 1, false};
    return {ResComCode::BadChecksum, false, true};
}

} // namespace vardex
