#include "accessdata/EventInterpretation.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "platform/OperatorMessages.h"
#include "text/HexText.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

namespace vardex {

namespace {

const QString kAHWJ = QStringLiteral("AHWJ");
const QString kCTM = QStringLiteral("CTM");
const QString kRES = QStringLiteral("RES");
const QString kNAZEV = QStringLiteral("NAZEV");

// Outcomes of a reader event: allowed, illegal, not opened, not closed.
constexpr int OutcomeIllegal = 1;
constexpr int OutcomeNotOpened = 2;

// Result codes an event counts with at a door or barrier.
constexpr quint8 Arrival = 0;
constexpr quint8 Departure = 4;

} // namespace

QString inputStateText(quint8 res)
{
    const int state = res >> 4;
    if (state == 0)
        return QStringLiteral("klidový stav");
    if (state == 3)
        return QStringLiteral("AKTIVOVÁNO");
    return byteToHex(quint8(state));
}

std::optional<quint8> attendanceResult(const UnitEvaluationData &unit, quint8 res)
{
    const int object = eventObject(res);
    const int outcome = eventOutcome(res);
    if (isInputEvent(res))
        return std::nullopt;
    const quint8 byDirection = (object & 1) ? Departure : Arrival;
    if (isDoorType(unit.typ)) {
        const int door = (object >> 1) & 0x03;
        if (!(unit.pouziti & (1 << door)) || outcome == OutcomeIllegal ||
            outcome == OutcomeNotOpened)
            return std::nullopt;
        return byDirection;
    }
    if (isBarrierType(unit.typ)) {
        const int passage = (object >> 1) & 0x01;
        if (!(unit.pouziti & (1 << passage)) || outcome == OutcomeIllegal ||
            outcome == OutcomeNotOpened)
            return std::nullopt;
        return byDirection;
    }
    if (unit.typ == UnitType::Attendance) {
        if (unit.pouziti == 0 || outcome == OutcomeIllegal ||
            (outcome == OutcomeNotOpened && unit.rele != 0) || object > 5)
            return std::nullopt;
        return res;
    }
    return res;
}

// --- the data module's texts of events and units ---------------------------

// The texts of events look units up on their own cursor (in address order,
// the primary index), which stays where it is while the address repeats.
bool TDB0DM::unitAt(const QString &addr)
{
    if (addr.isEmpty() || !m_unitNames.isOpen())
        return false;
    if (!m_unitNames.isEmpty() && m_unitNames.asString(QStringLiteral("ADRESA")) == addr)
        return true;
    return m_unitNames.findKey({addr});
}

bool TDB0DM::unitAtOrSay(const QString &addr)
{
    if (addr.isEmpty())
        return false;
    if (unitAt(addr))
        return true;
    m_messages.information(QStringLiteral("Neznámá jednotka: ") + addr);
    return false;
}

QString TDB0DM::objectName(const Table &unit, int index)
{
    const QString field = unitSensorField(index);
    return field.isEmpty() ? QStringLiteral("?") : unit.asString(field);
}

QString TDB0DM::resultText(const Table &unit, int n)
{
    const QString field = unitResultField(n);
    return field.isEmpty() ? byteToHex(quint8(n)) : unit.asString(field);
}

QString TDB0DM::tbUniNazevSnimace(int index) const
{
    return objectName(tbUni, index);
}

QString TDB0DM::tbUniSensorName(const QString &addr, const QString &res)
{
    if (!unitAtOrSay(addr))
        return QStringLiteral("?");
    return objectName(m_unitNames, eventObject(hexToByte(res)));
}

QString TDB0DM::tbUniGetVysl(int n) const
{
    return resultText(tbUni, n);
}

QString TDB0DM::tbUniVysledek(const QString &addr, const QString &res)
{
    if (!unitAt(addr))
        return QStringLiteral("?");
    return resultText(m_unitNames, eventOutcome(hexToByte(res)));
}

QString TDB0DM::tbUniVysledekSnimace(const QString &addr, const QString &res)
{
    if (!unitAt(addr))
        return QStringLiteral("?");
    return inputStateText(hexToByte(res));
}

QString TDB0DM::tbUniHwjSnimac(const QString &addr, const QString &res)
{
    if (!unitAt(addr))
        return QStringLiteral("?");
    return m_unitNames.asString(kNAZEV) + QLatin1Char(',') +
           objectName(m_unitNames, eventObject(hexToByte(res)));
}

StoredEvent TDB0DM::tbEventsCurrent() const
{
    return {tbEvents.asDate(QStringLiteral("DATUM")), tbEvents.asTime(QStringLiteral("CAS")),
            tbEvents.asString(kAHWJ), tbEvents.asString(kCTM), tbEvents.asString(kRES)};
}

EventTexts TDB0DM::interpretEvent(const StoredEvent &e)
{
    EventTexts t;
    t.dateTime = e.date.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ') +
                 e.time.toString(QStringLiteral("hh:mm"));
    t.key = tbKeyNameOfKey(e.ctm);
    t.unitObject = tbUniHwjSnimac(e.addr, e.res);
    if (unitAt(e.addr))
        t.result = isEmptyKeyText(e.ctm) ? tbUniVysledekSnimace(e.addr, e.res)
                                         : tbUniVysledek(e.addr, e.res);
    return t;
}

QString TDB0DM::eventLine(const StoredEvent &e)
{
    const EventTexts t = interpretEvent(e);
    return t.dateTime + QLatin1Char(' ') + t.key + QLatin1Char(' ') + t.unitObject +
           QLatin1Char(',') + t.result;
}

EventTexts TDB0DM::tbEventsInterpret()
{
    return interpretEvent(tbEventsCurrent());
}

QString TDB0DM::tbEventsRadekUdalosti()
{
    return eventLine(tbEventsCurrent());
}

QString TDB0DM::tbEventsTranCtm()
{
    return tbKeyNameOfKey(tbEvents.asString(kCTM));
}

QString TDB0DM::tbEventsTranHwj()
{
    return unitAt(tbEvents.asString(kAHWJ)) ? m_unitNames.asString(kNAZEV) : QStringLiteral("?");
}

QString TDB0DM::tbEventsTranRes()
{
    return tbEventsTranslateResult(true);
}

QString TDB0DM::tbEventsTranslateResult(bool detail)
{
    if (!unitAt(tbEvents.asString(kAHWJ)))
        return QString();
    const quint8 res = hexToByte(tbEvents.asString(kRES));
    QString text = objectName(m_unitNames, eventObject(res));
    if (detail)
        text +=
            QStringLiteral(", ") +
            (isInputEvent(res) ? inputStateText(res) : resultText(m_unitNames, eventOutcome(res)));
    return text;
}

bool TDB0DM::tbEventsUdalostDochazky()
{
    const QString addr = tbEvents.asString(kAHWJ);
    const QDate date = tbEvents.asDate(QStringLiteral("DATUM"));
    const QTime time = tbEvents.asTime(QStringLiteral("CAS"));
    udalost_dm.address = hexToByte(addr);
    udalost_dm.key = keyFromText(tbEvents.asString(kCTM));
    udalost_dm.time = MakeHourMinute(time.hour(), time.minute());
    udalost_dm.date = PackDayMonth(date.day(), date.month());
    udalost_dm.result = hexToByte(tbEvents.asString(kRES));

    if (isInputEvent(udalost_dm.result) || !unitAtOrSay(addr))
        return false;
    const std::optional<quint8> counted =
        attendanceResult(unitEvaluationData(m_unitNames), udalost_dm.result);
    if (!counted)
        return false;
    udalost_dm.result = *counted;
    return true;
}

} // namespace vardex
