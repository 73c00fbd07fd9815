#include "events/ui/TEVEDB.h"
#include "events/EventTestSite.h"
#include "events/ui/EventFilterPanels.h"
#include "events/ui/TOUTTXT.h"
#include "support/ScriptedFileChooser.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using namespace vardex;
using namespace vardex::testing;

TEST(TEVEDB, ShowsWordsForCodesFiltersSortsAndPrints)
{
    EventTestSite site;
    ScriptedFileChooser files;
    const QString out = site.dir.path() + "/";
    {
        TEVEDB window(site.db, out, files);
        EXPECT_EQ(window.counter()->text(), "4 záznamů");
        TableGridModel *m = window.model();
        auto row = [m](int r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c)
                cells << m->index(r, c).data().toString();
            return cells;
        };
        EXPECT_EQ(row(0), QStringList({"01.12.2026", "07:30", "Vrátnice", "Novák Jan",
                                       "Dveře 0 / příchod, povoleno      "}));
        EXPECT_EQ(row(3), QStringList({"02.01.2026", "07:30", "# Neznámá #", "Novák Jan", ""}));

        // The free filter: a text the language refuses is told, the
        // table stays unfiltered; Escape closes the panel, not the window.
        window.criterionButton(5)->click();
        ASSERT_FALSE(window.freePanel()->isHidden());
        window.freePanel()->box()->setEditText("NIC='1'");
        window.freeToggle()->click();
        EXPECT_EQ(site.messages.texts(ScriptedMessages::Kind::Error).size(), 1);
        EXPECT_EQ(window.counter()->text(), "4 záznamů");
        window.freePanel()->box()->setEditText("RES='38'");
        window.freePanel()->selectButton()->click();
        EXPECT_EQ(window.counter()->text(), "1 záznamů");
        window.toggle(FilterPart::Date)->click(); // the next recombination
        EXPECT_EQ(window.counter()->text(), "4 záznamů");

        window.sortSelector()->setCurrentIndex(5);
        emit window.sortSelector()->activated(5);
        EXPECT_FALSE(window.searchBox()->isEnabled());

        site.messages.answer(Answer::Yes);
        QString shown;
        runDriven([&] { window.printButton()->click(); },
                  [&] {
                      auto *report = qobject_cast<TOUTTXT *>(QApplication::activeModalWidget());
                      ASSERT_TRUE(report);
                      shown = report->textArea()->toPlainText();
                      report->reject();
                  });
        EXPECT_TRUE(shown.contains("\n01.12.2026 07:30  Vrátnice Novák Jan"))
            << shown.toStdString();
    }
    // Closing leaves the table open, unfiltered, in its first order.
    EXPECT_TRUE(site.db.tbEvents.isOpen());
    EXPECT_FALSE(site.db.tbEvents.filtered());
    EXPECT_EQ(site.db.tbEvents.indexName(), "");
}
