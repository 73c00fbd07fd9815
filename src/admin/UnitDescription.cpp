#include "admin/UnitDescription.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/UnitCatalogue.h"
#include "admin/UnitEditors.h"
#include "tables/Table.h"
#include "text/HexText.h"

namespace vardex {

namespace {

constexpr int kListedMainObjects = 4;
const QString kIndent = QStringLiteral("   ");

struct UnitBytes
{
    quint8 type = 0;
    quint8 use = 0;
    quint8 alarm = 0;
    quint8 rele = 0;
    QByteArray konfig;
};

bool bitSet(quint8 mask, int bit)
{
    return (mask >> bit) & 1;
}

// The input an object entry stands for: its code's lowest three bits.
int inputOfEntry(const QString &entry)
{
    return hexToByte(entry.left(2)) & 0x07;
}

QString alarmText(quint8 alarm, int input)
{
    return QStringLiteral(", poplach registruje") +
           (bitSet(alarm, input) ? QStringLiteral(" a hlásí") : QString());
}

QString openingText(int opening, int waiting)
{
    return QStringLiteral(", otevřeno %1 s. (čeká %2 s.)").arg(opening).arg(waiting);
}

QString entranceText(quint8 use, int input)
{
    return bitSet(use, input) ? QStringLiteral(", VNĚJŠÍ VSTUP")
                              : QStringLiteral(", vnitřní objekt");
}

// What follows the alarm part of a main object's line.
QString mainObjectTail(const UnitBytes &u, int input)
{
    // Types 1 and 2 keep one door time in the first hex digit; a door waits
    // four times as long.
    const int doorTime = quint8(u.konfig.at(0)) >> 4;
    if (u.type == UnitType::Access)
        return entranceText(u.use, input) + openingText(doorTime, 4 * doorTime);
    if (u.type == UnitType::Attendance)
        return u.rele != 0 ? openingText(doorTime, 4 * doorTime) : QString();
    QString tail = entranceText(u.use, input);
    const auto byte = [&u](int k) { return int(quint8(u.konfig.at(k))); };
    if (isBarrierType(u.type)) {
        if (input < 2)
            tail += QStringLiteral(", typ závory: ") + barrierTypeText(quint8(byte(1 + input))) +
                    openingText(byte(3 + input), byte(5 + input));
    } else if (input < 4) {
        tail += openingText(byte(1 + 2 * input), byte(2 + 2 * input));
    }
    return tail;
}

} // namespace

QStringList describeUnit(const Table &units)
{
    const auto text = [&units](const char *field) { return units.asString(QLatin1String(field)); };
    UnitBytes u;
    u.type = hexToByte(text("TYP"));
    u.use = hexToByte(text("POUZITI"));
    u.alarm = hexToByte(text("ALARM"));
    u.rele = hexToByte(text("RELE"));
    u.konfig = hexToBytes(text("KONFIG"), 16);
    UnitObjects objects;
    objects.type = u.type;
    objects.rele = u.rele;
    objects.name = text("NAZEV");
    for (int input = 0; input < 8; ++input)
        objects.inputs[size_t(input)] = units.asString(unitSensorField(8 + input));

    QStringList lines;
    lines << QStringLiteral("Jednotka: ") + text("ADRESA") + QLatin1Char(' ') + objects.name;
    QString type = QStringLiteral("Typ: ") + NazevTypu(u.type);
    if (u.type == UnitType::Attendance)
        type += u.use != 0 ? QStringLiteral(", AKTIVNÍ") : QStringLiteral(", PASÍVNÍ");
    lines << type;

    // The alarm bit of an object is that of its input, wherever the entry
    // stands in the packed list.
    const QStringList main = mainObjects(objects).mid(0, kListedMainObjects);
    if (!main.isEmpty())
        lines << QStringLiteral("Řídí objekty: ");
    for (const QString &entry : main) {
        const int input = inputOfEntry(entry);
        lines << kIndent + entry + alarmText(u.alarm, input) + mainObjectTail(u, input);
    }
    const QStringList auxiliary = auxiliaryObjects(objects);
    if (!auxiliary.isEmpty())
        lines << QStringLiteral("Pomocné objekty: ");
    for (const QString &entry : auxiliary)
        lines << kIndent + entry + alarmText(u.alarm, inputOfEntry(entry));

    lines << QStringLiteral("Hlášení události vstupu:")
          << QStringLiteral("   povolení:   ") + text("VysUda0")
          << QStringLiteral("   nepovolení: ") + text("VysUda1")
          << QStringLiteral("   nevyužití:  ") + text("VysUda2")
          << QStringLiteral("   neuzavření: ") + text("VysUda3") << QStringLiteral("---   ");
    return lines;
}

} // namespace vardex
