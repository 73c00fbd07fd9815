#include "CliRun.h"
#include "events/ReportFile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;

// Each listing goes to the report file and, the same, to standard output; a
// site without keys has no key listing and keeps its report.
TEST(DocCommand, ListingsOfTheDemoSite)
{
    vardex::testing::TempDir root;
    const QString site = root.file(u"site"_s);
    ASSERT_EQ(runVardex({u"demo-site"_s, site}, root.path()).status, 0);
    const struct
    {
        QString word;
        QString first;
        int records; // lines that begin a record
        QString begins;
    } cases[] = {
        {u"units"_s, u"Jednotka: 01 Vrátnice"_s, 5, u"Jednotka: "_s},
        {u"keys"_s, u"0001 010000004A0000 Ing. Novák Jan"_s, 30, u"00"_s},
        {u"permissions"_s, u"010000004A0000 Ing. Novák Jan 1001 Výroba"_s, 30, u"ROZPIS "_s},
    };
    for (const auto &c : cases) {
        const CmdResult r = runVardex({u"doc"_s, c.word}, site);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QStringList lines = vardex::readReportFile(site + u"/VYSTUP/"_s).valueOr({});
        EXPECT_EQ(r.out, lines.join(u'\n') + u'\n') << c.word.toStdString();
        EXPECT_TRUE(lines.value(0).startsWith(c.first)) << lines.value(0).toStdString();
        EXPECT_EQ(lines.filter(QRegularExpression(u"^"_s + c.begins)).size(), c.records);
        EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{QString(), QString()}));
    }

    const QString empty = root.file(u"empty"_s);
    ASSERT_TRUE(QDir().mkpath(empty));
    const CmdResult none = runVardex({u"doc"_s, u"keys"_s}, empty);
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.contains(u"žádný klíč"_s)) << none.err.toStdString();
}
