#include "admin/ui/TFrmSelK.h"
#include "../AdminSite.h"
#include "admin/ui/RecordNavigator.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

using namespace vardex;
using namespace vardex::testing;

TEST(TFrmSelK, ReadOnlyGridWithMovingButtonsAndTheSearchBoxHasTheFocus)
{
    KeyHolderSite s;
    TFrmSelK d(s.db);
    for (int c = 0; c < d.model()->columnCount(); ++c)
        EXPECT_FALSE(d.model()->flags(d.model()->index(0, c)) & Qt::ItemIsEditable);
    QList<RecordNavigator::Button> shown;
    for (int b = 0; b < RecordNavigator::ButtonCount; ++b)
        if (!d.navigator()->button(RecordNavigator::Button(b))->isHidden())
            shown << RecordNavigator::Button(b);
    EXPECT_EQ(shown, RecordNavigator::movingOnly());

    d.show();
    QApplication::setActiveWindow(&d);
    EXPECT_TRUE(d.searchBox()->hasFocus());
    d.searchBox()->setText(QStringLiteral("Č"));
    EXPECT_EQ(s.current(), QStringLiteral("Čermák Jan"));
    EXPECT_EQ(d.grid()->currentIndex().row(), 2);
}

TEST(TFrmSelK, OnlyADoubleClickChoosesAKey)
{
    struct Case
    {
        const char *name;
        std::function<void(TFrmSelK &)> drive;
        const char *chosen;
    };
    const Case cases[] = {
        {"double-click on the third row in name order",
         [](TFrmSelK &d) {
             d.searchBox()->setText(QStringLiteral("A"));
             d.rowDoubleClicked(d.model()->index(2, 1));
         },
         "01000000000001"},
        {"closed without choosing",
         [](TFrmSelK &d) {
             d.navigator()->button(RecordNavigator::Last)->click();
             d.close();
         },
         ""},
    };
    for (const Case &c : cases) {
        KeyHolderSite s;
        s.db.chosenKey = QStringLiteral("01000000000005"); // left by an earlier choice
        TFrmSelK d(s.db);
        EXPECT_TRUE(s.db.chosenKey.isEmpty()) << c.name;
        execDriven(d, [&] { c.drive(d); });
        EXPECT_EQ(s.db.chosenKey, QLatin1String(c.chosen)) << c.name;
    }
}
