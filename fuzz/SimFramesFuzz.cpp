// The bytes a simulated line hears, arriving in pieces: the frame
// assembler cuts them into frames, and two units (an access unit and an
// expander, one configured) answer what they are sent, as the simulator's
// line does. Each piece is one byte telling its length (low half) and
// whether the line then goes quiet (high bit), then its bytes.
#include "FuzzTarget.h"

#include "sim/FrameAssembler.h"
#include "sim/SimUnit.h"

#include <QDateTime>

#include <map>

using namespace vardex::sim;

VARDEX_FUZZ_TARGET(SimFrames)
{
    std::map<quint8, SimUnit> units;
    units.emplace(0x05, SimUnit(UnitSetup{0x05}));
    units.emplace(0x06,
                  SimUnit(UnitSetup{0x06, 3, std::nullopt, vardex::UnitStateCode::Configured}));
    FrameAssembler line([&](quint8 a) { return units.count(a) > 0; });
    const QDateTime now(QDate(2027, 1, 5), QTime(8, 0));
    SimUnit *waiting = nullptr; // the unit whose data reply waits for 0xAA
    qint64 us = 0;
    for (qsizetype at = 0; at < input.size();) {
        const quint8 head = quint8(input[at++]);
        const QByteArrayView piece = QByteArrayView(input).sliced(at).first(
            std::min<qsizetype>(head & 0x0F, input.size() - at));
        at += piece.size();
        us += head & 0x80 ? 300000 : 1000;
        line.feed(piece, us);
        if (line.isStale(us, 200000))
            line.skipByte();
        while (std::optional<FrameAssembler::Item> item = line.next()) {
            SimUnit *previous = std::exchange(waiting, nullptr);
            if (item->kind == FrameAssembler::Item::Acknowledge) {
                if (previous)
                    previous->acknowledge();
                continue;
            }
            if (previous)
                previous->forgetPendingAck();
            const auto unit = units.find(quint8(item->bytes[0]));
            if (unit == units.end() || item->kind == FrameAssembler::Item::BadChecksum)
                continue;
            const int l = quint8(item->bytes[1]);
            if (unit->second
                    .handle(quint8(item->bytes[2]), QByteArrayView(item->bytes).sliced(3, l - 3),
                            now)
                    .isData) {
                waiting = &unit->second;
                line.expectAcknowledge(true);
            }
        }
    }
}
