#include "AttendanceSite.h"
#include "accessdata/UnitCatalogue.h"
#include "attendance/AttendanceProcessing.h"
#include "attendance/DayReview.h"
#include "attendance/WorkFileListing.h"
#include "events/ReportFile.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

const QString kKey = u"01000000000001"_s;

} // namespace

// A worker who forgot to record his departure: the computation gives the
// error protocol; the departure added in the day review makes the next
// computation give his report.
TEST(DayCorrections, AnAddedDepartureTurnsTheErrorProtocolIntoAReport)
{
    AttendanceSite s;
    ASSERT_TRUE(s.db.tbUniDefaultByType(UnitType::Attendance));
    s.db.tbUni.edit();
    s.db.tbUni.setString(u"ADRESA"_s, u"01"_s);
    s.db.tbUni.setString(u"POUZITI"_s, u"01"_s);
    ASSERT_TRUE(s.db.tbUni.post());
    s.addHolder(kKey, u"Ranní"_s);
    ASSERT_TRUE(s.db.tbEvents.append());
    s.db.tbEvents.setDate(u"DATUM"_s, QDate(2026, 12, 7));
    s.db.tbEvents.setTime(u"CAS"_s, QTime(5, 50));
    s.db.tbEvents.setString(u"AHWJ"_s, u"01"_s);
    s.db.tbEvents.setString(u"CTM"_s, kKey);
    s.db.tbEvents.setString(u"RES"_s, u"00"_s);
    s.db.tbEvents.setBool(u"ORI"_s, true);
    ASSERT_TRUE(s.db.tbEvents.post());
    s.vx.config.outputDir = s.dir.path() + u'/';
    s.db.interval = {PackDayMonth(7, 12), 2026, PackDayMonth(7, 12), 2026};

    AttendanceProcessing run(s.db, s.vx, s.dir.path());
    PlannedMonth plan;
    plan.plan.year = 2026;
    plan.plan.month = 12;
    plan.plan.days[7].first = {MakeHourMinute(6, 0), MakeHourMinute(14, 0), 0, 0};
    plan.plan.days[7].required = plan.required[7] = MakeHourMinute(8, 0);
    run.planFor = [&](PlanChoice) -> Result<PlannedMonth> { return plan; };
    const auto compute = [&] {
        EXPECT_TRUE(run.clearReport());
        EXPECT_TRUE(run.ReserseDat());
        s.db.chosenKey = kKey;
        const Result<bool> done = run.computeChosenKey();
        EXPECT_TRUE(done && *done) << done.error().toStdString();
        const Result<QStringList> lines = readReportFile(s.vx.config.outputDir);
        return lines ? lines->join(u'\n') : lines.error();
    };
    EXPECT_TRUE(compute().contains(u"neukončená směna"_s));
    EXPECT_EQ(workFileListing(run.workFileName(), kKey)->value(0),
              u"000000  >01000000000001 07.12. 05:50 01 00"_s);

    {
        DayReview review(s.db, s.dir.path());
        review.setKey(kKey);
        review.setDate(QDate(2026, 12, 7));
        ASSERT_TRUE(review.show());
        const Result<qint64> added = review.insert(2, MakeHourMinute(14, 10), u"01"_s, u"04"_s);
        ASSERT_TRUE(added) << added.error().toStdString();
    }
    const QString report = compute();
    EXPECT_FALSE(report.contains(u"neukončená směna"_s)) << report.toStdString();
    EXPECT_TRUE(report.contains(u"08:00"_s)) << report.toStdString();
    EXPECT_EQ(*s.vx.tbVder.countRecords(), 0);
}
