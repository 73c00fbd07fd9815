#pragma once

#include "accessdata/UnitSelection.h"
#include "app/SystemLog.h"
#include "tables/Table.h"
#include "timecal/Calendar.h"

#include <QObject>
#include <array>

namespace vardex {

class OperatorMessages;
class Clock;

// Bytes of the current unit that evaluating its events needs.
struct UnitEvaluationData
{
    quint8 typ = 0;
    quint8 alarm = 0;
    quint8 rele = 0;
    quint8 pouziti = 0;
};

// The access-control data module: the tables of key holders, units, events
// and searched keys, the unit selection set, the chosen key, today's date
// and the system log. Lives for the whole run; windows work on its tables.
class TDB0DM : public QObject
{
    Q_OBJECT
public:
    TDB0DM(const QString &workDir, OperatorMessages &messages, Clock &clock,
           QObject *parent = nullptr);
    ~TDB0DM() override;

    Table tbKey;
    Table tbUni;
    Table tbEvents;
    Table tbSKey;

    OperatorMessages &messages() { return m_messages; }
    Clock &clock() { return m_clock; }
    SystemLog &systemLog() { return m_systemLog; }
    UnitSelection &selection() { return m_selection; }
    const UnitSelection &selection() const { return m_selection; }

    // Opens the key, unit, event and searched-key tables in that order,
    // creating missing files. On failure the engine's text is in `error`
    // and the tables opened so far stay open.
    bool OpenMinimalDatabases(QString *error);
    void CloseMinimalDatabases();

    // Records today's date as the current date of the run.
    void DatumDnes();
    const Date &dnes() const { return m_dnes; }

    // The key number chosen in the key selection dialog; empty when none.
    QString chosenKey;
    // Whether storing an event of a searched key raises the alarm.
    bool searchedKeyAlarm = false;

    // --- key holders
    bool tbKeyExactCTM(const QString &ctm);
    QString tbKeyNameOfKey(const QString &ctm);
    void tbKeyApproxName(const QString &name);
    QString tbKeyJmenoTituly(int width) const;

    // --- units
    bool tbUniExactAddr(const QString &addr);
    QString tbUniNameOf(const QString &addr);
    quint8 tbUniGetAddr() const;
    quint8 tbUniGetTyp() const;
    quint8 tbUniGetAlarm() const;
    quint8 tbUniGetRele() const;
    QByteArray tbUniGetKonfig() const;
    // Write into a record the caller has put in edit or insert state.
    bool tbUniPutTyp(quint8 value);
    bool tbUniPutAlarm(quint8 value);
    bool tbUniPutRele(quint8 value);
    // Edits the current record, writes the 16 bytes and posts.
    bool tbUniPutKonfig(const QByteArray &konfig);
    UnitEvaluationData tbUniDataProOhodnoceni() const;
    bool tbUniExistujiDochazkove();
    bool tbUniExistujiVnejsi();

    // --- unit selection set
    void VsechnyJednotky();
    void VsechnyJednotkyTypu(const QString &typ);
    void ZadnaJednotka();
    void GetSelectedUnit();
    void NextSelectedUnit();

    // --- searched keys
    bool tbSKeyJeHledany(const QString &ctm);
    void tbSKeyZapnoutVse();
    void tbSKeyVypnoutVse();

    // --- events
    bool tbEventsEmptyTable();

private:
    // Fills the selection with the units `accept` takes, in table order,
    // leaving the unit table on the record it was on.
    template <typename Accept> void fillSelection(Accept accept);
    void setAllAlarms(const QString &value);
    void installPostErrorHandlers();

    OperatorMessages &m_messages;
    Clock &m_clock;
    SystemLog m_systemLog;
    UnitSelection m_selection;
    Date m_dnes{};
};

} // namespace vardex
