#pragma once

#include "sim/SimUnit.h"

#include <QList>
#include <QString>

#include <optional>

namespace vardex::sim {

// What a unit does wrong on purpose, until told otherwise.
enum class Fault {
    None,
    Silent,        // no answer at all
    BadChecksum,   // a data reply whose checksum is off by one
    SplitReply,    // the reply in two parts with a pause between
    OtherAddress,  // a data reply carrying the address one above the unit's
    Garbage,       // three noise bytes before the reply
    TrailingNoise, // three noise bytes right after the reply, without a pause
    Truncated,     // a data reply that stops halfway
    LateReply,     // the reply goes out only once the PC has sent its next frame
};

// "none", "silent", "checksum", "split", "address", "garbage", "noise",
// "truncate", "late".
std::optional<Fault> faultFromName(const QString &name);

// A line of the simulator: its units with their permissions and waiting
// events, the holders' keys the traffic generator presents, faults to start
// with, the traffic period and pacing. Read from the text format described
// in sim/README.md.
struct SimConfig
{
    struct PermitLine
    {
        quint8 address;
        Permission permission;
    };
    struct EventLine
    {
        quint8 address;
        EventSlot event;
    };
    struct FaultLine
    {
        quint8 address;
        Fault fault;
    };

    QList<UnitSetup> units;
    QList<PermitLine> permits;
    QList<EventLine> events;
    QList<KeyBytes> holders;
    QList<FaultLine> faults;
    int trafficPeriodMs = 0;
    quint32 seed = 1;
    bool pace = false;

    // On failure `error` names the line and what is wrong with it.
    static std::optional<SimConfig> parse(const QString &text, QString *error);
    static std::optional<SimConfig> load(const QString &path, QString *error);
};

// A command typed to the running simulator program.
struct SimCommand
{
    enum Kind { Key, Input, SetFault, Quit } kind = Quit;
    quint8 address = 0;
    int index = 0; // reader or input
    KeyBytes key{};
    quint8 inputState = 0;
    Fault fault = Fault::None;
    int count = -1;

    // "key ADDR READER KEY", "input ADDR INPUT STATE",
    // "fault ADDR NAME [COUNT]", "quit".
    static std::optional<SimCommand> parse(const QString &line, QString *error);
};

} // namespace vardex::sim
