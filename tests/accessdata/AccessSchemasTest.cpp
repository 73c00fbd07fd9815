#include "accessdata/AccessSchemas.h"
#include "admin/AdminSchemas.h"
#include "attendance/AttendanceSchemas.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace vardex;

namespace {

QList<TableSchema> everySchema()
{
    return accessControlSchemas() + adminSchemas() + attendanceSchemas();
}

// Adds the name; false when it was there already (names compare without case).
bool addNew(QSet<QString> &names, const QString &name)
{
    const qsizetype before = names.size();
    names.insert(name.toUpper());
    return names.size() > before;
}

} // namespace

// A table that the engine would create wrongly, or not at all: a field defined
// twice, a text without width, an index over a field the table does not have,
// two tables in one file.
TEST(EveryTableSchema, IsWellFormed)
{
    QSet<QString> files;
    for (const TableSchema &s : everySchema()) {
        SCOPED_TRACE(s.file().toStdString());
        EXPECT_TRUE(addNew(files, s.file()));
        ASSERT_FALSE(s.fields.isEmpty());
        QSet<QString> fieldNames, indexNames;
        for (const FieldDef &f : s.fields) {
            EXPECT_TRUE(addNew(fieldNames, f.name)) << "twice: " << f.name.toStdString();
            const bool sized = f.type == FieldType::String || f.type == FieldType::Bytes;
            EXPECT_EQ(sized, f.size > 0) << f.name.toStdString();
        }
        ASSERT_FALSE(s.indexes.isEmpty());
        for (int i = 0; i < s.indexes.size(); ++i) {
            const IndexDef &ix = s.indexes[i];
            SCOPED_TRACE(ix.name.toStdString());
            EXPECT_EQ(ix.primary, i == 0) << "one primary index, the first";
            EXPECT_TRUE(!ix.primary || ix.unique);
            EXPECT_TRUE(ix.primary || !ix.name.isEmpty()) << "only the primary index is unnamed";
            EXPECT_TRUE(addNew(indexNames, ix.name));
            EXPECT_FALSE(ix.fieldList().isEmpty());
            for (const QString &f : ix.fieldList())
                EXPECT_GE(s.fieldIndex(f), 0) << "index over a missing field " << f.toStdString();
        }
    }
}
