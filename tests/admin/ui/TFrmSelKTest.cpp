#include "admin/ui/TFrmSelK.h"
#include "../AdminSite.h"
#include "admin/ui/RecordNavigator.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

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
    d.searchBox()->setText(u"Č"_s);
    EXPECT_EQ(s.current(), u"Čermák Jan"_s);
    EXPECT_EQ(d.grid()->currentIndex().row(), 2);
}

TEST(TFrmSelK, OnlyADoubleClickChoosesAKey)
{
    for (const bool doubleClick : {true, false}) {
        KeyHolderSite s;
        s.db.chosenKey = u"01000000000005"_s; // left by an earlier choice
        TFrmSelK d(s.db);
        EXPECT_TRUE(s.db.chosenKey.isEmpty());
        execDriven(d, [&] {
            if (doubleClick) { // on the third row in name order
                d.searchBox()->setText(u"A"_s);
                d.rowDoubleClicked(d.model()->index(2, 1));
            } else { // closed without choosing
                d.navigator()->button(RecordNavigator::Last)->click();
                d.close();
            }
        });
        EXPECT_EQ(s.db.chosenKey, doubleClick ? u"01000000000001"_s : QString()) << doubleClick;
    }
}
