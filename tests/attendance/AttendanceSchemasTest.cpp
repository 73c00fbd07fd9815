#include "attendance/AttendanceSchemas.h"
#include "accessdata/AccessSchemas.h"
#include "admin/AdminSchemas.h"

#include <gtest/gtest.h>

using namespace vardex;

// The numbered fields that the data modules address by number are the table's
// own, each at its place, and a number out of range names no field.
TEST(AttendanceSchemas, NumberedFieldsAreTheTablesOwn)
{
    const struct
    {
        TableSchema schema;
        QString (*name)(int);
        int first, last, position;
    } cases[] = {
        {wkvrDchSchema(), scheduleShiftField, 1, ScheduleCycleDays, 3},
        {wkvrAccSchema(), permissionScheduleField, 1, PermissionRows, 3},
        {wkvrUniSchema(), unitSensorField, 0, UnitSensorCount - 1, 7},
        {wkvrUniSchema(), unitResultField, 0, UnitResultCount - 1, 23},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.schema.baseName.toStdString());
        for (int i = c.first; i <= c.last; ++i)
            EXPECT_EQ(c.schema.fieldIndex(c.name(i)), c.position + i - c.first) << i;
        EXPECT_TRUE(c.name(c.first - 1).isEmpty());
        EXPECT_TRUE(c.name(c.last + 1).isEmpty());
    }
}

// A name stored in one table and looked up in another must fit on both sides.
TEST(AttendanceSchemas, ReferencingFieldsAreAsWideAsTheFieldTheyName)
{
    const struct
    {
        TableSchema from;
        const char *field;
        TableSchema to;
        const char *target;
    } cases[] = {
        {wkvrKeySchema(), "PRACOVISTE", wkvrPrsSchema(), "PRACOVISTE"},
        {wkvrKeySchema(), "ROZPIS", wkvrDchSchema(), "ROZPIS"},
        {wkvrKeySchema(), "OPRAVNENI", wkvrAccSchema(), "OPRAVNENI"},
        {wkvrAccSchema(), "R1", wkvrCasSchema(), "NAZEVROZVRHU"},
        {wkvrDchSchema(), "NazevDruhuSmeny_21", wkvrSmeSchema(), "NazevSmeny"},
        {eventsSchema(), "AHWJ", wkvrUniSchema(), "ADRESA"},
        {eventsSchema(), "CTM", wkvrKeySchema(), "CTM"},
        {wkvrKeyXSchema(), "CTM", wkvrKeySchema(), "CTM"},
        {wkvrVdchSchema(), "CTM", wkvrKeySchema(), "CTM"},
        {wkvrVderSchema(), "CTM", wkvrKeySchema(), "CTM"},
        {wkvrRplSchema(), "KLIC", wkvrKeySchema(), "CTM"},
        {tabKeySchema(), "CTM", wkvrKeySchema(), "CTM"},
        {tabKeySchema(), "JMENO", wkvrKeySchema(), "JMENO"},
        {tabKeySchema(), "OSCIS", wkvrKeySchema(), "OSCIS"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.from.baseName.toStdString() + "." + c.field);
        const FieldDef *from = c.from.field(c.field);
        const FieldDef *to = c.to.field(c.target);
        ASSERT_NE(from, nullptr);
        ASSERT_NE(to, nullptr);
        EXPECT_EQ(from->size, to->size);
    }
}
