#include "attendance/ui/CorrectionWindows.h"

#include "app/Application.h"
#include "attendance/AttendanceProcessing.h"
#include "attendance/ManualReport.h"
#include "attendance/ui/TFrmDopUd.h"
#include "attendance/ui/TLADUDA.h"
#include "attendance/ui/TOPRAVY.h"
#include "platform/Clock.h"
#include "platform/OperatorMessages.h"
#include "timecal/DayMonth.h"

namespace vardex {

void openDayReview(Application &app, AttendanceProcessing &run, QWidget *parent)
{
    const ProcessingInterval &i = app.db0.interval;
    const QDate day =
        i.isEmpty() ? app.clock().today()
                    : QDate(i.startYear, MonthOfDayMonth(i.startDate), DayOfDayMonth(i.startDate));
    {
        TFrmDopUd review(app.db0, app.workDir(), day, true, parent);
        review.exec();
    }
    if (!run.extracted())
        return;
    if (const Result<void> read = run.ReserseDat(); !read)
        app.messages().error(read.error());
}

void openErrorDay(Application &app, const QDate &date, QWidget *parent)
{
    TFrmDopUd review(app.db0, app.workDir(), date, false, parent);
    review.exec();
}

void openCorrections(AttendanceProcessing &run, const QString &title, QWidget *parent)
{
    const EvaluatedPeriod &p = run.period();
    if (p.year == 0)
        return;
    TOPRAVY corrections(run.results, p.year, p.month, title, parent);
    corrections.exec();
}

void makeManualReport(Application &app, AttendanceProcessing &run, QWidget *parent,
                      const std::function<void()> &showReport)
{
    ManualReport report(run, app.db0, app.vx);
    if (const Result<void> prepared = report.prepare(); !prepared) {
        app.messages().error(prepared.error());
        return;
    }
    openCorrections(run, QStringLiteral("Výstupní data pro ") + app.db0.tbKeyJmenoTituly(0),
                    parent);
    if (const Result<void> written = report.write(); !written) {
        app.messages().error(written.error());
        return;
    }
    if (showReport)
        showReport();
}

void openWorkFileListing(Application &app, AttendanceProcessing &run, QWidget *parent)
{
    TLADUDA listing(run.workFileName(), app.db0.chosenKey, app.messages(), parent);
    listing.exec();
}

} // namespace vardex
