#include "accessdata/AccessSchemas.h"

#include "tables/SchemaBuilders.h"

namespace vardex {

using namespace schema;

TableSchema wkvrKeySchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRKEY");
    t.fields = {
        text("CTM", 14, Required),   text("PTIT", 12),
        text("JMENO", 25, Required), text("ZTIT", 12),
        text("OSCIS", 12, Required), text("PRACOVISTE", 17),
        text("OPRAVNENI", 17),       text("ROZPIS", 17),
        text("SPZ_INFO", 17),        text("USER_INFO", 17),
    };
    t.indexes = {
        primaryIndex("IndexCTM", "CTM"),
        uniqueIndex("IndexOSCIS", "OSCIS"),
        uniqueIndex("IndexJMENOOSCIS", "JMENO;OSCIS"),
    };
    return t;
}

TableSchema wkvrUniSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRUNI");
    t.fields = {
        text("ADRESA", 2), text("NAZEV", 15), text("POUZITI", 2), text("TYP", 2),
        text("ALARM", 2),  text("RELE", 2),   text("KONFIG", 32),
    };
    for (int sensor = 0; sensor < UnitSensorCount; ++sensor)
        t.fields.append({unitSensorField(sensor), FieldType::String, 17, false});
    for (int result = 0; result < UnitResultCount; ++result)
        t.fields.append({unitResultField(result), FieldType::String, 14, false});
    t.indexes = {primaryIndex("IndexADRESA", "ADRESA")};
    return t;
}

TableSchema eventsSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("EVENTS");
    t.fields = {
        typed("IdEve", FieldType::AutoInc),
        typed("DATUM", FieldType::Date, Required),
        typed("CAS", FieldType::Time, Required),
        text("AHWJ", 2, Required),
        text("CTM", 14, Required),
        text("RES", 2, Required),
        typed("ORI", FieldType::Boolean, Required),
    };
    t.indexes = {
        primaryIndex("", "IdEve"),
        caseInsensitiveIndex("AhwjIndex", "AHWJ"),
        caseInsensitiveIndex("CtmIndex", "CTM"),
        caseInsensitiveIndex("CasIndex", "CAS"),
        caseInsensitiveIndex("DatIndex", "DATUM"),
        caseInsensitiveIndex("IndexCTMDATUMCAS", "CTM;DATUM;CAS"),
    };
    return t;
}

TableSchema wkvrKeyXSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRKEYX");
    t.fields = {
        text("CTM", 14, Required),
        text("ZPRAVA", 25, Required),
        text("ALARM", 1, Required),
    };
    t.indexes = {primaryIndex("CTMIndex", "CTM")};
    return t;
}

QList<TableSchema> accessControlSchemas()
{
    return {wkvrKeySchema(), wkvrUniSchema(), eventsSchema(), wkvrKeyXSchema()};
}

QString unitSensorField(int sensor)
{
    if (sensor < 0 || sensor >= UnitSensorCount)
        return {};
    return (sensor < 8 ? QStringLiteral("SnimTM") : QStringLiteral("SnimIN")) +
           QString::number(sensor % 8);
}

QString unitResultField(int result)
{
    if (result < 0 || result >= UnitResultCount)
        return {};
    return QStringLiteral("VysUda") + QString::number(result);
}

} // namespace vardex
