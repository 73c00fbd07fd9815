#include "comm/Protocol.h"

#include "text/Bcd.h"
#include "timecal/Calendar.h"

#include <algorithm>

namespace vardex {

namespace {

constexpr std::array<CommandInfo, CommandCount> kCommands{{
    {0x80, 19, 1, "Základní nastavení hardwarové jednotky"},
    {0x81, 16, 1, "Oprávnění pro klíč s duplicitním časem"},
    {0x82, 11, 1, "Zákaz oprávnění pro klíč"},
    {0x83, 10, 1, "Nastavení času hardwarové jednotky"},
    {0x84, 3, 260, "Čtení bloku událostí"},
    {0x85, 3, 1, "Nulování hardwarové jednotky"},
    {0x86, 3, 1, "Uzamčení hardwarové jednotky"},
    {0x87, 16, 1, "Oprávnění pro klíč bez duplicit"},
    {0x88, 3, 260, "Čtení bloku paměti hardwarové jednotky"},
    {0x89, 12, 1, "Zápis salda pro klíč"},
    {0x8A, 3, 260, "Čtení stavu hardwarové jednotky"},
    {0x8B, 4, 1, "Nastavení masky relé [docházková]"},
    {0x8C, 4, 1, "Nastavení masky poplachu"},
    {0x8D, 3, 1, "Na počátek paměti hardwarové jednotky"},
    {0x8E, 3, 16, "Čtení jedné události"},
    {0x8F, 11, 1, "Nastavení dočasného zákazu pro klíč"},
    {0x90, 11, 1, "Zrušení dočasného zákazu pro klíč"},
    {0xB0, 8, 1, "Nastavení časového okna [timer]"},
    {0xB1, 16, 1, "Oprávnění pro klíč [timer]"},
}};

struct StatusRow
{
    quint8 code;
    const char *text;
};

// The first matching row gives the text.
constexpr StatusRow kStatuses[] = {
    {0x01, "Žádná odpověď"},
    {0x02, "chyba: $02"},
    {0x04, "chyba: $04"},
    {0x08, "chyba: $08"},
    {0xAA, "akceptováno"},
    {0xB0, "chyba: CRC"},
    {0x0B, "chyba: kontext povelu"},
    {0x80, "chyba: neznámý povel"},
    {0x90, "chyba: uzamčeno"},
    {0x70, "chyba: neprázdný seznam událostí"},
    {0xA0, "chyba: nelze"},
    {0xC0, "chyba: nepřípustné"},
};

quint8 byteAt(QByteArrayView bytes, qsizetype i)
{
    return i < bytes.size() ? quint8(bytes[i]) : 0;
}

quint32 read24(QByteArrayView bytes, qsizetype at)
{
    return quint32(byteAt(bytes, at)) | quint32(byteAt(bytes, at + 1)) << 8 |
           quint32(byteAt(bytes, at + 2)) << 16;
}

void write24(QByteArray &bytes, qsizetype at, quint32 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8 & 0xFF);
    bytes[at + 2] = char(value >> 16 & 0xFF);
}

void writeKey(QByteArray &bytes, qsizetype at, const KeyBytes &key)
{
    for (int i = 0; i < 7; ++i)
        bytes[at + i] = char(key[i]);
}

KeyBytes readKey(QByteArrayView bytes, qsizetype at)
{
    KeyBytes key{};
    for (int i = 0; i < 7; ++i)
        key[i] = byteAt(bytes, at + i);
    return key;
}

} // namespace

const std::array<CommandInfo, CommandCount> &commandTable()
{
    return kCommands;
}

const CommandInfo *findCommand(quint8 code)
{
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [code](const CommandInfo &c) { return c.code == code; });
    return it == kCommands.end() ? nullptr : &*it;
}

quint16 replyLengthOf(quint8 code)
{
    const CommandInfo *c = findCommand(code);
    return c ? c->replyLength : 0;
}

bool replyHandsOutData(quint8 code)
{
    return code == Cmd::PrectiUdalosti || code == Cmd::PrectiPamet ||
           code == Cmd::PrectiJednuUdalost;
}

quint8 frameLengthOf(quint8 code)
{
    const CommandInfo *c = findCommand(code);
    return c ? c->frameLength : 0;
}

QString commandName(quint8 code)
{
    const CommandInfo *c = findCommand(code);
    return c ? QString::fromUtf8(c->name) : QString();
}

quint8 checksum(QByteArrayView bytes)
{
    quint8 sum = 0;
    for (char b : bytes)
        sum = quint8(sum + quint8(b));
    return sum;
}

QByteArray buildFrame(quint8 address, quint8 code, QByteArrayView data)
{
    const quint8 l = frameLengthOf(code);
    if (l == 0)
        return {};
    QByteArray frame(l + 1, '\0');
    frame[0] = char(address);
    frame[1] = char(l);
    frame[2] = char(code);
    const qsizetype n = std::min<qsizetype>(data.size(), l - 3);
    for (qsizetype i = 0; i < n; ++i)
        frame[3 + i] = data[i];
    frame[l] = char(checksum(QByteArrayView(frame).first(l)));
    return frame;
}

QString statusText(quint8 status)
{
    for (const StatusRow &row : kStatuses)
        if (row.code == status)
            return QString::fromUtf8(row.text);
    return QStringLiteral("???");
}

QString rxCrcErrorText()
{
    return QStringLiteral("chyba Rx-CRC");
}

UnitClock encodeClock(const QDateTime &at)
{
    const QDate d = at.date();
    const QTime t = at.time();
    const int dow = WeekdayFromSunday(Date{d.year(), d.month(), d.day()});
    return {encodeBcd(t.second()),    encodeBcd(t.minute()), encodeBcd(t.hour()),
            encodeBcd(d.day()),       encodeBcd(d.month()),  quint8(dow < 0 ? 0 : dow),
            encodeBcd(d.year() % 100)};
}

std::optional<QDateTime> decodeClock(const UnitClock &clock)
{
    const int second = decodeBcd(clock[0]);
    const int minute = decodeBcd(clock[1]);
    const int hour = decodeBcd(clock[2]);
    const int day = decodeBcd(clock[3]);
    const int month = decodeBcd(clock[4]);
    const int year = decodeBcd(clock[6]);
    if (second > 59 || minute > 59 || hour > 23 || year > 99)
        return std::nullopt;
    const QDate date(2000 + year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return QDateTime(date, QTime(hour, minute, second));
}

QString dayOfWeekName(int fromSunday)
{
    static const char *const names[] = {"neděle",  "pondělí", "úterý", "středa",
                                        "čtvrtek", "pátek",   "sobota"};
    return fromSunday >= 0 && fromSunday < 7 ? QString::fromUtf8(names[fromSunday]) : QString();
}

QString dayMaskText(quint8 mask)
{
    static const char *const names[] = {"Po ", "Út ", "St ", "Čt ", "Pá ", "So ", "Ne "};
    QString text;
    for (int i = 0; i < 7; ++i)
        if (mask & (0x40 >> i))
            text += QString::fromUtf8(names[i]);
    return text;
}

quint8 dayMaskBit(int fromSunday)
{
    if (fromSunday < 0 || fromSunday > 6)
        return 0;
    return fromSunday == 0 ? 0x01 : quint8(0x80 >> fromSunday);
}

QByteArray PermissionRecord::toBytes() const
{
    QByteArray b(PermissionRecordSize, '\0');
    writeKey(b, 0, key);
    b[7] = char(windowStart & 0xFF);
    b[8] = char(windowStart >> 8);
    b[9] = char(windowEnd & 0xFF);
    b[10] = char(windowEnd >> 8);
    b[11] = char(dayMask);
    b[12] = char(address);
    b[13] = char(attribute);
    return b;
}

PermissionRecord PermissionRecord::fromBytes(QByteArrayView bytes)
{
    PermissionRecord r;
    r.key = readKey(bytes, 0);
    r.windowStart = quint16(byteAt(bytes, 7) | byteAt(bytes, 8) << 8);
    r.windowEnd = quint16(byteAt(bytes, 9) | byteAt(bytes, 10) << 8);
    r.dayMask = byteAt(bytes, 11);
    r.address = byteAt(bytes, 12);
    r.attribute = byteAt(bytes, 13);
    return r;
}

quint8 SekceJednotkyPodleTypu(quint8 type, quint8 attribute)
{
    switch (type) {
    case 1:
    case 2:
        return 0;
    case 3:
    case 8:
        return attribute & 0x0F;
    case 4:
    case 9:
        return attribute & 0x03;
    default:
        return 255;
    }
}

QByteArray EventSlot::toBytes() const
{
    QByteArray b(EventSlotSize, '\0');
    writeKey(b, 0, key);
    b[7] = char(minute);
    b[8] = char(hour);
    b[9] = char(day);
    b[10] = char(month);
    b[11] = char(result);
    return b;
}

EventSlot EventSlot::fromBytes(QByteArrayView bytes)
{
    EventSlot e;
    e.key = readKey(bytes, 0);
    e.minute = byteAt(bytes, 7);
    e.hour = byteAt(bytes, 8);
    e.day = byteAt(bytes, 9);
    e.month = byteAt(bytes, 10);
    e.result = byteAt(bytes, 11);
    return e;
}

bool EventSlot::isEmpty() const
{
    return isEmptyKey(key) && minute == 0 && hour == 0 && day == 0 && month == 0 && result == 0;
}

EventSlot makeEventSlot(const KeyBytes &key, const QDateTime &at, quint8 result)
{
    EventSlot e;
    e.key = key;
    e.minute = encodeBcd(at.time().minute());
    e.hour = encodeBcd(at.time().hour());
    e.day = encodeBcd(at.date().day());
    e.month = encodeBcd(at.date().month());
    e.result = result;
    return e;
}

QByteArray encodeEventBlock(quint8 address, quint32 value, const QList<EventSlot> &events)
{
    QByteArray b(EventBlockLength, '\0');
    b[0] = char(address);
    write24(b, 1, value);
    const int n = std::min<int>(int(events.size()), EventSlotsPerBlock);
    for (int i = 0; i < n; ++i)
        b.replace(eventSlotOffset(i + 1), EventSlotSize, events[i].toBytes());
    return b;
}

QList<EventSlot> eventsInBlock(QByteArrayView block)
{
    QList<EventSlot> events;
    for (int n = 1; n <= EventSlotsPerBlock; ++n) {
        const int at = eventSlotOffset(n);
        if (at + EventSlotSize > block.size())
            break;
        const EventSlot e = EventSlot::fromBytes(block.sliced(at, EventSlotSize));
        if (e.isEmpty())
            break;
        events.append(e);
    }
    return events;
}

quint32 blockValue(QByteArrayView reply)
{
    return read24(reply, 1);
}

QByteArray encodeOneEvent(quint8 address, quint32 value, const EventSlot &event)
{
    return encodeEventBlock(address, value, {event}).left(OneEventLength);
}

QByteArray UnitState::toBytes() const
{
    QByteArray b(UnitStateLength, '\0');
    b[0] = char(address);
    b[1] = char(type);
    b[2] = char(state);
    b[3] = char(mode);
    b[4] = char(memorySizeCode);
    b[5] = char(alarmMask);
    b[6] = char(relayMask);
    for (int i = 0; i < 5; ++i)
        write24(b, 7 + 3 * i, positions[i] & 0xFFFFFF);
    b[22] = char(memoryFlag);
    for (int i = 0; i < 7; ++i)
        b[23 + i] = char(clock[i]);
    b.replace(30, std::min<qsizetype>(channels.size(), 128), channels.left(128));
    return b;
}

UnitState UnitState::fromBytes(QByteArrayView reply)
{
    UnitState s;
    s.address = byteAt(reply, 0);
    s.type = byteAt(reply, 1);
    s.state = byteAt(reply, 2);
    s.mode = byteAt(reply, 3);
    s.memorySizeCode = byteAt(reply, 4);
    s.alarmMask = byteAt(reply, 5);
    s.relayMask = byteAt(reply, 6);
    for (int i = 0; i < 5; ++i)
        s.positions[i] = read24(reply, 7 + 3 * i);
    s.memoryFlag = byteAt(reply, 22);
    for (int i = 0; i < 7; ++i)
        s.clock[i] = byteAt(reply, 23 + i);
    if (s.type == 8 || s.type == 9) {
        s.channels = QByteArray(128, '\0');
        for (int i = 0; i < 128; ++i)
            s.channels[i] = char(byteAt(reply, 30 + i));
    }
    return s;
}

int UnitState::waitingEvents() const
{
    return int(((positions[0] - positions[3]) & 0xFFFFFF) / EventSlotSize);
}

QString unitTypeName(quint8 type)
{
    switch (type) {
    case 1:
        return QStringLiteral("KVR-8");
    case 2:
        return QStringLiteral("KVR-EXP");
    case 3:
        return QStringLiteral("KVR-ZAV");
    case 8:
        return QStringLiteral("KVR-EXP-T");
    case 9:
        return QStringLiteral("KVR-ZAV-T");
    default:
        return QStringLiteral("?");
    }
}

QString unitStateName(quint8 state)
{
    switch (state) {
    case UnitStateCode::NotConfigured:
        return QStringLiteral("není konfigurována");
    case UnitStateCode::Zeroed:
        return QStringLiteral("vynulována");
    case UnitStateCode::Locked:
        return QStringLiteral("uzamčena");
    case UnitStateCode::Configured:
        return QStringLiteral("konfigurována");
    default:
        return QStringLiteral("?");
    }
}

QString unitModeName(quint8 type, quint8 mode)
{
    if (type != 1)
        return {};
    switch (mode & 0x0F) {
    case 1:
        return QStringLiteral(" přístupová");
    case 2:
        return QStringLiteral(" docházková");
    default:
        return QStringLiteral(" neznámý mód!");
    }
}

int memorySizeKb(quint8 code)
{
    return code == 255 ? 0 : (code + 1) * 32;
}

} // namespace vardex
