#include "unitops/ClockSetting.h"

#include "accessdata/TDB0DM.h"
#include "comm/Protocol.h"
#include "platform/Clock.h"
#include "text/HexText.h"

#include <QLocale>

namespace vardex {

ClockSetting::ClockSetting(TDB0DM &db, QObject *parent) : QObject(parent), m_db(db)
{
}

ClockSetting::~ClockSetting()
{
    FormDestroy();
}

bool ClockSetting::FormCreate()
{
    // Czech names whatever the machine's locale; "." is the date separator.
    m_pcTime = QLocale(QLocale::Czech, QLocale::CzechRepublic)
                   .toString(m_db.clock().now(), QStringLiteral("dddd, d.MMMM yyyy, hh:mm:ss"));
    m_errors = false;
    m_finished = false;
    m_waiting = false;
    m_log.clear();
    m_stopped = true;
    m_db.VsechnyJednotky();
    UnitSelection &selection = m_db.selection();
    if (selection.count() == 0)
        return false;
    m_db.KomHwj.OnReceiveData = [this](const QByteArray &buffer) { MyReceiveData(buffer); };
    m_installed = true;
    selection.cursor = 1;
    m_stopped = false;
    return true;
}

void ClockSetting::RepeatTimerTimer()
{
    if (m_stopped || m_waiting || !m_db.KomHwj.IsFree())
        return;
    const UnitSelection &selection = m_db.selection();
    const QString address = selection.addresses.value(selection.cursor - 1);
    // Only a unit of the table with a whole address is on the line.
    m_db.tbUni.setIndex(QString());
    const bool known =
        parseHexByte(address) && address.size() == 2 && m_db.tbUni.findKey({address});
    if (known) {
        m_log.append(address + QLatin1Char(' ') + m_db.tbUni.asString(QStringLiteral("NAZEV")));
        emit lineAdded(m_log.last());
        if (m_db.povely.PovelNastavCas()) {
            m_waiting = true;
        } else {
            // The port refused the frame: the unit was not set.
            m_errors = true;
            m_log.last() += QStringLiteral(" - ") + statusText(Status::NoAnswer);
            emit lastLineChanged(m_log.last());
            emit lineDone(m_log.last());
        }
    } else {
        m_log.append((address.isEmpty() ? QStringLiteral("--") : address) +
                     QStringLiteral(" - neznámá jednotka"));
        emit lineAdded(m_log.last());
        emit lineDone(m_log.last());
    }
    advance();
}

void ClockSetting::advance()
{
    UnitSelection &selection = m_db.selection();
    if (selection.cursor >= selection.count()) {
        m_stopped = true;
        // The last unit skipped or refused by the port: no answer will come
        // to end the run, so it ends here.
        if (!m_waiting)
            finish();
    } else {
        ++selection.cursor;
    }
}

void ClockSetting::MyReceiveData(const QByteArray &buffer)
{
    Q_UNUSED(buffer);
    if (!m_waiting)
        return;
    m_waiting = false;
    const int resCom = m_db.KomHwj.ResCom();
    if (!m_log.isEmpty()) {
        m_log.last() += QStringLiteral(" - ") + statusText(quint8(resCom));
        emit lastLineChanged(m_log.last());
        emit lineDone(m_log.last());
    }
    if (resCom != Status::Accepted)
        m_errors = true;
    if (m_stopped)
        finish();
}

void ClockSetting::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    FormDestroy();
    emit done();
}

void ClockSetting::FormDestroy()
{
    if (!m_installed)
        return;
    m_installed = false;
    m_db.KomHwj.OnReceiveData = nullptr;
}

QString ClockSetting::finalMessage() const
{
    return m_errors ? QStringLiteral("POZOR!\r\nChyby při nastavení jednotek")
                    : QStringLiteral("Hotovo!");
}

} // namespace vardex
