#include "unitops/Collection.h"

#include "accessdata/TDB0DM.h"

#include <algorithm>
#include <optional>

namespace vardex {

namespace {

std::optional<quint8> addressOf(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.size() != 2)
        return std::nullopt;
    return quint8(value);
}

} // namespace

Collection::Collection(TDB0DM &db, QObject *parent) : QObject(parent), m_db(db)
{
}

Collection::~Collection()
{
    if (!m_stopped)
        m_db.KomHwj.OnReceiveData = nullptr;
}

bool Collection::FormCreate()
{
    m_db.DatumDnes();
    m_db.KomHwj.OnReceiveData = [this](const QByteArray &buffer) { SbdReceiveData(buffer); };
    m_lineIndex = 9999;
    m_stopped = true;
    m_readsSent = 0;
    m_eventsReceived = 0;
    m_failure.clear();

    m_db.VsechnyJednotky();
    // A unit still without an address cannot be read; were it left in the
    // selection, the collection would wait for it for ever.
    UnitSelection &selection = m_db.selection();
    selection.addresses.removeIf([](const QString &a) { return !addressOf(a); });
    selection.addresses.removeDuplicates();
    m_pending.fill(0);
    m_names.clear();
    for (int i = 1; i <= selection.count(); ++i) {
        selection.cursor = i;
        m_db.GetSelectedUnit();
        m_pending[*addressOf(selection.currentAddress)] = Unread;
        m_names.append(selection.currentAddress + QLatin1Char(' ') + selection.currentName);
    }
    if (selection.count() == 0) {
        selection.cursor = 0;
        return false;
    }
    selection.cursor = 1;
    m_stopped = false;
    return true;
}

void Collection::sbdTimerTimer()
{
    if (m_stopped || !m_db.KomHwj.IsFree())
        return;
    if (VsechnoNulove()) {
        KonecSberuDat();
        return;
    }
    m_db.NextSelectedUnit();
    if (m_db.povely.PovelPrectiUdalosti())
        ++m_readsSent;
}

quint8 &Collection::currentEntry()
{
    return m_pending[addressOf(m_db.selection().currentAddress).value_or(0)];
}

void Collection::SbdReceiveData(const QByteArray &buffer)
{
    if (m_stopped)
        return;
    if (m_lineIndex > LogLimit) {
        m_log.clear();
        m_lineIndex = -1;
        emit logCleared();
    }
    // A block that did not arrive whole and right is only logged: it was
    // not acknowledged, so the unit hands it out again.
    const EventBlockOutcome outcome = m_db.ZpracujBlokUdalosti(buffer, m_db.KomHwj.LastReply());
    if (outcome.kind == EventBlockOutcome::Kind::StoreFailed) {
        // The unit keeps the block; reading on would only fail again, or
        // store later blocks past a gap.
        addLine(outcome.message);
        m_failure = outcome.message;
        currentEntry() = Unread;
        KonecSberuDat();
        return;
    }
    if (!outcome.used()) {
        addLine(outcome.message);
        currentEntry() = Unread;
        return;
    }
    const int n = outcome.records;
    currentEntry() = quint8(n);
    m_eventsReceived += n;
    for (const QString &line : outcome.log)
        addLine(line);
    const UnitSelection &s = m_db.selection();
    addLine(s.currentAddress + QLatin1Char(' ') + s.currentName + QStringLiteral(" - ") +
            QString::number(n) + QStringLiteral(" událostí"));
}

void Collection::KonecSberuDat()
{
    const bool wasCollecting = !m_stopped;
    m_stopped = true;
    m_db.KomHwj.OnReceiveData = nullptr;
    if (wasCollecting)
        emit finished();
}

bool Collection::VsechnoNulove() const
{
    return std::all_of(m_pending.begin(), m_pending.end(), [](quint8 e) { return e == 0; });
}

QStringList Collection::pendingUnits() const
{
    QStringList units;
    const QStringList &addresses = m_db.selection().addresses;
    for (qsizetype i = 0; i < addresses.size() && i < m_names.size(); ++i)
        if (m_pending[*addressOf(addresses[i])] != 0)
            units.append(m_names[i]);
    return units;
}

void Collection::addLine(const QString &line)
{
    m_log.append(line);
    m_lineIndex = int(m_log.size()) - 1;
    emit lineAdded(line);
}

} // namespace vardex
