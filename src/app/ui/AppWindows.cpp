#include "app/ui/AppWindows.h"

#include "admin/ui/TFrmCasO.h"
#include "admin/ui/TFrmKey.h"
#include "admin/ui/TFrmOpr.h"
#include "admin/ui/TFrmSysDoc.h"
#include "admin/ui/TFrmUni.h"
#include "app/Application.h"
#include "app/ui/HelpViewer.h"
#include "app/ui/MainWindow.h"
#include "app/ui/TFrmPrgpar.h"
#include "app/ui/TMyAbout.h"
#include "app/ui/TSYSLOG.h"
#include "attendance/ui/TDBSVAT.h"
#include "attendance/ui/TDOCHAZ.h"
#include "attendance/ui/TFrmDopUd.h"
#include "attendance/ui/TFrmPrs.h"
#include "attendance/ui/TFrmRozDch.h"
#include "attendance/ui/TPARNOC.h"
#include "attendance/ui/TROCPLN.h"
#include "attendance/ui/TSELSME.h"
#include "events/ui/TEVEDB.h"
#include "events/ui/TINTERVAL.h"
#include "timecal/DayMonth.h"
#include "unitops/ui/TFrmGetSta.h"
#include "unitops/ui/TFrmMon.h"
#include "unitops/ui/TFrmSbd.h"
#include "unitops/ui/TFrmSetAll.h"
#include "unitops/ui/TFrmSetTim.h"
#include "unitops/ui/TKeyDlg.h"

#include <QApplication>

namespace vardex {

void registerAppWindows(MainWindow &window, Application &app)
{
    // The system log window lives, hidden, as long as the main window.
    auto *log = new TSYSLOG(app.db0.systemLog(), app.files(), app.messages(), &window);
    log->installAsShowModal();

    // The key reading dialog, for every window that reads a key at a unit;
    // it opens over the window that is active at the time.
    app.vx.showKeyDialog = [&window, &app] {
        QWidget *over = QApplication::activeModalWidget();
        TKeyDlg dialog(app.db0, app.vx, over ? over : &window);
        dialog.exec();
    };
    // The date dialog of the processing interval, likewise.
    app.db0.showDateDialog = [&window](const DatePeriodRequest &request) {
        QWidget *over = QApplication::activeModalWidget();
        return TINTERVAL::choose(request, over ? over : &window);
    };

    window.registerWindow(QStringLiteral("ParametryProgramu"), [&window, &app] {
        TFrmPrgpar dialog(app.vx.config, app.messages(), &window);
        dialog.exec();
    });
    window.registerWindow(QStringLiteral("DatabazeJednotek"), [&window, &app] {
        TFrmUni units(app.db0, &window);
        units.exec();
    });
    window.registerWindow(QStringLiteral("DatabazeKlicu"), [&window, &app] {
        TFrmKey keys(app.db0, app.vx, app.files(), &window);
        keys.exec();
    });
    window.registerWindow(QStringLiteral("DatabazeSkupOpr"), [&window, &app] {
        TFrmOpr groups(app.db0, app.vx, &window);
        groups.exec();
    });
    window.registerWindow(QStringLiteral("DatabazeCasu"), [&window, &app] {
        TFrmCasO schedules(app.vx, app.messages(), &window);
        schedules.exec();
    });
    window.registerWindow(QStringLiteral("DokumentaceSystemu"), [&window, &app] {
        TFrmSysDoc documents(app.db0, app.vx, app.files(), &window);
        documents.exec();
    });
    window.registerWindow(QStringLiteral("StavJednotek"), [&window, &app] {
        TFrmGetSta state(app.db0, &window);
        state.exec();
    });
    window.registerWindow(QStringLiteral("NastaveniCasu"), [&window, &app] {
        TFrmSetTim clocks(app.db0, &window);
        clocks.exec();
    });
    window.registerWindow(QStringLiteral("NastaveniPrav"), [&window, &app] {
        TFrmSetAll upload(app.db0, app.vx, app.workDir(), &window);
        upload.exec();
    });
    window.registerWindow(QStringLiteral("MonitorUdalosti"), [&window, &app] {
        TFrmMon monitor(app.db0, &window);
        monitor.exec();
    });
    window.registerWindow(QStringLiteral("SberDat"), [&window, &app] {
        TFrmSbd collection(app.db0, &window);
        collection.exec();
    });
    window.registerWindow(QStringLiteral("DatabazeUdalosti"), [&window, &app] {
        TEVEDB events(app.db0, app.vx.config.outputDir, app.files(), &window);
        events.exec();
    });
    window.registerWindow(QStringLiteral("DatabazePracSkupin"), [&window, &app] {
        TFrmPrs groups(app.db0, app.vx, &window);
        groups.exec();
    });
    window.registerWindow(QStringLiteral("DabazeSmen"), [&window, &app] {
        TSELSME shifts(app.vx, app.messages(), app.files(), false, &window);
        shifts.exec();
    });
    window.registerWindow(QStringLiteral("DatabazeRozpisu"), [&window, &app] {
        TFrmRozDch schedules(app, &window);
        schedules.exec();
    });
    window.registerWindow(QStringLiteral("Databazerozpisu1"),
                          [&window, &app] { TROCPLN::showWindow(app, &window); });
    window.registerWindow(QStringLiteral("Svatky"), [&window, &app] {
        TDBSVAT::showWindow(app.vx, app.db0, app.workDir(), &window);
    });
    window.registerWindow(QStringLiteral("ZpracovaniDochazky"), [&window, &app] {
        TDOCHAZ attendance(app, &window);
        attendance.exec();
    });
    // The day review straight from the menu: today's day, with the panel for
    // choosing another day and worker.
    window.registerWindow(QStringLiteral("UdalostiDochazky"), [&window, &app] {
        app.db0.DatumDnes();
        const Date &today = app.db0.dnes();
        app.db0.interval.startDate = app.db0.interval.endDate =
            PackDayMonth(today.day, today.month);
        app.db0.interval.startYear = app.db0.interval.endYear = today.year;
        TFrmDopUd review(app.db0, app.workDir(), QDate(today.year, today.month, today.day), true,
                         &window);
        review.exec();
    });
    window.registerWindow(QStringLiteral("Doasntolerancenonsmny1"), [&window, &app] {
        TPARNOC tolerance(app.vx, &window);
        tolerance.exec();
    });
    window.registerWindow(QStringLiteral("UcelProgramu"), [&window] {
        TMyAbout about(&window);
        about.exec();
    });
    window.registerWindow(QStringLiteral("Napoveda"), [&window, &app] {
        HelpViewer::showHelp(app.messages(), &window, QStringLiteral(VARDEX_SOURCE_HELP_DIR));
    });
}

} // namespace vardex
