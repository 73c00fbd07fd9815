// The event table of the access-control data module: taking replies of the
// units in, storing their events, erasing old ones, and the filters and
// processing interval that the event browser and attendance windows use.

#include "accessdata/TDB0DM.h"

#include "accessdata/RepeatedRecords.h"
#include "comm/Protocol.h"
#include "platform/Clock.h"
#include "tables/Transaction.h"
#include "text/HexText.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

namespace vardex {

namespace {

const QString kORI = QStringLiteral("ORI");

// The memo of the event table that holds the block last stored from a unit.
QString lastBlockMemo(quint8 address)
{
    return QStringLiteral("posledni-blok-") + byteToHex(address);
}

QString quoted(const QString &field, const char *op, const QString &value)
{
    return field + QLatin1String(op) + QLatin1Char('\'') + value + QLatin1Char('\'');
}

} // namespace

// --- intake ------------------------------------------------------------------

QString TDB0DM::ZpracujUdalosti(const QByteArray &received, const QString &portStatusText)
{
    // Today's date is taken afresh for every reply: a monitor left running
    // over New Year must not file January's events under the old year.
    DatumDnes();
    reply.clear();
    if (received.isEmpty())
        return m_clock.now().toString(QStringLiteral("dd.MM. hh:mm:ss")) + QLatin1Char(' ') +
               m_selection.currentAddress + QLatin1Char(' ') + m_selection.currentName +
               QStringLiteral(" - ") + portStatusText;
    return reply.take(received, m_selection.currentAddress);
}

EventVerdict TDB0DM::KontrolaUdalosti(int i)
{
    udalost_dm = reply.record(i);
    return validateEvent(reply, udalost_dm, m_dnes);
}

std::optional<QString> TDB0DM::storeEvent(int year, QStringList *alarms)
{
    const EventRecord &e = udalost_dm;
    const StoredEvent stored{e.dateIn(year), QTime(e.hours(), e.minutes()), byteToHex(e.address),
                             e.keyText(), byteToHex(e.result)};
    if (!tbEventsPridatUdalost(stored, true))
        return std::nullopt;
    // The line is made from what was written: under a filter the table may
    // not stand on the new record.
    const QString line = eventLine(stored);
    if (searchedKeyAlarm && tbSKeyJeHledany(stored.ctm))
        alarms->append(tbSKeyZprava() + QLatin1Char(' ') + line);
    return line;
}

Result<void> TDB0DM::tbEventsPridatUdalost(const StoredEvent &event, bool recorded)
{
    if (!tbEvents.append())
        return tbEvents.failure();
    tbEvents.setDate(QStringLiteral("DATUM"), event.date);
    tbEvents.setTime(QStringLiteral("CAS"), event.time);
    tbEvents.setString(QStringLiteral("AHWJ"), event.addr);
    tbEvents.setString(QStringLiteral("CTM"), event.ctm);
    tbEvents.setString(QStringLiteral("RES"), event.res);
    tbEvents.setBool(kORI, recorded);
    if (!tbEvents.post()) {
        const Failure why = tbEvents.failure();
        tbEvents.cancel();
        return why;
    }
    return {};
}

void TDB0DM::raiseAlarms(const QStringList &alarms)
{
    if (alarms.isEmpty())
        return;
    for (const QString &line : alarms)
        m_systemLog.WriteLog(line);
    m_systemLog.show();
}

QString TDB0DM::UlozUdalost(int year)
{
    QStringList alarms;
    const std::optional<QString> line = storeEvent(year, &alarms);
    raiseAlarms(alarms);
    return line.value_or(QString());
}

EventBlockOutcome TDB0DM::ZpracujBlokUdalosti(const QByteArray &received, const ReplyClass &verdict)
{
    EventBlockOutcome out;
    // A damaged reply, or a unit's refusal, is worded like a time-out.
    if (received.isEmpty() || verdict.resCom != ResComCode::Accepted) {
        const QString why =
            verdict.checksumFailed ? rxCrcErrorText() : statusText(quint8(verdict.resCom));
        out.message = ZpracujUdalosti(QByteArray(), why);
        return out;
    }
    out.message = ZpracujUdalosti(received, statusText(quint8(verdict.resCom)));
    if (!out.message.isEmpty())
        return out;
    // A good sum over a chunk of the wrong length (line noise behind the
    // reply) is not acknowledged: the unit is read again.
    if (!verdict.acknowledge) {
        out.message = reply.headerText() + QStringLiteral("  Nesprávná délka paketu: ") +
                      QString::number(received.size());
        return out;
    }
    out.records = reply.recordCount();

    // The block as the unit sent it, checksum aside.
    const QByteArray block = received.left(received.size() - 1);
    QStringList alarms;
    if (out.records > 0) {
        const Result<QByteArray> last = tbEvents.memo(lastBlockMemo(reply.unitAddress()));
        if (!last) {
            out.kind = EventBlockOutcome::Kind::StoreFailed;
            out.message = QStringLiteral("Události nebyly uloženy: ") + last.error();
            return out;
        }
        // Records stored before the unit heard the acknowledgement come
        // again, through this read or another; they are not stored twice.
        const int repeated = repeatedRecords(*last, block);
        if (repeated == out.records) {
            out.kind = EventBlockOutcome::Kind::Repeated;
            out.log.append(reply.headerText() +
                           QStringLiteral(" Blok již byl uložen, opakované čtení - neukládá se"));
        } else {
            storeBlock(block, repeated, out, &alarms);
            if (out.kind == EventBlockOutcome::Kind::StoreFailed)
                return out;
        }
    } else {
        out.kind = EventBlockOutcome::Kind::Stored;
    }
    // Stored (or stored before): only now may the unit let go of the block.
    KomHwj.Acknowledge();
    // Only now, with the block safely stored, may a window open.
    raiseAlarms(alarms);
    return out;
}

void TDB0DM::storeBlock(const QByteArray &block, int repeated, EventBlockOutcome &out,
                        QStringList *alarms)
{
    auto failed = [&] {
        out.kind = EventBlockOutcome::Kind::StoreFailed;
        out.message = QStringLiteral("Události nebyly uloženy: ") + tbEvents.errorMessage();
        out.log.clear();
        out.stored = 0;
        alarms->clear();
    };
    Transaction tx(tbEvents);
    if (!tx.active())
        return failed();
    for (int i = repeated + 1; i <= out.records; ++i) {
        const EventVerdict verdict = KontrolaUdalosti(i);
        if (!verdict.accepted()) {
            out.log.append(verdict.message);
            continue;
        }
        const std::optional<QString> line = storeEvent(verdict.year, alarms);
        if (!line)
            return failed();
        out.log.append(*line);
        ++out.stored;
    }
    if (!tbEvents.setMemo(lastBlockMemo(reply.unitAddress()), block) || !tx.commit())
        return failed();
    out.kind = EventBlockOutcome::Kind::Stored;
}

EventBlockOutcome TDB0DM::ZpracujBlokUdalostiAdresy(quint8 address, const QByteArray &received,
                                                    const ReplyClass &verdict)
{
    const QString oldAddress = m_selection.currentAddress;
    const QString oldName = m_selection.currentName;
    m_selection.currentAddress = byteToHex(address);
    m_selection.currentName = QString();
    EventBlockOutcome out = ZpracujBlokUdalosti(received, verdict);
    m_selection.currentAddress = oldAddress;
    m_selection.currentName = oldName;
    return out;
}

// --- maintenance -------------------------------------------------------------

bool TDB0DM::tbEventsVypustitPridaneUdalosti()
{
    Transaction tx(tbEvents);
    if (!tx.active())
        return false;
    tbEvents.first();
    while (!tbEvents.eof() && !tbEvents.isEmpty()) {
        if (tbEvents.asBool(kORI)) {
            tbEvents.next();
        } else if (!tbEvents.remove()) {
            return false;
        }
    }
    return tx.commit();
}

std::optional<qint64> TDB0DM::tbEventsEraseToDate(const QDate &date)
{
    const QString oldFilter = tbEvents.filterText();
    const bool oldFiltered = tbEvents.filtered();
    std::optional<qint64> erased;
    {
        Transaction tx(tbEvents);
        if (tx.active() &&
            tbEvents.setFilterText(quoted(QStringLiteral("DATUM"),
                                          "<=", date.toString(QStringLiteral("dd.MM.yyyy"))))) {
            tbEvents.setFiltered(true);
            qint64 count = 0;
            bool ok = true;
            for (tbEvents.first(); ok && !tbEvents.isEmpty(); ++count)
                ok = tbEvents.remove();
            if (ok && tx.commit())
                erased = count;
        }
    }
    tbEvents.setFilterText(oldFilter);
    tbEvents.setFiltered(oldFiltered);
    return erased;
}

// --- filters -----------------------------------------------------------------

QString TDB0DM::FiltrKey() const
{
    return chosenKey.isEmpty() ? QString() : quoted(QStringLiteral("CTM"), "=", chosenKey);
}

QString TDB0DM::FiltrHwj() const
{
    const QString &addr = m_selection.chosenAddress;
    return addr.isEmpty() ? QString() : quoted(QStringLiteral("AHWJ"), "=", addr);
}

QString TDB0DM::FiltrDate() const
{
    if (interval.startDate == 0 || interval.endDate == 0)
        return QString();
    return quoted(QStringLiteral("DATUM"), ">=", interval.startText()) +
           quoted(QStringLiteral(" AND DATUM"), "<=", interval.endText());
}

QString TDB0DM::FiltrTime() const
{
    if (interval.startTime == 0 && interval.endTime == 0)
        return QString();
    return quoted(QStringLiteral("CAS"), ">=", FormatHourMinute(interval.startTime)) +
           quoted(QStringLiteral(" AND CAS"), "<=", FormatHourMinute(interval.endTime));
}

// --- processing interval -----------------------------------------------------

void TDB0DM::PrazdnyInterval()
{
    interval.startDate = 0;
    interval.startYear = 0;
    interval.endDate = 0;
    interval.endYear = 0;
}

bool TDB0DM::JeprazdnyInterval() const
{
    return interval.isEmpty();
}

void TDB0DM::TentoMesic()
{
    DatumDnes();
    interval.startDate = PackDayMonth(1, m_dnes.month);
    interval.startYear = m_dnes.year;
    interval.endDate = PackDayMonth(DaysInMonth(m_dnes.year, m_dnes.month), m_dnes.month);
    interval.endYear = m_dnes.year;
}

QString TDB0DM::ObdobiZpracovani() const
{
    return FormatDayMonth(interval.startDate) + QString::number(interval.startYear) +
           QStringLiteral(" - ") + FormatDayMonth(interval.endDate) +
           QString::number(interval.endYear);
}

} // namespace vardex
