#include "admin/UnitDatabase.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "text/HexText.h"

namespace vardex {

namespace {

const QString kAlarm = QStringLiteral("ALARM");
const QString kRele = QStringLiteral("RELE");
const QString kPouziti = QStringLiteral("POUZITI");
const QString kKonfig = QStringLiteral("KONFIG");

constexpr int kFirstInputObject = 8; // SnimIN0 follows SnimTM0..SnimTM7

} // namespace

UnitDatabase::UnitDatabase(TDB0DM &db) : m_db(db)
{
}

Table &UnitDatabase::units()
{
    return m_db.tbUni;
}

OperatorMessages &UnitDatabase::messages()
{
    return m_db.messages();
}

const std::array<quint8, 6> &UnitDatabase::newUnitTypes()
{
    static const std::array<quint8, 6> types = {UnitType::Access,    UnitType::Attendance,
                                                UnitType::Expander,  UnitType::Barrier,
                                                UnitType::ExpanderT, UnitType::BarrierT};
    return types;
}

bool UnitDatabase::canAddUnit() const
{
    return m_db.tbUni.state() == TableState::Browse;
}

bool UnitDatabase::addUnit(quint8 type)
{
    return canAddUnit() && m_db.tbUniDefaultByType(type);
}

quint8 UnitDatabase::type() const
{
    return m_db.tbUniGetTyp();
}

QString UnitDatabase::inputName(int input) const
{
    return m_db.tbUni.asString(unitSensorField(kFirstInputObject + input));
}

UnitEditor UnitDatabase::editorForField(const QString &field) const
{
    if (m_db.tbUni.state() != TableState::Edit)
        return UnitEditor::None;
    return editorFor(field, type());
}

MaskEditorData UnitDatabase::alarmEditor() const
{
    MaskEditorData d{QStringLiteral("Maska poplachu"), {}, m_db.tbUniGetAlarm()};
    for (int i = 0; i < 8; ++i)
        d.captions[size_t(i)] = inputName(i);
    return d;
}

MaskEditorData UnitDatabase::relayEditor() const
{
    MaskEditorData d{QStringLiteral("Maska otevření dveří"), {}, m_db.tbUniGetRele()};
    for (int i = 0; i < 8; ++i)
        d.captions[size_t(i)] = m_db.tbUni.asString(unitSensorField(i));
    return d;
}

UseMaskEditorData UnitDatabase::useEditor() const
{
    UseMaskEditorData d{useMaskLayout(type()), {}, hexToByte(m_db.tbUni.asString(kPouziti))};
    for (int i = 0; i < 4; ++i)
        d.captions[size_t(i)] = inputName(i);
    if (d.layout.activeBox)
        d.captions[0] = QStringLiteral("Aktivní");
    return d;
}

std::array<QString, 4> UnitDatabase::inputNames() const
{
    std::array<QString, 4> names;
    for (int i = 0; i < 4; ++i)
        names[size_t(i)] = inputName(i);
    return names;
}

int UnitDatabase::doorTime() const
{
    return doorTimeOf(m_db.tbUni.asString(kKonfig));
}

DoorParameters UnitDatabase::doorParameters() const
{
    return doorParametersOf(m_db.tbUniGetKonfig());
}

BarrierParameters UnitDatabase::barrierParameters() const
{
    return barrierParametersOf(m_db.tbUniGetKonfig());
}

bool UnitDatabase::storeAndPost(const QString &field, const QString &value)
{
    Table &t = m_db.tbUni;
    if (t.state() != TableState::Edit && !t.edit())
        return false;
    return t.setString(field, value) && t.post();
}

bool UnitDatabase::storeAlarm(quint8 mask)
{
    return storeAndPost(kAlarm, byteToHex(mask));
}

bool UnitDatabase::storeRelay(quint8 mask)
{
    return storeAndPost(kRele, byteToHex(mask));
}

bool UnitDatabase::storeUse(const std::array<bool, 4> &boxes)
{
    const quint8 stored = hexToByte(m_db.tbUni.asString(kPouziti));
    return storeAndPost(kPouziti, byteToHex(useMaskFromBoxes(stored, boxes)));
}

bool UnitDatabase::storeDoorTime(int seconds)
{
    return storeAndPost(kKonfig, withDoorTime(m_db.tbUni.asString(kKonfig), seconds));
}

bool UnitDatabase::storeDoorParameters(const DoorParameters &parameters)
{
    // The block is read afresh: only the edited bytes change.
    QByteArray konfig = m_db.tbUniGetKonfig();
    putDoorParameters(konfig, parameters);
    return storeAndPost(kKonfig, bytesToHex(konfig));
}

bool UnitDatabase::storeBarrierParameters(const BarrierParameters &parameters)
{
    QByteArray konfig = m_db.tbUniGetKonfig();
    putBarrierParameters(konfig, parameters);
    return storeAndPost(kKonfig, bytesToHex(konfig));
}

} // namespace vardex
