#include "unitops/PermissionUpload.h"

#include "accessdata/TDB0DM.h"
#include "accessdata/UnitCatalogue.h"
#include "text/HexText.h"
#include "text/KeyNumber.h"
#include "unitops/PermissionFile.h"

namespace vardex {

namespace {

const QString kName = QStringLiteral("NAZEV");
const QString kType = QStringLiteral("TYP");

QString prefixOf(int phase)
{
    switch (phase) {
    case 1:
        return QStringLiteral("KONFIGURACE ");
    case 2:
        return QStringLiteral("NULOVÁNÍ ");
    case 4:
        return QStringLiteral("MASKA RELÉ ");
    case 5:
        return QStringLiteral("MASKA POPLACHU ");
    case 6:
        return QStringLiteral("ČAS JEDNOTKY ");
    case 7:
        return QStringLiteral("ZÁMEK ");
    default:
        return QString();
    }
}

bool phaseApplies(int phase, quint8 type)
{
    if (phase == 4)
        return type == UnitType::Attendance;
    if (phase == 5)
        return type != UnitType::Barrier && type != UnitType::BarrierT;
    return true;
}

} // namespace

PermissionUpload::PermissionUpload(TDB0DM &db, TVXDM &vx, const QString &workDir, QObject *parent)
    : QObject(parent), m_db(db), m_expansion(db, vx, workDir), m_workDir(workDir)
{
    m_expansion.progress = [this](int done, int total) { emit progressChanged(done, total); };
}

PermissionUpload::~PermissionUpload()
{
    if (m_installed)
        m_db.KomHwj.OnReceiveData = nullptr;
}

bool PermissionUpload::FormCreate()
{
    m_db.VsechnyJednotky();
    // A unit without an address is on no line.
    UnitSelection &selection = m_db.selection();
    selection.addresses.removeIf(
        [](const QString &a) { return a.size() != 2 || !parseHexByte(a); });
    selection.addresses.removeDuplicates();
    selection.cursor = selection.count() > 0 ? 1 : 0;
    return selection.count() > 0;
}

Result<QStringList> PermissionUpload::btKontrolaClick()
{
    Result<Expansion> expansion = m_expansion.CreateRights(true);
    if (!expansion)
        return expansion.failure();
    QStringList log = std::move(expansion->log);
    if (log.isEmpty())
        log.append(noErrorsLine());
    return log;
}

QString PermissionUpload::noErrorsLine()
{
    return QStringLiteral("Žádné chyby nezjištěny.");
}

Result<bool> PermissionUpload::StartProces()
{
    m_errors = false;
    m_failure.clear();
    const Result<Expansion> expansion = m_expansion.CreateRights(false);
    if (!expansion)
        return expansion.failure();
    Result<QList<PermissionRecord>> records = readPermissionFile(permissionFilePath(m_workDir));
    if (!records)
        return records.failure();
    m_records = std::move(*records);
    m_filePosition = 0;
    emit progressChanged(0, int(m_records.size()));
    if (!FormCreate())
        return false;
    m_position = 1;
    m_phase = CollectPhase;
    m_attempts = 0;
    m_notEmptied.clear();
    m_log.clear();
    m_waiting = false;
    m_running = true;
    m_db.DatumDnes();
    m_db.KomHwj.OnReceiveData = [this](const QByteArray &buffer) { MyReceiveData(buffer); };
    m_installed = true;
    return true;
}

void PermissionUpload::Timer1Timer()
{
    if (!m_running || m_waiting || !m_db.KomHwj.IsFree())
        return;
    if (m_phase == CollectPhase)
        collectTick();
    else if (m_phase == 3)
        recordTick();
    else if (m_phase >= 1 && m_phase <= 7)
        unitTick();
    else
        StopProces();
}

bool PermissionUpload::locate(const QString &address)
{
    m_db.tbUni.setIndex(QString());
    return m_db.tbUni.findKey({address});
}

void PermissionUpload::send(bool sent)
{
    if (sent) {
        m_waiting = true;
        return;
    }
    // The port took no frame: no answer will come.
    m_errors = true;
    m_log.last() += QStringLiteral(" - ") + statusText(Status::NoAnswer);
    emit lastLineChanged(m_log.last());
    emit lineDone(m_log.last());
}

void PermissionUpload::collectTick()
{
    UnitSelection &selection = m_db.selection();
    if (m_position > selection.count()) {
        m_position = 1;
        m_phase = 1;
        return;
    }
    selection.cursor = m_position;
    m_db.GetSelectedUnit();
    if (!locate(selection.currentAddress)) {
        nextCollectedUnit();
        return;
    }
    if (m_db.povely.PovelPrectiUdalosti()) {
        m_waiting = true;
    } else {
        addLine(selection.currentAddress + QLatin1Char(' ') + selection.currentName +
                    QStringLiteral(" - ") + statusText(Status::NoAnswer),
                true);
        m_errors = true;
        nextCollectedUnit(statusText(Status::NoAnswer));
    }
}

void PermissionUpload::nextCollectedUnit(const QString &leftBecause)
{
    if (!leftBecause.isEmpty())
        m_notEmptied.insert(m_db.selection().currentAddress, leftBecause);
    m_attempts = 0;
    ++m_position;
}

void PermissionUpload::collectReply(const QByteArray &buffer)
{
    // The collection's intake: a block is acknowledged only once stored.
    const EventBlockOutcome outcome = m_db.ZpracujBlokUdalosti(buffer, m_db.KomHwj.LastReply());
    if (outcome.kind == EventBlockOutcome::Kind::StoreFailed) {
        // Zeroing the units now would destroy what could not be stored.
        addLine(outcome.message, true);
        m_failure = outcome.message;
        m_errors = true;
        StopProces();
        return;
    }
    if (!outcome.used()) {
        addLine(outcome.message, true);
        const int resCom = m_db.KomHwj.ResCom();
        // A silent unit costs a time-out per read: it is asked once.
        if (resCom == Status::NoAnswer || ++m_attempts >= CollectAttempts) {
            m_errors = true;
            nextCollectedUnit(resCom == Status::NoAnswer
                                  ? statusText(Status::NoAnswer)
                                  : QStringLiteral("události nebyly přečteny"));
        }
        return;
    }
    m_attempts = 0;
    for (const QString &line : outcome.log)
        addLine(line, true);
    const UnitSelection &s = m_db.selection();
    addLine(s.currentAddress + QLatin1Char(' ') + s.currentName + QStringLiteral(" - ") +
                QString::number(outcome.records) + QStringLiteral(" událostí"),
            true);
    if (outcome.records == 0)
        nextCollectedUnit();
}

void PermissionUpload::unitTick()
{
    const UnitSelection &selection = m_db.selection();
    if (m_position > selection.count()) {
        m_position = 1;
        ++m_phase;
        return;
    }
    const QString address = selection.addresses[m_position - 1];
    ++m_position;
    if (!locate(address) || !phaseApplies(m_phase, hexToByte(m_db.tbUni.asString(kType))))
        return;
    const QString line = prefixOf(m_phase) + address + QLatin1Char(' ') +
                         m_db.tbUni.asString(kName) + QLatin1Char(' ');
    if (m_phase == 2 && m_notEmptied.contains(address)) {
        // Zeroing would clear the events the unit still holds.
        m_errors = true;
        addLine(line + QStringLiteral(" - ") + m_notEmptied.value(address), true);
        return;
    }
    addLine(line, false);
    switch (m_phase) {
    case 1:
        send(m_db.povely.PovelKonfiguraceJednotky());
        break;
    case 2:
        send(m_db.povely.PovelNulovat());
        break;
    case 4:
        send(m_db.povely.PovelNastavReleMask());
        break;
    case 5:
        send(m_db.povely.PovelNastavTamperMask());
        break;
    case 6:
        send(m_db.povely.PovelNastavCas());
        break;
    default:
        send(m_db.povely.PovelUzamknout());
        break;
    }
}

void PermissionUpload::recordTick()
{
    if (m_filePosition >= m_records.size()) {
        emit progressChanged(int(m_records.size()), int(m_records.size()));
        m_position = 1;
        m_phase = 4;
        return;
    }
    emit progressChanged(int(m_filePosition), int(m_records.size()));
    const PermissionRecord record = m_records[m_filePosition++];
    const QString address = byteToHex(record.address);
    if (!locate(address))
        return;
    addLine(address + QLatin1Char(' ') + m_db.tbUni.asString(kName) + QStringLiteral(", ") +
                m_db.tbKeyNameOfKey(keyToText(record.key)),
            false);
    m_db.povely.opravneni = record;
    send(m_db.povely.PovelDuplicitniOpravneni());
}

void PermissionUpload::MyReceiveData(const QByteArray &buffer)
{
    if (!m_running || !m_waiting)
        return;
    m_waiting = false;
    if (m_phase == CollectPhase) {
        collectReply(buffer);
        return;
    }
    const int resCom = m_db.KomHwj.ResCom();
    if (!m_log.isEmpty()) {
        m_log.last() += QStringLiteral(" - ") + statusText(quint8(resCom));
        emit lastLineChanged(m_log.last());
        emit lineDone(m_log.last());
    }
    if (resCom != Status::Accepted)
        m_errors = true;
}

void PermissionUpload::btStopClick()
{
    if (!m_running)
        return;
    m_errors = true;
    StopProces();
}

void PermissionUpload::StopProces()
{
    m_running = false;
    m_waiting = false;
    m_phase = EndPhase;
    m_records.clear();
    if (m_installed) {
        m_installed = false;
        m_db.KomHwj.OnReceiveData = nullptr;
    }
    emit finished();
}

QString PermissionUpload::finalMessage() const
{
    return m_errors ? QStringLiteral("POZOR!\r\nChyby při nastavení jednotek")
                    : QStringLiteral("Hotovo!");
}

void PermissionUpload::addLine(const QString &line, bool done)
{
    m_log.append(line);
    emit lineAdded(line);
    if (done)
        emit lineDone(line);
}

} // namespace vardex
