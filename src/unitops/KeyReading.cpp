#include "unitops/KeyReading.h"

#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "platform/OperatorMessages.h"
#include "text/HexText.h"

#include <algorithm>

namespace vardex {

namespace {

// The one-event reply as the port hands it over: 16 data bytes and the
// checksum position.
constexpr qsizetype kOneEventChunk = OneEventLength + 1;
// Where the key of the reply's event slot starts.
constexpr int kKeyOffset = 4;

} // namespace

KeyReading::KeyReading(TDB0DM &db, TVXDM &vx, QObject *parent) : QObject(parent), m_db(db), m_vx(vx)
{
}

KeyReading::~KeyReading()
{
    FormDestroy();
}

void KeyReading::FormCreate()
{
    m_db.KomHwj.OnReceiveData = [this](const QByteArray &buffer) { MyReceiveData(buffer); };
    m_open = true;
    m_waiting = false;
    m_manualVisible = false;
    m_asked.reset();
    m_key.reset();
    m_failure.clear();
    m_address = m_vx.config.keyReaderAddress;
    ShowAddr();
    m_db.udalost_dm = EventRecord{};
}

void KeyReading::FormDestroy()
{
    if (!m_open)
        return;
    m_open = false;
    if (m_waiting && m_asked) {
        // The unit drops the event it hands out once the port acknowledges
        // it; the reply to a read still under way must not be thrown away.
        TDB0DM *db = &m_db;
        const quint8 asked = *m_asked;
        m_db.KomHwj.OnReceiveData = [db, asked](const QByteArray &buffer) {
            db->KomHwj.OnReceiveData = nullptr;
            takeOneEvent(*db, asked, buffer);
        };
    } else {
        m_db.KomHwj.OnReceiveData = nullptr;
    }
    m_waiting = false;
    m_vx.config.keyReaderAddress = m_address;
}

QString KeyReading::addrText() const
{
    return byteToHex(m_address);
}

void KeyReading::ShowAddr()
{
    emit addressShown(addrText());
}

void KeyReading::UpDown1Click(int value)
{
    m_address = quint8(std::clamp(value, 0, 255));
    ShowAddr();
}

bool KeyReading::getKeyClick()
{
    if (!m_open || m_waiting)
        return false;
    setWaiting(true);
    m_asked = m_address;
    if (m_db.povely.PovelPrectiUdalostAdresa(*m_asked))
        return true;
    setWaiting(false);
    return false;
}

void KeyReading::MyReceiveData(const QByteArray &buffer)
{
    if (!m_open)
        return;
    // A late reply of the unit asked still counts: the port has
    // acknowledged it, so the unit no longer holds its event.
    const OneEvent taken = m_asked ? takeOneEvent(m_db, *m_asked, buffer) : OneEvent{};
    m_waiting = false;
    m_failure = taken.failure;
    if (taken.key && !isEmptyKey(*taken.key))
        keyRead(*taken.key);
    // A time-out, a refusal, another chunk or an event without a key: the
    // operator may try again.
    emit waitingChanged(false);
}

void KeyReading::btCancClick()
{
    emit closeRequested();
}

void KeyReading::imaOtazClick()
{
    m_manualVisible = true;
    emit manualEntryChanged(true);
}

bool KeyReading::SpeedButton1Click(const QString &text)
{
    m_manualVisible = false;
    emit manualEntryChanged(false);
    const std::optional<KeyBytes> key = parseKeyText(text);
    if (!key || isEmptyKey(*key))
        return false;
    keyRead(*key);
    return true;
}

KeyReading::OneEvent KeyReading::takeOneEvent(TDB0DM &db, quint8 asked, const QByteArray &buffer)
{
    // The event goes to the archive like a collected one, and the unit is
    // acknowledged only once it is stored; storing it uses the event
    // record, which holds the transfer area.
    const EventRecord transfer = db.udalost_dm;
    const EventBlockOutcome outcome =
        db.ZpracujBlokUdalostiAdresy(asked, buffer, db.KomHwj.LastReply());
    db.udalost_dm = transfer;
    OneEvent taken;
    if (outcome.kind == EventBlockOutcome::Kind::StoreFailed) {
        // The unit keeps the event; the operator is to know why.
        taken.failure = outcome.message;
        db.messages().error(outcome.message);
        return taken;
    }
    if (!outcome.used() || buffer.size() != kOneEventChunk)
        return taken;
    KeyBytes key{};
    std::copy_n(buffer.constData() + kKeyOffset, key.size(), key.begin());
    taken.key = key;
    return taken;
}

void KeyReading::setWaiting(bool waiting)
{
    m_waiting = waiting;
    emit waitingChanged(waiting);
}

void KeyReading::keyRead(const KeyBytes &key)
{
    m_key = key;
    m_db.udalost_dm.key = key;
    emit closeRequested();
}

} // namespace vardex
