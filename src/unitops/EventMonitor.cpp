#include "unitops/EventMonitor.h"

#include "accessdata/TDB0DM.h"
#include "platform/OperatorMessages.h"
#include "text/HexText.h"

#include <algorithm>

namespace vardex {

EventMonitor::EventMonitor(TDB0DM &db, QObject *parent) : QObject(parent), m_db(db)
{
}

EventMonitor::~EventMonitor()
{
    releasePort();
}

void EventMonitor::FormShow()
{
    m_lineIndex = 9999;
    m_stopped = true;
    m_startable = false;
    emit periodChanged(periodMs(), VypisPeriody());
    emit buttonsChanged();
}

void EventMonitor::tbMonPerChange(int seconds)
{
    m_periodS = std::clamp(seconds, MinPeriodS, MaxPeriodS);
    emit periodChanged(periodMs(), VypisPeriody());
}

QString EventMonitor::VypisPeriody() const
{
    return QString::number(m_periodS) + QStringLiteral(" s.");
}

void EventMonitor::unitsChosen()
{
    // A unit still without an address is on no line; were it polled, its
    // read would go to whatever unit the table stood on.
    UnitSelection &selection = m_db.selection();
    selection.addresses.removeIf(
        [](const QString &a) { return a.size() != 2 || !parseHexByte(a); });
    selection.addresses.removeDuplicates();
    m_startable = selection.count() > 0;
    emit buttonsChanged();
}

bool EventMonitor::btStartClick()
{
    if (!canStart() || m_db.selection().count() == 0)
        return false;
    m_db.KomHwj.OnReceiveData = [this](const QByteArray &buffer) { MonReceiveData(buffer); };
    m_installed = true;
    m_stopped = false;
    m_failure.clear();
    // The first tick moves on to the first chosen unit.
    m_db.selection().cursor = 0;
    emit buttonsChanged();
    return true;
}

void EventMonitor::btPrerusClick()
{
    if (m_stopped)
        return;
    m_stopped = true;
    // The unit lets go of a block only once it is stored; a read under way
    // is still taken in, the port is given back after it.
    if (!m_busy)
        releasePort();
    emit buttonsChanged();
}

void EventMonitor::CheckBox1Click(bool on)
{
    m_db.searchedKeyAlarm = on;
}

void EventMonitor::monTimerTimer()
{
    if (m_stopped || m_busy || !m_db.KomHwj.IsFree())
        return;
    setBusy(true);
    m_db.NextSelectedUnit();
    const UnitSelection &selection = m_db.selection();
    emit unitShown(selection.currentAddress, selection.currentName);
    if (m_db.povely.PovelPrectiUdalosti())
        ++m_readsSent;
    else
        setBusy(false);
}

void EventMonitor::MonReceiveData(const QByteArray &buffer)
{
    setBusy(false);
    if (m_lineIndex > LogLimit) {
        m_log.clear();
        m_lineIndex = -1;
        emit logCleared();
    }
    ++m_repliesTaken;
    // Stored first, acknowledged after: the same intake as the collection.
    const EventBlockOutcome outcome = m_db.ZpracujBlokUdalosti(buffer, m_db.KomHwj.LastReply());
    if (outcome.kind == EventBlockOutcome::Kind::StoreFailed) {
        // The unit keeps the block; reading on would only fail again, or
        // store later blocks past a gap.
        addLine(outcome.message);
        m_failure = outcome.message;
        btPrerusClick();
        releasePort();
        emit replyTaken();
        emit failed(m_failure);
        return;
    }
    if (!outcome.used()) {
        addLine(outcome.message);
    } else {
        m_eventsStored += outcome.stored;
        for (const QString &line : outcome.log)
            addLine(line);
    }
    if (m_stopped)
        releasePort();
    emit replyTaken();
}

void EventMonitor::FormHide()
{
    // Every view of the archive is to show the new events.
    m_db.tbEvents.close();
    if (!m_db.tbEvents.open())
        m_db.messages().error(m_db.tbEvents.errorMessage());
}

void EventMonitor::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}

void EventMonitor::addLine(const QString &line)
{
    m_log.append(line);
    m_lineIndex = int(m_log.size()) - 1;
    emit lineAdded(line);
}

void EventMonitor::releasePort()
{
    if (!m_installed)
        return;
    m_installed = false;
    m_db.KomHwj.OnReceiveData = nullptr;
}

} // namespace vardex
