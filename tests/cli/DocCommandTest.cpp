#include "CliRun.h"
#include "events/ReportFile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;

// Each listing goes to the report file and, the same, to standard output; a
// site without keys has no key listing.
TEST(DocCommand, ListingsOfTheDemoSite)
{
    vardex::testing::TempDir root;
    const QString site = root.file(u"site"_s);
    ASSERT_EQ(runVardex({u"demo-site"_s, site}, root.path()).status, 0);
    for (const auto &[word, first] :
         {std::pair{u"units"_s, u"Jednotka: 01 Vrátnice"_s},
          {u"keys"_s, u"0001 010000004A0000 Ing. Novák Jan"_s},
          {u"permissions"_s, u"010000004A0000 Ing. Novák Jan 1001 Výroba"_s}}) {
        const CmdResult r = runVardex({u"doc"_s, word}, site);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QStringList lines = vardex::readReportFile(site + u"/VYSTUP/"_s).valueOr({});
        EXPECT_EQ(r.out, lines.join(u'\n') + u'\n') << word.toStdString();
        EXPECT_TRUE(r.out.startsWith(first)) << r.out.left(80).toStdString();
    }
    const QString empty = root.file(u"empty"_s);
    ASSERT_TRUE(QDir().mkpath(empty));
    const CmdResult none = runVardex({u"doc"_s, u"keys"_s}, empty);
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.contains(u"žádný klíč"_s)) << none.err.toStdString();
}
