#include "attendance/TVXDM.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "admin/AdminSchemas.h"
#include "app/ConfigFile.h"
#include "attendance/AttendanceSchemas.h"
#include "attendance/Holidays.h"
#include "events/ReportFile.h"
#include "platform/OperatorMessages.h"

namespace vardex {

TVXDM::TVXDM(TDB0DM &db0, const QString &workDir, OperatorMessages &messages, QObject *parent)
    : QObject(parent), tbAcc(wkvrAccSchema(), workDir), tbSme(wkvrSmeSchema(), workDir),
      tbDch(wkvrDchSchema(), workDir), tbPrs(wkvrPrsSchema(), workDir),
      tbCas(wkvrCasSchema(), workDir), tbSva(wkvrSvaSchema(), workDir),
      tbVdch(wkvrVdchSchema(), workDir), tbVder(wkvrVderSchema(), workDir),
      tbPom(wkvrPomSchema(), workDir), tbPlan(planSchema(), workDir), m_db0(db0),
      m_messages(messages), m_workDir(workDir), m_keyLookup(wkvrKeySchema(), workDir),
      m_scheduleLookup(wkvrDchSchema(), workDir), m_shiftLookup(wkvrSmeSchema(), workDir)
{
    installPostRules();
}

TVXDM::~TVXDM()
{
    CloseApplicationDatabases();
}

bool TVXDM::StartAplikace(const QString &home, QString *error)
{
    if (home.isEmpty())
        return false;
    const Result<ConfigRecord> load = loadOrCreateConfig(home, m_messages);
    if (!load) {
        if (error)
            *error = load.error();
        return false;
    }
    config = *load;
    return true;
}

bool TVXDM::OpenApplicationDatabases(QString *error)
{
    if (!m_db0.OpenMinimalDatabases(error))
        return false;
    m_db0.DatumDnes();
    if (const Result<void> calendar = StandardniKalendar(m_db0.dnes().year); !calendar) {
        if (error)
            *error = calendar.error();
        return false;
    }
    for (Table *t : {&tbAcc, &tbSme, &tbDch, &tbPrs, &tbCas}) {
        if (!t->isOpen() && !t->open()) {
            if (error)
                *error = t->errorMessage();
            return false;
        }
    }
    // A site without its holiday list gets the one the program ships.
    if (const Result<void> list = installHolidayList(m_workDir); !list)
        m_messages.warning(list.error());
    // The other tables are created now so that a new site has every file.
    for (Table *t : {&tbSva, &tbVdch, &tbVder, &tbPom, &tbPlan}) {
        if (t->fileExists())
            continue;
        if (!t->open()) {
            if (error)
                *error = t->errorMessage();
            return false;
        }
        t->close();
    }
    return true;
}

void TVXDM::CloseApplicationDatabases()
{
    m_db0.CloseMinimalDatabases();
    for (Table *t : {&m_keyLookup, &m_scheduleLookup, &m_shiftLookup})
        t->close();
    for (Table *t :
         {&tbAcc, &tbSme, &tbDch, &tbPrs, &tbCas, &tbSva, &tbVdch, &tbVder, &tbPom, &tbPlan})
        t->close();
}

bool TVXDM::ReadIdKeyTM(KeyBytes &key)
{
    m_db0.udalost_dm = EventRecord{};
    if (showKeyDialog)
        showKeyDialog();
    key = m_db0.udalost_dm.key;
    return !isEmptyKey(key);
}

Result<void> TVXDM::ClearOutFile()
{
    return writeReportFile(config.outputDir, {});
}

} // namespace vardex
