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
// twice, a text without width, an index over a field the table does not have.
TEST(EveryTableSchema, IsWellFormed)
{
    for (const TableSchema &s : everySchema()) {
        SCOPED_TRACE(s.file().toStdString());
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

TEST(EveryTableSchema, EachTableOfTheWorkingDirectoryHasItsOwnFile)
{
    const QStringList expected = {
        "WKVRKEY.DB",  "WKVRUNI.DB",  "EVENTS.DB",  "WKVRKEYX.DB", "WKVRCAS.DB", "WKVRACC.DB",
        "TABZON.DB",   "TABOBJ.DB",   "TABKEY.DB",  "WKVRDCH.DB",  "WKVRPRS.DB", "WKVRSME.DB",
        "WKVRVDCH.DB", "WKVRVDER.DB", "WKVRPOM.DB", "WKVRSVA.DB",  "WKVRRPL.DB", "plan.db"};
    QSet<QString> files, wanted;
    for (const TableSchema &s : everySchema())
        EXPECT_TRUE(addNew(files, s.file())) << s.file().toStdString();
    for (const QString &f : expected)
        addNew(wanted, f);
    EXPECT_EQ(files, wanted);
    EXPECT_EQ(planSchema().file(), QStringLiteral("plan.db"));
}

// Required fields decide which posts the engine refuses as incomplete.
TEST(EveryTableSchema, RequiredFields)
{
    const struct
    {
        TableSchema schema;
        QStringList required;
    } cases[] = {
        {wkvrKeySchema(), {"CTM", "JMENO", "OSCIS"}},
        {wkvrUniSchema(), {}},
        {eventsSchema(), {"DATUM", "CAS", "AHWJ", "CTM", "RES", "ORI"}},
        {wkvrKeyXSchema(), {"CTM", "ZPRAVA", "ALARM"}},
        {wkvrCasSchema(), {}},
        {wkvrAccSchema(), {"OPRAVNENI", "P_AHW", "P_MSK"}},
        {tabZonSchema(), {"ZONA"}},
        {tabObjSchema(), {"ADRESA"}},
        {tabKeySchema(), {"CTM", "JMENO", "OSCIS"}},
        {wkvrDchSchema(), {"ROZPIS"}},
        {wkvrPrsSchema(), {"PRACOVISTE"}},
        {wkvrPomSchema(), {"NAZEV"}},
    };
    for (const auto &c : cases) {
        QStringList required;
        for (const FieldDef &f : c.schema.fields)
            if (f.required)
                required << f.name;
        EXPECT_EQ(required, c.required) << c.schema.baseName.toStdString();
    }
    for (const TableSchema &s : {wkvrSmeSchema(), wkvrSvaSchema(), wkvrVdchSchema(),
                                 wkvrVderSchema(), planSchema(), wkvrRplSchema()})
        for (const FieldDef &f : s.fields)
            EXPECT_FALSE(f.required) << s.baseName.toStdString() << "." << f.name.toStdString();
}

// Each data module opens its tables in this order (creating missing files).
TEST(EveryTableSchema, ListedInOpeningOrder)
{
    QStringList names;
    for (const TableSchema &s : everySchema())
        names << s.baseName;
    EXPECT_EQ(names,
              QStringList({"WKVRKEY", "WKVRUNI", "EVENTS", "WKVRKEYX", "TABZON", "TABOBJ", "TABKEY",
                           "WKVRACC", "WKVRCAS", "WKVRRPL", "WKVRSME", "WKVRDCH", "WKVRPRS",
                           "WKVRSVA", "WKVRVDCH", "WKVRVDER", "WKVRPOM", "plan"}));
}

TEST(AccessSchemas, KeyRecordIsTenTextsOf160Characters)
{
    const TableSchema key = wkvrKeySchema();
    int width = 0;
    for (const FieldDef &f : key.fields) {
        EXPECT_EQ(f.type, FieldType::String) << f.name.toStdString();
        width += f.size;
    }
    EXPECT_EQ(key.fields.size(), 10);
    EXPECT_EQ(width, 160);
}

TEST(AccessSchemas, EventIndexesInTheirOrder)
{
    const struct
    {
        const char *name, *fields;
        bool primary, caseInsensitive;
    } expected[] = {
        {"", "IdEve", true, false},         {"AhwjIndex", "AHWJ", false, true},
        {"CtmIndex", "CTM", false, true},   {"CasIndex", "CAS", false, true},
        {"DatIndex", "DATUM", false, true}, {"IndexCTMDATUMCAS", "CTM;DATUM;CAS", false, true},
    };
    const QList<IndexDef> indexes = eventsSchema().indexes;
    ASSERT_EQ(indexes.size(), int(std::size(expected)));
    for (int i = 0; i < indexes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(indexes[i].name, QString::fromLatin1(expected[i].name));
        EXPECT_EQ(indexes[i].fields, QString::fromLatin1(expected[i].fields));
        EXPECT_EQ(indexes[i].primary, expected[i].primary);
        EXPECT_EQ(indexes[i].unique, expected[i].primary);
        EXPECT_EQ(indexes[i].caseInsensitive, expected[i].caseInsensitive);
    }
}
