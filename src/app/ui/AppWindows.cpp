#include "app/ui/AppWindows.h"

#include "admin/ui/TFrmUni.h"
#include "app/Application.h"
#include "app/ui/HelpViewer.h"
#include "app/ui/MainWindow.h"
#include "app/ui/TFrmPrgpar.h"
#include "app/ui/TMyAbout.h"
#include "app/ui/TSYSLOG.h"
#include "unitops/ui/TFrmSbd.h"

namespace vardex {

void registerAppWindows(MainWindow &window, Application &app)
{
    // The system log window lives, hidden, as long as the main window.
    auto *log = new TSYSLOG(app.db0.systemLog(), app.files(), app.messages(), &window);
    log->installAsShowModal();

    window.registerWindow(QStringLiteral("ParametryProgramu"), [&window, &app] {
        TFrmPrgpar dialog(app.vx.config, app.messages(), &window);
        dialog.exec();
    });
    window.registerWindow(QStringLiteral("DatabazeJednotek"), [&window, &app] {
        TFrmUni units(app.db0, &window);
        units.exec();
    });
    window.registerWindow(QStringLiteral("SberDat"), [&window, &app] {
        TFrmSbd collection(app.db0, &window);
        collection.exec();
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
