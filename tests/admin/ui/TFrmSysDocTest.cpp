#include "admin/ui/TFrmSysDoc.h"
#include "../DocumentationSite.h"
#include "events/ui/TOUTTXT.h"
#include "support/WindowDriving.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

using namespace vardex;
using namespace vardex::testing;

// Without keys only "Popis jednotek" is offered; it runs from the window's
// loop and ends in the output window with the bar full.
TEST(TFrmSysDoc, UnitDescriptionEndsInTheOutputWindow)
{
    DocumentationSite site;
    site.vx.config.outputDir = site.outputDir();
    TFrmSysDoc window(site.db, site.vx, site.files);
    EXPECT_TRUE(window.unitsButton()->isEnabled());
    EXPECT_FALSE(window.keysButton()->isEnabled());
    EXPECT_FALSE(window.permissionsButton()->isEnabled());

    QString shown;
    int bar = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto *report = qobject_cast<TOUTTXT *>(QApplication::activeModalWidget());
        if (!report)
            return;
        watch.stop();
        shown = report->textArea()->toPlainText();
        bar = window.progressBar()->value();
        report->reject();
        QTimer::singleShot(0, &window, &QDialog::accept);
    });
    execDriven(window, [&] {
        window.unitsButton()->click();
        EXPECT_TRUE(window.running());
        EXPECT_FALSE(window.unitsButton()->isEnabled());
        watch.start(5);
    });
    EXPECT_TRUE(shown.startsWith(u"Jednotka: 01 přístupová \nTyp: přístupová \n"_s))
        << shown.toStdString();
    EXPECT_EQ(bar, 3);
    EXPECT_TRUE(window.unitsButton()->isEnabled());
}
