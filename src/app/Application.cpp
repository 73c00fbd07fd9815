#include "app/Application.h"

#include "platform/OperatorMessages.h"

namespace vardex {

QString applicationTitle()
{
    return QStringLiteral("VARDEX ver. 1.2");
}

Application::Application(const QString &workDir, const QString &home, OperatorMessages &messages,
                         FileChooser &files, Clock &clock)
    : db0(workDir, messages, clock), vx(db0, workDir, messages), obj(workDir), rpl(workDir),
      m_workDir(workDir), m_home(home), m_messages(messages), m_files(files), m_clock(clock)
{
}

Application::~Application()
{
    quit();
}

void Application::useSerialPort()
{
    openPort = [this](QString *error) {
        const OpenPortResult result = db0.KomHwj.OpenPort();
        if (!result.ok && error)
            *error =
                result.error ? result.error->Message : QStringLiteral("Chyba při otevírání COM");
        return result.ok;
    };
    closePort = [this] { db0.KomHwj.ClosePort(); };
}

QList<Table *> Application::tables()
{
    return {&db0.tbKey, &db0.tbUni, &db0.tbEvents, &db0.tbSKey,    &vx.tbAcc,    &vx.tbSme,
            &vx.tbDch,  &vx.tbPrs,  &vx.tbCas,     &vx.tbSva,      &vx.tbVdch,   &vx.tbVder,
            &vx.tbPom,  &vx.tbPlan, &obj.tbZony,   &obj.tbObjekty, &obj.tbKlice, &rpl.tbRpl};
}

StartOutcome Application::start()
{
    QString error;
    if (openPort && !openPort(&error)) {
        m_messages.error(error);
        return StartOutcome::Failed;
    }
    if (!vx.StartAplikace(m_home, &error)) {
        if (error.isEmpty())
            return StartOutcome::NoHome;
        m_messages.error(error);
        return StartOutcome::Failed;
    }
    // The zone and plan modules opened their tables when created; a table
    // that failed there stops the start like any other.
    for (const QString &early : {obj.openError(), rpl.openError()}) {
        if (!early.isEmpty()) {
            m_messages.error(early);
            return StartOutcome::Failed;
        }
    }
    if (!vx.OpenApplicationDatabases(&error)) {
        m_messages.error(error);
        return StartOutcome::Failed;
    }
    menu.PocatecniMoznosti();
    if (!PosouditMoznosti())
        return StartOutcome::Failed;
    menu.setStarted(true);
    return StartOutcome::Started;
}

Result<MenuFacts> Application::facts()
{
    QString failure;
    auto count = [&failure](Table &table) {
        const Result<qint64> n = table.countRecords();
        if (!n && failure.isEmpty())
            failure = n.error();
        return n.valueOr(0);
    };
    MenuFacts f;
    f.units = int(count(db0.tbUni));
    db0.VsechnyJednotkyTypu(QStringLiteral("02"));
    f.attendanceUnits = db0.selection().count();
    f.externalEntrance = db0.tbUniExistujiVnejsi();
    f.keys = count(db0.tbKey) > 0;
    f.permissionGroups = count(vx.tbAcc) > 0;
    f.accessSchedules = count(vx.tbCas) > 0;
    f.shifts = count(vx.tbSme) > 0;
    f.shiftSchedules = count(vx.tbDch) > 0;
    if (!failure.isEmpty())
        return Failure{failure};
    return f;
}

bool Application::PosouditMoznosti()
{
    const Result<MenuFacts> f = facts();
    if (!f) {
        m_messages.error(f.error());
        return false;
    }
    menu.PosouditMoznosti(*f);
    return true;
}

void Application::quit()
{
    if (m_closed)
        return;
    m_closed = true;
    vx.CloseApplicationDatabases();
    if (closePort)
        closePort();
}

} // namespace vardex
