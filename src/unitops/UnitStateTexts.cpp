#include "unitops/UnitStateTexts.h"

#include "comm/Protocol.h"
#include "text/HexText.h"

namespace vardex {

namespace {

// The channel blocks of types 8 and 9: four of 32 bytes.
constexpr int kChannelBlocks = 4;
constexpr int kChannelBlockSize = 32;

QString memoryText(quint8 code)
{
    const int kb = memorySizeKb(code);
    return kb == 0 ? QStringLiteral("žádná paměť") : QString::number(kb) + QStringLiteral(" kB");
}

// day.month.year hour:minute:second - day name; every BCD byte as it is sent.
QString clockText(const UnitClock &c)
{
    return byteToHex(c[3]) + QLatin1Char('.') + byteToHex(c[4]) + QLatin1Char('.') +
           byteToHex(c[6]) + QLatin1Char(' ') + byteToHex(c[2]) + QLatin1Char(':') +
           byteToHex(c[1]) + QLatin1Char(':') + byteToHex(c[0]) + QStringLiteral(" - ") +
           dayOfWeekName(c[5]);
}

QString systemParameters(const UnitState &s)
{
    QStringList parts;
    for (quint32 position : s.positions)
        parts.append(
            QStringLiteral("%1").arg(position & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper());
    parts.append(byteToHex(s.memoryFlag));
    return parts.join(QLatin1Char(' '));
}

// Byte 0, bytes 1–2 and 3–4 as 16-bit little-endian words, bytes 5 to 9.
QString channelLine(QByteArrayView block)
{
    const auto at = [&](int i) { return quint8(block[i]); };
    const auto word = [&](int i) {
        return QStringLiteral("%1").arg(at(i) | at(i + 1) << 8, 4, 16, QLatin1Char('0')).toUpper();
    };
    QStringList parts{byteToHex(at(0)), word(1), word(3)};
    for (int i = 5; i <= 9; ++i)
        parts.append(byteToHex(at(i)));
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString memoryOverflowText()
{
    return QStringLiteral("Přetečení paměti událostí!");
}

UnitStateTexts describeUnitState(QByteArrayView reply)
{
    const UnitState s = UnitState::fromBytes(reply);
    UnitStateTexts t;
    t.fields = {
        {QStringLiteral("Adresa"), byteToHex(s.address)},
        {QStringLiteral("Režim"), byteToHex(s.mode)},
        {QStringLiteral("Paměť"), memoryText(s.memorySizeCode)},
        {QStringLiteral("Alarm"), byteToHex(s.alarmMask)},
        {QStringLiteral("Relé"), byteToHex(s.relayMask)},
        {QStringLiteral("Čas jednotky"), clockText(s.clock)},
        {QStringLiteral("Typ jednotky"), unitTypeName(s.type) + unitModeName(s.type, s.mode)},
        {QStringLiteral("Stav jednotky"), unitStateName(s.state)},
        {QStringLiteral("Systémové parametry"), systemParameters(s)},
    };
    if (s.state == UnitStateCode::Locked) {
        const int waiting = s.waitingEvents();
        t.waitingEvents = waiting > 0 ? QStringLiteral("Počet nezpracovaných událostí: ") +
                                            QString::number(waiting)
                                      : QStringLiteral("Prázdný seznam událostí.");
    }
    t.memoryOverflow = s.memoryFlag != MemoryFlagFine;
    for (int i = 0; i < kChannelBlocks && s.channels.size() >= (i + 1) * kChannelBlockSize; ++i)
        t.channelLines.append(channelLine(
            QByteArrayView(s.channels).sliced(i * kChannelBlockSize, kChannelBlockSize)));
    return t;
}

QStringList UnitStateTexts::lines() const
{
    QStringList out;
    for (const Field &f : fields)
        out.append(f.label + QStringLiteral(": ") + f.value);
    if (!waitingEvents.isEmpty())
        out.append(waitingEvents);
    if (memoryOverflow)
        out.append(memoryOverflowText());
    if (!channelLines.isEmpty()) {
        out.append(QStringLiteral("Parametry jednotky:"));
        for (const QString &line : channelLines)
            out.append(QStringLiteral("  ") + line);
    }
    return out;
}

} // namespace vardex
