#include "unitops/StateQuery.h"

#include "accessdata/TDB0DM.h"
#include "comm/Protocol.h"

namespace vardex {

StateQuery::StateQuery(TDB0DM &db, QObject *parent) : QObject(parent), m_db(db)
{
}

StateQuery::~StateQuery()
{
    FormDeactivate();
}

void StateQuery::FormActivate()
{
    m_db.KomHwj.OnReceiveData = [this](const QByteArray &buffer) { MyReceiveData(buffer); };
    m_installed = true;
}

void StateQuery::FormDeactivate()
{
    if (!m_installed)
        return;
    m_installed = false;
    m_db.KomHwj.OnReceiveData = nullptr;
}

bool StateQuery::DBGrid1DblClick()
{
    if (m_waiting || m_db.tbUni.isEmpty())
        return false;
    m_unit = m_db.tbUni.asString(QStringLiteral("ADRESA")) + QLatin1Char(' ') +
             m_db.tbUni.asString(QStringLiteral("NAZEV"));
    setStatus(QStringLiteral("Čtení stavu "));
    m_state.fill('\0');
    if (!m_db.povely.PovelPrectiStavHwj()) {
        setStatus(QString());
        return false;
    }
    m_waiting = true;
    emit gridVisibleChanged(false);
    return true;
}

void StateQuery::MyReceiveData(const QByteArray &buffer)
{
    if (!m_waiting)
        return;
    m_waiting = false;
    const ReplyClass &reply = m_db.KomHwj.LastReply();
    // Only a whole reply with a right checksum is a state; a unit's refusal
    // (one status byte), a time-out or a damaged reply is told in the
    // status field rather than shown as a state of zeros.
    if (!buffer.isEmpty() && reply.resCom == ResComCode::Accepted) {
        m_state = buffer.left(StateBufferSize).leftJustified(StateBufferSize, '\0');
        emit gridVisibleChanged(true);
        emit stateReceived();
        return;
    }
    const QString why = reply.checksumFailed ? rxCrcErrorText() : statusText(quint8(reply.resCom));
    setStatus(m_unit + QStringLiteral(" - ") + why);
    emit gridVisibleChanged(true);
}

void StateQuery::stateShown()
{
    setStatus(QString());
}

void StateQuery::setStatus(const QString &text)
{
    m_status = text;
    emit statusChanged(text);
}

} // namespace vardex
