#pragma once

#include "accessdata/EventInterpretation.h"
#include "accessdata/EventRecord.h"
#include "accessdata/PeriodChoice.h"
#include "accessdata/ProcessingInterval.h"
#include "accessdata/UnitCatalogue.h"
#include "accessdata/UnitSelection.h"
#include "app/SystemLog.h"
#include "comm/TComHwj.h"
#include "comm/UnitCommands.h"
#include "tables/Table.h"
#include "timecal/Calendar.h"

#include <QObject>
#include <array>
#include <functional>
#include <optional>

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
// The same bytes of the unit record a cursor stands on.
UnitEvaluationData unitEvaluationData(const Table &unit);

// What became of one reply to a read of events.
struct EventBlockOutcome
{
    enum class Kind {
        // Its events are stored (none, when it was empty or all were
        // rejected), and the unit was acknowledged.
        Stored,
        // Byte for byte the block last stored from that unit: stored before
        // the unit heard the acknowledgement; acknowledged now, not stored again.
        Repeated,
        // A time-out, a refusal, a damaged, cut or foreign reply: nothing
        // stored, not acknowledged, the unit hands it out again.
        Unusable,
        // The event table refused the block: nothing stored, not
        // acknowledged; the operation is to stop with `message`.
        StoreFailed,
    };
    Kind kind = Kind::Unusable;
    QString message; // why the reply was not used; empty when it was
    QStringList log; // one line per record: its event line or why it was rejected
    int records = 0; // events the block carried, stored or rejected
    int stored = 0;  // events written to the event table

    bool used() const { return kind == Kind::Stored || kind == Kind::Repeated; }
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

    // The one serial line to the units and the command functions that talk
    // through it (the port name comes from "VX_PARMS.INI" at creation).
    TComHwj KomHwj;
    UnitCommands povely{*this, KomHwj};

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
    // The attendance group (a workplace code) a batch evaluation is limited
    // to; empty when none is chosen.
    QString chosenGroup;
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
    // Whether `ctm` is searched for with its alarm on; its message then is
    // tbSKeyZprava().
    bool tbSKeyJeHledany(const QString &ctm);
    QString tbSKeyZprava() const;
    // Every searched key's alarm on (off), all or nothing; false with the
    // table's error when a record could not be rewritten.
    bool tbSKeyZapnoutVse();
    bool tbSKeyVypnoutVse();

    // --- events
    bool tbEventsEmptyTable();

    // ===== Unit catalogue: defaults and objects of the current unit =====
    // (UnitCatalogue.cpp)

    // Appends a unit with the defaults of the type and posts it.
    bool tbUniDefaultByType(quint8 type);
    // The current unit's type, relay mask, name and input names.
    UnitObjects tbUniObjekty() const;
    QStringList tbUniMozneObjekty() const;
    QStringList tbUniHlavniObjekty() const;
    QStringList tbUniPomocneObjekty() const;

    // ===== Event records: intake, validation, storing =====
    // (EventStore.cpp)

    // The last reply received to a read of events.
    EventReply reply;
    // The event being handled.
    EventRecord udalost_dm;

    // Takes a received reply (checksum last) for the current unit of the
    // selection; returns why it cannot be used, empty when it can. An empty
    // reply is a time-out: "dd.mm. hh:nn:ss 05 Vrátnice - " and
    // `portStatusText` (the port's text for its last status code).
    QString ZpracujUdalosti(const QByteArray &received, const QString &portStatusText);
    // Decodes record i (1..21) of the reply into udalost_dm and checks it
    // against today's date as last recorded.
    EventVerdict KontrolaUdalosti(int i);
    // Stores udalost_dm in `year` and returns its event line; raises the
    // alarm for a searched key. Empty when the table refused the record.
    QString UlozUdalost(int year);
    // The one way a unit's reply to a read of events enters the archive
    // (collection, monitors, key reading): `verdict` is the port's
    // classification of the reply (KomHwj.LastReply()). The reply is taken
    // in, every record validated, the accepted ones stored in one
    // transaction together with the block itself as the unit's last stored
    // block; only once that is committed is the unit acknowledged, so a
    // block is never lost and, across a crash before the acknowledgement,
    // never stored twice. Alarms for searched keys are raised last.
    EventBlockOutcome ZpracujBlokUdalosti(const QByteArray &received, const ReplyClass &verdict);
    // The same for a reply of unit `address` to a read sent to it directly,
    // outside the unit selection (the key reading's one-event read): its
    // events are checked against that address. The selection's current
    // unit is left as it was.
    EventBlockOutcome ZpracujBlokUdalostiAdresy(quint8 address, const QByteArray &received,
                                                const ReplyClass &verdict);

    // ===== Event interpretation (EventInterpretation.cpp) =====

    // Texts of the current event record.
    EventTexts tbEventsInterpret();
    // "06.12.2026 08:15 Novák Jan Vrátnice,Dveře 0 / příchod,povoleno      "
    QString tbEventsRadekUdalosti();
    // The same for an event given by its fields.
    StoredEvent tbEventsCurrent() const;
    EventTexts interpretEvent(const StoredEvent &event);
    QString eventLine(const StoredEvent &event);
    // Column texts of the event browser. They look units up silently: a
    // message box from a grid cell would come back with every repaint.
    QString tbEventsTranCtm();
    QString tbEventsTranHwj();
    QString tbEventsTranRes();
    QString tbEventsTranslateResult(bool detail);
    // Whether the current event counts for attendance; leaves the event in
    // udalost_dm with the result code it counts with.
    bool tbEventsUdalostDochazky();

    // Texts of the current unit record and of a unit by address.
    QString tbUniNazevSnimace(int index) const;
    QString tbUniSensorName(const QString &addr, const QString &res);
    QString tbUniGetVysl(int n) const;
    QString tbUniVysledek(const QString &addr, const QString &res);
    QString tbUniVysledekSnimace(const QString &addr, const QString &res);
    QString tbUniHwjSnimac(const QString &addr, const QString &res);

    // Appends one event and posts it: the one way an event enters the event
    // table, whether a unit recorded it (`recorded`, ORI true) or the
    // operator added it (ORI false). Under a filter that lets it through the
    // table stands on the new record afterwards.
    Result<void> tbEventsPridatUdalost(const StoredEvent &event, bool recorded);

    // ===== Event maintenance, filters, processing interval =====
    // (EventStore.cpp)

    // Deletes the events the operator added (ORI false) under the filter
    // in force.
    bool tbEventsVypustitPridaneUdalosti();
    // Deletes every event dated up to and including `date` in one
    // transaction and returns how many; the filter and filtering state are
    // restored. Nothing is deleted on failure (the reason is the table's
    // error message).
    std::optional<qint64> tbEventsEraseToDate(const QDate &date);

    QString FiltrKey() const;
    QString FiltrHwj() const;
    QString FiltrDate() const;
    QString FiltrTime() const;

    ProcessingInterval interval;
    void PrazdnyInterval();
    bool JeprazdnyInterval() const;
    void TentoMesic();
    QString ObdobiZpracovani() const;

    // ===== The processing interval chosen in the date dialog =====
    // (PeriodChoice.cpp)

    // Shows the date dialog modally; set by the windows (tests set their
    // own). Nothing when the operator cancelled; without a dialog nothing
    // is chosen.
    std::function<std::optional<DatePeriod>(const DatePeriodRequest &)> showDateDialog;
    // A period of at most maxDays days, the current month when the interval
    // is empty; stored on confirmation. Whether the operator confirmed.
    bool UrceniIntervaluZpracovani(int maxDays);
    // A single day, today unless a start is set; stored as start and end on
    // confirmation. Whether the operator confirmed.
    bool UrceniDne();

private:
    // Appends udalost_dm in `year`, posts it and returns its event line;
    // a searched key's alarm line is added to `alarms`.
    std::optional<QString> storeEvent(int year, QStringList *alarms);
    void raiseAlarms(const QStringList &alarms);
    // Stores the accepted records of the reply taken in and the block as the
    // unit's last; fills `out` (kind Stored or StoreFailed).
    // Stores the records of the block past its first `repeated` (stored before).
    void storeBlock(const QByteArray &block, int repeated, EventBlockOutcome &out,
                    QStringList *alarms);
    // The lookups' own cursors on the key, unit and searched-key files: a
    // name looked up for a log line or a grid cell never moves, posts or
    // cancels the record a window shows or edits on tbKey, tbUni or tbSKey.
    Table m_keyNames;
    Table m_unitNames;
    Table m_searchedKeys;
    // Positions the unit lookup on `addr` unless it is there; no message.
    bool unitAt(const QString &addr);
    // The same, telling the operator of an address the table lacks.
    bool unitAtOrSay(const QString &addr);
    // Name of object 0..15 and result text n of the unit record `unit`.
    static QString objectName(const Table &unit, int index);
    static QString resultText(const Table &unit, int n);

    // Fills the selection with the units `accept` takes, in table order,
    // leaving the unit table on the record it was on.
    template <typename Accept> void fillSelection(Accept accept);
    bool setAllAlarms(const QString &value);
    void installPostErrorHandlers();
    bool unitAddressRule(Table &t);

    OperatorMessages &m_messages;
    Clock &m_clock;
    SystemLog m_systemLog;
    UnitSelection m_selection;
    Date m_dnes{};
};

} // namespace vardex
