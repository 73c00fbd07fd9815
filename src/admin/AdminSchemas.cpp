#include "admin/AdminSchemas.h"

#include "tables/SchemaBuilders.h"

namespace vardex {

using namespace schema;

TableSchema wkvrCasSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRCAS");
    t.fields = {
        text("NAZEVROZVRHU", 20),
        {QStringLiteral("DATAROZVRHU"), FieldType::Bytes, ScheduleBlockSize, false},
    };
    t.indexes = {primaryIndex("NAZEVROZVRHUIndex", "NAZEVROZVRHU")};
    return t;
}

TableSchema wkvrAccSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRACC");
    t.fields = {
        text("OPRAVNENI", 17, Required),
        text("P_AHW", 2 * PermissionRows, Required),
        text("P_MSK", 2 * PermissionRows, Required),
    };
    for (int row = 1; row <= PermissionRows; ++row)
        t.fields.append({permissionScheduleField(row), FieldType::String, 20, false});
    t.indexes = {primaryIndex("IndexOPRAVNENI", "OPRAVNENI")};
    return t;
}

QString permissionScheduleField(int row)
{
    if (row < 1 || row > PermissionRows)
        return {};
    return QStringLiteral("R") + QString::number(row);
}

TableSchema tabZonSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("TABZON");
    t.fields = {
        typed("ZONA", FieldType::AutoInc, Required),
        text("NAZEV", 20),
        typed("PRITOMNO", FieldType::Integer),
        typed("CELKEM", FieldType::Integer),
    };
    t.indexes = {primaryIndex("", "ZONA")};
    return t;
}

TableSchema tabObjSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("TABOBJ");
    t.fields = {
        text("ADRESA", 4, Required),
        typed("ZONA", FieldType::Integer),
        text("NAZEV", 32),
        typed("SOURX", FieldType::Integer),
        typed("SOURY", FieldType::Integer),
        text("PARAMETRY", 30),
    };
    t.indexes = {primaryIndex("", "ADRESA")};
    return t;
}

TableSchema tabKeySchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("TABKEY");
    t.fields = {
        text("CTM", 14, Required), text("JMENO", 25, Required), text("OSCIS", 12, Required),
        text("UDALOST", 60),       text("PRITOMEN", 1),         text("PZONY", 128),
    };
    t.indexes = {
        primaryIndex("", "CTM"),
        caseInsensitiveIndex("IndexJMENO", "JMENO"),
    };
    return t;
}

QString outerZoneName()
{
    return QStringLiteral("vnější zóna");
}

QList<QVariantMap> tabZonInitialRecords()
{
    return {QVariantMap{
        {QStringLiteral("ZONA"), OuterZone},
        {QStringLiteral("NAZEV"), outerZoneName()},
    }};
}

QList<TableSchema> adminSchemas()
{
    return {tabZonSchema(), tabObjSchema(), tabKeySchema(), wkvrAccSchema(), wkvrCasSchema()};
}

} // namespace vardex
