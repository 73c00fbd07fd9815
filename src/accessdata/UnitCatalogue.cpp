#include "accessdata/UnitCatalogue.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "tables/Table.h"
#include "text/HexText.h"

#include <vector>

namespace vardex {

namespace {

struct TypeName
{
    quint8 code;
    const char16_t *name;
};

const TypeName kTypeNames[] = {
    {UnitType::Unknown, u"neznámý typ"},    {UnitType::Access, u"přístupová "},
    {UnitType::Attendance, u"docházková "}, {UnitType::Expander, u"expander   "},
    {UnitType::Barrier, u"závorová   "},    {UnitType::ExpanderT, u"expander T "},
    {UnitType::BarrierT, u"závorová T "},
};

const char16_t *const kDoorNames[16] = {
    u"Dveře 0 / příchod", u"Dveře 0 / odchod", u"Dveře 1 / příchod", u"Dveře 1 / odchod",
    u"Dveře 2 / příchod", u"Dveře 2 / odchod", u"Dveře 3 / příchod", u"Dveře 3 / odchod",
    u"Dveře 0",           u"Dveře 1",          u"Dveře 2",           u"Dveře 3",
    u"* NEOBSAZENO (4)",  u"* NEOBSAZENO (5)", u"* NEOBSAZENO (6)",  u"* NEOBSAZENO (7)",
};

const char16_t *const kAttendanceNames[16] = {
    u"Příchod",          u"Odchod služebně",  u"Odchod k lékaři",  u"Odchod na oběd",
    u"Odchod",           u"* NEOBSAZENO (5)", u"* ZRUŠIT *",       u"* SALDO *",
    u"Dveře 0",          u"* NEOBSAZENO (1)", u"* NEOBSAZENO (2)", u"* NEOBSAZENO (3)",
    u"* NEOBSAZENO (4)", u"* NEOBSAZENO (5)", u"* NEOBSAZENO (6)", u"* NEOBSAZENO (7)",
};

const char16_t *const kBarrierNames[16] = {
    u"Příjezd závora 0",  u"Odjezd závora 0 ",  u"Příjezd závora 1",  u"Odjezd závora 1 ",
    u"* NEOBSAZENO (4) ", u"* NEOBSAZENO (5) ", u"* NEOBSAZENO (6) ", u"* NEOBSAZENO (7) ",
    u"Závora 0 ",         u"Závora 1 ",         u"Manual-závora 0 ",  u"Manual-závora 1 ",
    u"Infrabariéra 0  ",  u"Infrabariéra 1  ",  u"* NEOBSAZENO (6)",  u"* NEOBSAZENO (7) ",
};

// The configuration block a new unit of the type starts with.
QString defaultKonfig(quint8 type)
{
    switch (type) {
    case UnitType::Access:
        return QStringLiteral("51000000000000000000000000000000");
    case UnitType::Attendance:
        return QStringLiteral("12000000000000000000000000000000");
    case UnitType::Expander:
        return QStringLiteral("01010101010101010100000000000000");
    case UnitType::Barrier:
        return QStringLiteral("03000001010101000000000000000000");
    case UnitType::ExpanderT:
        return QStringLiteral("08010101010101010100000000000000");
    case UnitType::BarrierT:
        return QStringLiteral("09000001010101000000000000000000");
    default:
        return QString(32, QLatin1Char('0'));
    }
}

// An input considered by an object list: the input number and its code.
struct Candidate
{
    int input;
    quint8 code;
    bool always = false; // listed even when not in use
};

QStringList buildList(const UnitObjects &unit, const std::vector<Candidate> &candidates,
                      const QString &middle, int width)
{
    QStringList list;
    for (const Candidate &c : candidates) {
        const QString &name = unit.inputs[size_t(c.input)];
        if (!c.always && !objectInUse(name))
            continue;
        list.append((byteToHex(c.code) + QLatin1Char(' ') + middle + name).left(width));
    }
    return list;
}

} // namespace

bool isDoorType(quint8 type)
{
    return type == UnitType::Access || type == UnitType::Expander || type == UnitType::ExpanderT;
}

bool isBarrierType(quint8 type)
{
    return type == UnitType::Barrier || type == UnitType::BarrierT;
}

QString NazevTypu(quint8 code)
{
    for (const TypeName &t : kTypeNames)
        if (t.code == code)
            return QString::fromUtf16(t.name);
    return QString::fromUtf16(kTypeNames[0].name);
}

quint8 KodTypu(const QString &name)
{
    for (const TypeName &t : kTypeNames)
        if (name == QString::fromUtf16(t.name))
            return t.code;
    return 0;
}

std::array<QString, 16> defaultObjectNames(quint8 type)
{
    const char16_t *const *names = isDoorType(type)               ? kDoorNames
                                   : type == UnitType::Attendance ? kAttendanceNames
                                   : isBarrierType(type)          ? kBarrierNames
                                                                  : nullptr;
    std::array<QString, 16> result;
    if (names)
        for (size_t i = 0; i < result.size(); ++i)
            result[i] = QString::fromUtf16(names[i]);
    return result;
}

void DefaultTyp(Table &units, quint8 type)
{
    units.setString(QStringLiteral("POUZITI"), QStringLiteral("00"));
    units.setString(QStringLiteral("ALARM"), QStringLiteral("FF"));
    units.setString(QStringLiteral("RELE"), QStringLiteral("00"));
    static const char16_t *const results[UnitResultCount] = {u"povoleno      ", u"^ilegální     ",
                                                             u"^neotevřeno   ", u"^nezavřeno    "};
    for (int r = 0; r < UnitResultCount; ++r)
        units.setString(unitResultField(r), QString::fromUtf16(results[r]));
    units.setString(QStringLiteral("KONFIG"), defaultKonfig(type));
    units.setString(QStringLiteral("TYP"), byteToHex(type));
    // Codes without defaults keep their name and object names empty.
    const std::array<QString, 16> names = defaultObjectNames(type);
    if (names[0].isEmpty())
        return;
    units.setString(QStringLiteral("NAZEV"), NazevTypu(type));
    for (int i = 0; i < UnitSensorCount; ++i)
        units.setString(unitSensorField(i), names[size_t(i)]);
}

quint8 SnimacByTypeResult(quint8 type, quint8 res)
{
    const int object = res & 0x0F;
    static const quint8 doors[16] = {0x00, 0x00, 0x01, 0x01, 0x02, 0x02, 0x03, 0x03,
                                     0x00, 0x01, 0x02, 0x03, 0x14, 0x15, 0x16, 0x17};
    static const quint8 attendance[16] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0x00, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
    static const quint8 barriers[16] = {0x00,     0x00,     0x01, 0x01, NoObject, NoObject,
                                        NoObject, NoObject, 0x00, 0x01, 0x00,     0x01,
                                        0x00,     0x01,     0x16, 0x17};
    if (isDoorType(type))
        return doors[object];
    if (type == UnitType::Attendance)
        return attendance[object];
    if (isBarrierType(type))
        return barriers[object];
    return NoObject;
}

bool objectInUse(const QString &name)
{
    return !name.trimmed().isEmpty() && !name.startsWith(QLatin1Char('*'));
}

QStringList possibleObjects(const UnitObjects &u)
{
    constexpr int width = 40;
    const QString middle = u.name + QStringLiteral(", ");
    if (isDoorType(u.type))
        return buildList(u,
                         {{0, 0x00},
                          {1, 0x01},
                          {2, 0x02},
                          {3, 0x03},
                          {4, 0x14},
                          {5, 0x15},
                          {6, 0x16},
                          {7, 0x17}},
                         middle, width);
    if (u.type == UnitType::Attendance)
        return buildList(u,
                         {{0, 0x00, true},
                          {1, 0x11},
                          {2, 0x12},
                          {3, 0x13},
                          {4, 0x14},
                          {5, 0x15},
                          {6, 0x16},
                          {7, 0x17}},
                         middle, width);
    if (isBarrierType(u.type))
        return buildList(u, {{0, 0x00}, {1, 0x01}, {6, 0x16}, {7, 0x17}}, middle, width);
    return {};
}

QStringList mainObjects(const UnitObjects &u)
{
    constexpr int width = 17;
    if (isDoorType(u.type))
        return buildList(u, {{0, 0x00}, {1, 0x01}, {2, 0x02}, {3, 0x03}}, QString(), width);
    if (u.type == UnitType::Attendance)
        return u.rele != 0 ? buildList(u, {{0, 0x00}}, QString(), width) : QStringList();
    if (isBarrierType(u.type))
        return buildList(u, {{0, 0x00}, {1, 0x01}}, QString(), width);
    return {};
}

QStringList auxiliaryObjects(const UnitObjects &u)
{
    constexpr int width = 17;
    if (isDoorType(u.type))
        return buildList(u, {{4, 0x14}, {5, 0x15}, {6, 0x16}, {7, 0x17}}, QString(), width);
    if (u.type == UnitType::Attendance) {
        // With a relay the unit opens door 0 itself: input 0 is its main object.
        std::vector<Candidate> inputs;
        for (int input = u.rele != 0 ? 1 : 0; input < 8; ++input)
            inputs.push_back({input, quint8(0x10 + input)});
        return buildList(u, inputs, QString(), width);
    }
    if (isBarrierType(u.type))
        return buildList(u, {{6, 0x16}, {7, 0x17}}, QString(), width);
    return {};
}

// --- the data module's unit records ----------------------------------------

bool TDB0DM::tbUniDefaultByType(quint8 type)
{
    if (!tbUni.append())
        return false;
    DefaultTyp(tbUni, type);
    return tbUni.post();
}

UnitObjects TDB0DM::tbUniObjekty() const
{
    UnitObjects u;
    u.type = tbUniGetTyp();
    u.rele = tbUniGetRele();
    u.name = tbUni.asString(QStringLiteral("NAZEV"));
    for (int input = 0; input < 8; ++input)
        u.inputs[size_t(input)] = tbUni.asString(unitSensorField(8 + input));
    return u;
}

QStringList TDB0DM::tbUniMozneObjekty() const
{
    return possibleObjects(tbUniObjekty());
}

QStringList TDB0DM::tbUniHlavniObjekty() const
{
    return mainObjects(tbUniObjekty());
}

QStringList TDB0DM::tbUniPomocneObjekty() const
{
    return auxiliaryObjects(tbUniObjekty());
}

} // namespace vardex
