#include "comm/UnitCommands.h"

#include "accessdata/TDB0DM.h"
#include "comm/CommandPort.h"
#include "platform/Clock.h"
#include "text/Bcd.h"

namespace vardex {

UnitCommands::UnitCommands(TDB0DM &db, CommandPort &port) : m_db(db), m_port(port)
{
}

bool UnitCommands::send(quint8 address, quint8 code, QByteArrayView data)
{
    m_frame = buildFrame(address, code, data);
    return m_port.SendCommand(m_frame, replyLengthOf(code),
                              replyHandsOutData(code) ? ReplyAck::ByReceiver : ReplyAck::ByPort);
}

bool UnitCommands::sendToCurrent(quint8 code, QByteArrayView data)
{
    return send(m_db.tbUniGetAddr(), code, data);
}

QByteArray UnitCommands::attributeAndKey() const
{
    QByteArray data;
    data.append(char(opravneni.attribute));
    for (quint8 b : opravneni.key)
        data.append(char(b));
    return data;
}

QByteArray UnitCommands::permissionData() const
{
    QByteArray data = attributeAndKey();
    data.append(char(opravneni.dayMask));
    data.append(char(encodeBcd(opravneni.windowStart >> 8)));
    data.append(char(encodeBcd(opravneni.windowStart & 0xFF)));
    data.append(char(encodeBcd(opravneni.windowEnd >> 8)));
    data.append(char(encodeBcd(opravneni.windowEnd & 0xFF)));
    return data;
}

bool UnitCommands::PovelKonfiguraceJednotky()
{
    return sendToCurrent(Cmd::Konfigurace, m_db.tbUniGetKonfig());
}

bool UnitCommands::PovelDuplicitniOpravneni()
{
    return send(opravneni.address, Cmd::DuplicitniOpravneni, permissionData());
}

bool UnitCommands::PovelZakazOpravneni()
{
    return sendToCurrent(Cmd::ZakazOpravneni, attributeAndKey());
}

bool UnitCommands::PovelNastavCas()
{
    const UnitClock clock = encodeClock(m_db.clock().now());
    return sendToCurrent(Cmd::NastavCas,
                         QByteArrayView(reinterpret_cast<const char *>(clock.data()), 7));
}

bool UnitCommands::PovelPrectiUdalosti()
{
    return sendToCurrent(Cmd::PrectiUdalosti);
}

bool UnitCommands::PovelNulovat()
{
    return sendToCurrent(Cmd::Nulovat);
}

bool UnitCommands::PovelUzamknout()
{
    return sendToCurrent(Cmd::Uzamknout);
}

bool UnitCommands::PovelOpravneni()
{
    return send(opravneni.address, Cmd::Opravneni, permissionData());
}

bool UnitCommands::PovelPrectiPamet()
{
    return sendToCurrent(Cmd::PrectiPamet);
}

bool UnitCommands::PovelZapisSaldo()
{
    QByteArray data;
    for (quint8 b : opravneni.key)
        data.append(char(b));
    data.append(char(saldo & 0xFF));
    data.append(char(saldo >> 8));
    return sendToCurrent(Cmd::ZapisSaldo, data);
}

bool UnitCommands::PovelPrectiStavHwj()
{
    return sendToCurrent(Cmd::PrectiStavHwj);
}

bool UnitCommands::PovelNastavReleMask()
{
    const char mask = char(m_db.tbUniGetRele());
    return sendToCurrent(Cmd::NastavReleMask, QByteArrayView(&mask, 1));
}

bool UnitCommands::PovelNastavTamperMask()
{
    const char mask = char(m_db.tbUniGetAlarm());
    return sendToCurrent(Cmd::NastavTamperMask, QByteArrayView(&mask, 1));
}

bool UnitCommands::PovelNaPocatekPameti()
{
    return sendToCurrent(Cmd::NaPocatekPameti);
}

bool UnitCommands::PovelPrectiJednuUdalost()
{
    return sendToCurrent(Cmd::PrectiJednuUdalost);
}

bool UnitCommands::PovelPrectiUdalostAdresa(quint8 address)
{
    return send(address, Cmd::PrectiJednuUdalost);
}

bool UnitCommands::PovelDocasnyZakaz()
{
    return sendToCurrent(Cmd::DocasnyZakaz, attributeAndKey());
}

bool UnitCommands::PovelDocasnyPovoleno()
{
    return sendToCurrent(Cmd::DocasnyPovoleno, attributeAndKey());
}

bool UnitCommands::PovelCasoveOknoTimer()
{
    QByteArray data;
    data.append(char(SekceJednotkyPodleTypu(m_db.tbUniGetTyp(), opravneni.attribute)));
    data.append(char(opravneni.windowStart >> 8));
    data.append(char(opravneni.windowStart & 0xFF));
    data.append(char(opravneni.windowEnd >> 8));
    data.append(char(opravneni.windowEnd & 0xFF));
    return sendToCurrent(Cmd::CasoveOknoTimer, data);
}

bool UnitCommands::PovelOpravneniTimer()
{
    return sendToCurrent(Cmd::OpravneniTimer, timerOpravneni.left(13));
}

} // namespace vardex
