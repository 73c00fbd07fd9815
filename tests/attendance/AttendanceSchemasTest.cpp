#include "attendance/AttendanceSchemas.h"
#include "accessdata/AccessSchemas.h"
#include "admin/AdminSchemas.h"

#include <gtest/gtest.h>

using namespace vardex;

// The numbered fields that the data modules address by number are the table's
// own, each at its place, and a number out of range names no field.
TEST(AttendanceSchemas, NumberedFieldsAreTheTablesOwn)
{
    // The table, the field names by number, the first and last number, the
    // place of the first field.
    const std::tuple<TableSchema, QString (*)(int), int, int, int> cases[] = {
        {wkvrDchSchema(), scheduleShiftField, 1, ScheduleCycleDays, 3},
        {wkvrAccSchema(), permissionScheduleField, 1, PermissionRows, 3},
        {wkvrUniSchema(), unitSensorField, 0, UnitSensorCount - 1, 7},
        {wkvrUniSchema(), unitResultField, 0, UnitResultCount - 1, 23},
    };
    for (const auto &[schema, name, first, last, position] : cases) {
        SCOPED_TRACE(schema.baseName.toStdString());
        for (int i = first; i <= last; ++i)
            EXPECT_EQ(schema.fieldIndex(name(i)), position + i - first) << i;
        EXPECT_TRUE(name(first - 1).isEmpty());
        EXPECT_TRUE(name(last + 1).isEmpty());
    }
}

// A name stored in one table and looked up in another must fit on both sides.
TEST(AttendanceSchemas, ReferencingFieldsAreAsWideAsTheFieldTheyName)
{
    const std::tuple<TableSchema, const char *, TableSchema, const char *> cases[] = {
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
    for (const auto &[from, field, to, target] : cases) {
        SCOPED_TRACE(from.baseName.toStdString() + "." + field);
        const FieldDef *f = from.field(field), *t = to.field(target);
        ASSERT_TRUE(f && t);
        EXPECT_EQ(f->size, t->size);
    }
}
