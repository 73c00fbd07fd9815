#include "admin/AdminSchemas.h"

#include <gtest/gtest.h>

using namespace vardex;

// 32 rows: two characters of address and of attribute per row, and one
// schedule field per row wide enough for any schedule name.
TEST(AdminSchemas, PermissionGroupHoldsThirtyTwoRows)
{
    const TableSchema acc = wkvrAccSchema();
    EXPECT_EQ(acc.field("P_AHW")->size, 2 * PermissionRows);
    EXPECT_EQ(acc.field("P_MSK")->size, 2 * PermissionRows);
    const int scheduleName = wkvrCasSchema().field("NAZEVROZVRHU")->size;
    for (int row = 1; row <= PermissionRows; ++row) {
        const FieldDef *r = acc.field(permissionScheduleField(row));
        ASSERT_NE(r, nullptr) << row;
        EXPECT_EQ(r->size, scheduleName) << row;
    }
}

TEST(AdminSchemas, EmptyZoneTableIsSeededWithTheOuterZoneAsNumberOne)
{
    const TableSchema zones = tabZonSchema();
    const QList<QVariantMap> records = tabZonInitialRecords();
    ASSERT_EQ(records.size(), 1);
    for (auto it = records[0].cbegin(); it != records[0].cend(); ++it)
        EXPECT_GE(zones.fieldIndex(it.key()), 0) << it.key().toStdString();
    EXPECT_EQ(records[0].value("ZONA").toInt(), 1);
    EXPECT_EQ(records[0].value("NAZEV").toString(), QStringLiteral("vnější zóna"));
    EXPECT_LE(outerZoneName().size(), zones.field("NAZEV")->size);
    EXPECT_EQ(zones.field("ZONA")->type, FieldType::AutoInc);
}
