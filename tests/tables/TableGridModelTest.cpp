#include "tables/TableGridModel.h"
#include "TableTestData.h"
#include "support/DamagedTable.h"
#include "tables/Transaction.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

#include <random>

using namespace vardex;
using namespace vardex::testing;

class GridModel : public EventTable
{
protected:
    void SetUp() override
    {
        EventTable::SetUp();
        Transaction tx(t);
        for (int i = 0; i < 3000; ++i)
            ASSERT_TRUE(addEvent(
                t, QDate(2026, 1, 1).addDays(i % 40), QTime(7, 0).addSecs(60 * (i % 600)),
                QStringLiteral("%1").arg(i % 5, 2, 10, QChar('0')), "00000000000000", i % 3 != 0));
        ASSERT_TRUE(tx.commit());
        ASSERT_TRUE(t.setIndex("DatIndex"));
        for (t.first(); !t.eof(); t.next())
            order << t.asString("IdEve");
    }
    QStringList order; // IdEve of every record in the table's order
    QList<GridColumn> columns{{"IdEve", "Číslo", true, {}},
                              {"DATUM", "Datum", false, {}},
                              {"ORI", "Původ", true, [](const QVariant &v) {
                                   return v.toBool() ? "jednotka" : "ručně";
                               }}};
};

// Qt's own checks of the model contract (indexes, counts, change signals)
// while the table changes under the model: any breach fails the test.
class ModelContract
{
public:
    explicit ModelContract(QAbstractItemModel &model)
        : m_old(qInstallMessageHandler(&ModelContract::handle)),
          m_tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning)
    {
    }
    ~ModelContract()
    {
        qInstallMessageHandler(m_old);
        EXPECT_TRUE(s_breaches.isEmpty()) << s_breaches.join('\n').toStdString();
        s_breaches.clear();
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type != QtDebugMsg && qstrcmp(context.category, "qt.modeltest") == 0)
            s_breaches << text;
    }
    static inline QStringList s_breaches;
    QtMessageHandler m_old;
    QAbstractItemModelTester m_tester;
};

QString cell(const TableGridModel &model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

TEST_F(GridModel, RowsMatchTheCursorWhateverTheAccessPattern)
{
    TableGridModel model(t, columns);
    ASSERT_EQ(model.rowCount(), 3000);
    for (int r = 0; r < 3000; ++r) // scrolling down
        ASSERT_EQ(cell(model, r, 0), order[r]) << r;
    for (int r = 2999; r >= 0; --r) // and up
        ASSERT_EQ(cell(model, r, 0), order[r]) << r;
    std::mt19937 rng(7); // jumps, near both ends and in between
    for (int i = 0; i < 200; ++i) {
        const int r = int(rng() % 3000);
        ASSERT_EQ(cell(model, r, 0), order[r]) << r;
    }
    EXPECT_FALSE(model.data(model.index(3000, 0)).isValid());
}

TEST_F(GridModel, ColumnsTranslateAndFollowFilterAndEdits)
{
    TableGridModel model(t, columns);
    const ModelContract contract(model);
    EXPECT_EQ(cell(model, 0, 2), QString::fromUtf8("ručně"));
    EXPECT_EQ(cell(model, 0, 1), "01.01.2026");
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, 0), "5"));
    ASSERT_TRUE(t.setFilterText("AHWJ = '03'"));
    t.setFiltered(true);
    EXPECT_EQ(model.rowCount(), 600);
    // Editing a cell moves the cursor there and edits; the post shows.
    ASSERT_TRUE(model.setData(model.index(10, 1), "15.02.2026"));
    EXPECT_EQ(t.state(), TableState::Edit);
    EXPECT_EQ(model.currentRow(), 10);
    EXPECT_EQ(cell(model, 10, 1), "15.02.2026");
    const Bookmark edited = t.bookmark();
    ASSERT_TRUE(t.post());
    EXPECT_EQ(t.bookmark(), edited);
    EXPECT_EQ(cell(model, model.currentRow(), 1), "15.02.2026");
    ASSERT_TRUE(t.remove());
    EXPECT_EQ(model.rowCount(), 599);
}

TEST_F(GridModel, TheRecordBeingInsertedIsEditedInItsOwnRowUntilPostedOrCancelled)
{
    TableGridModel model(t, columns);
    const ModelContract contract(model);
    for (const bool post : {false, true}) {
        ASSERT_TRUE(t.insert());
        model.reload();
        ASSERT_EQ(model.rowCount(), 3001);
        EXPECT_EQ(model.currentRow(), 3000);
        ASSERT_TRUE(model.setData(model.index(3000, 1), QStringLiteral("24.12.2026")));
        EXPECT_EQ(t.state(), TableState::Insert) << "typing into the new row must not post it";
        EXPECT_EQ(cell(model, 3000, 1), QStringLiteral("24.12.2026"));
        if (post) {
            ASSERT_TRUE(t.setText("CAS", "08:00") && t.setText("AHWJ", "01") &&
                        t.setText("CTM", "00000000000000") && t.setText("RES", "80") &&
                        t.setBool("ORI", true) && t.post());
        } else {
            t.cancel();
        }
        model.reload();
        EXPECT_EQ(model.rowCount(), post ? 3001 : 3000);
        EXPECT_FALSE(model.showsInsertRow());
    }
}

TEST_F(GridModel, ADamagedPageIsToldNotShownAsAShortTable)
{
    t.close();
    // Only the records: the count, read from an index, still comes.
    ASSERT_GT(damageMiddlePages(dir.file("WKVREVE.DB"), "WKVREVE"), 0);
    ASSERT_TRUE(t.open());
    ASSERT_TRUE(t.setIndex("")); // in storing order the damage lies midway
    int told = 0;
    QObject::connect(&t, &Table::readError, [&told] { ++told; });
    TableGridModel model(t, columns);
    ASSERT_EQ(model.rowCount(), 3000);
    int shown = 0;
    for (int r = 0; r < 3000; ++r)
        shown += model.data(model.index(r, 0)).isValid();
    EXPECT_GT(shown, 0);
    EXPECT_LT(shown, 3000);
    EXPECT_EQ(told, 1); // once: nothing more is read until the next reload
}
