#pragma once

#include <QByteArray>

namespace vardex {

// The status codes the port itself gives an exchange.
namespace ResComCode {
constexpr int NoAnswer = 0x01;    // time-out
constexpr int Accepted = 0xAA;    // a data reply with a good checksum
constexpr int BadChecksum = 0xC0; // a data reply with a wrong checksum, or cut short
} // namespace ResComCode

// How a received chunk ends an exchange.
struct ReplyClass
{
    int resCom = 0;
    // The data reply arrived whole and right: a good checksum and exactly
    // E+1 bytes. Only such a reply may be acknowledged with 0xAA; a longer
    // chunk (a good reply with line noise behind it) is read again.
    bool acknowledge = false;
    // A data reply was expected and its checksum failed (or it was cut short);
    // the unit's own one-byte 0xC0 status leaves this false.
    bool checksumFailed = false;
};

// Classifies a chunk against the expected reply length E of the last request.
// E of 0 or 1: the first byte is the unit's status. E of 2 or more: bytes 0 to
// E-1 are summed modulo 256 and compared with byte E, which is then set to 0;
// a chunk longer than E+1 keeps ResCom 0xAA for a good sum but is never to be
// acknowledged.
// A chunk shorter than E+1 is never read past its end: a single byte is the
// unit's status (a unit refusing a data command answers with one); a longer
// one is a cut-short reply and counts as a wrong checksum.
ReplyClass classifyReply(QByteArray &chunk, quint16 expectedLength);

} // namespace vardex
