#include "accessdata/AccessSchemas.h"
#include "admin/AdminSchemas.h"
#include "attendance/AttendanceSchemas.h"

#include <gtest/gtest.h>

using namespace vardex;

// A table that the engine would create wrongly, or not at all: a field defined
// twice, a text without width, an index over a field the table does not have,
// two tables in one file. Names compare without case.
TEST(EveryTableSchema, IsWellFormed)
{
    QStringList files;
    for (const TableSchema &s : accessControlSchemas() + adminSchemas() + attendanceSchemas()) {
        SCOPED_TRACE(s.file().toStdString());
        files << s.file().toUpper();
        ASSERT_FALSE(s.fields.isEmpty());
        QStringList names;
        for (const FieldDef &f : s.fields) {
            names << f.name.toUpper();
            const bool sized = f.type == FieldType::String || f.type == FieldType::Bytes;
            EXPECT_EQ(sized, f.size > 0) << f.name.toStdString();
        }
        EXPECT_EQ(names.removeDuplicates(), 0) << "a field twice";
        ASSERT_FALSE(s.indexes.isEmpty());
        names.clear();
        for (int i = 0; i < s.indexes.size(); ++i) {
            const IndexDef &ix = s.indexes[i];
            SCOPED_TRACE(ix.name.toStdString());
            EXPECT_EQ(ix.primary, i == 0) << "one primary index, the first";
            EXPECT_TRUE(!ix.primary || ix.unique);
            EXPECT_TRUE(ix.primary || !ix.name.isEmpty()) << "only the primary index is unnamed";
            names << ix.name.toUpper();
            EXPECT_FALSE(ix.fieldList().isEmpty());
            for (const QString &f : ix.fieldList())
                EXPECT_GE(s.fieldIndex(f), 0) << "index over a missing field " << f.toStdString();
        }
        EXPECT_EQ(names.removeDuplicates(), 0) << "an index name twice";
    }
    EXPECT_EQ(files.removeDuplicates(), 0) << "two tables in one file";
}
