#include "attendance/AttendanceSchemas.h"

#include "tables/SchemaBuilders.h"

namespace vardex {

using namespace schema;

TableSchema wkvrDchSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRDCH");
    t.fields = {
        text("ROZPIS", 17, Required),
        typed("DelkaRozpisu", FieldType::Integer),
        typed("DatumOd", FieldType::Date),
    };
    for (int day = 1; day <= ScheduleCycleDays; ++day)
        t.fields.append({scheduleShiftField(day), FieldType::String, 17, false});
    t.indexes = {primaryIndex("IndexROZPIS", "ROZPIS")};
    return t;
}

QString scheduleShiftField(int day)
{
    if (day < 1 || day > ScheduleCycleDays)
        return {};
    return QStringLiteral("NazevDruhuSmeny_") + QString::number(day);
}

TableSchema wkvrPrsSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRPRS");
    t.fields = {text("PRACOVISTE", 17, Required), text("POZNAMKA", 40)};
    t.indexes = {primaryIndex("IndexPRACOVISTE", "PRACOVISTE")};
    return t;
}

TableSchema wkvrSmeSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRSME");
    t.fields = {
        text("NazevSmeny", 17),     text("NutnoOdpracovat", 5), text("Prechod", 1),
        text("PrvniUsekSmeny", 27), text("DruhyUsekSmeny", 27),
    };
    t.indexes = {primaryIndex("Field1Index", "NazevSmeny")};
    return t;
}

TableSchema wkvrSvaSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRSVA");
    t.fields = {typed("Datum", FieldType::DateTime), text("ROK", 4), text("Rem", 25)};
    t.indexes = {
        primaryIndex("MasterIndex", "Datum"),
        caseInsensitiveIndex("IndexRok", "ROK"),
    };
    return t;
}

TableSchema wkvrVdchSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRVDCH");
    t.fields = {
        typed("IdDch", FieldType::AutoInc),
        text("CTM", 14),
        typed("DATUM_POC", FieldType::DateTime),
        typed("DATUM_KON", FieldType::DateTime),
    };
    for (const char *name : {"VYKON", "Pracoviste", "Sluzebne", "Lekar", "Volny", "Obed",
                             "DenSaldo", "Prohresky", "Duvod"})
        t.fields.append(text(name, 6));
    t.fields.append(text("Stav", 5));
    t.fields.append(text("NV_MINULE", 5));
    t.fields.append(text("NV_PRISTI", 5));
    t.fields.append(text("DFPD", 5));
    t.fields.append(text("Prechod", 1));
    for (const char *name :
         {"ODPRACOVANO", "POV_PRESCAS", "NVOLNO_PLUS", "NVOLNO_MINUS", "NEODP_DOVOLENA",
          "NEODP_PREKAZKY", "NEODP_SVATKY", "NEODP_JINE", "NEODN_NEMOC", "NEODN_OCR",
          "NEODN_REFUNDACE", "NEODN_ABSENCE", "PRIPL_NOC", "PRIPL_SONE", "PRIPL_JINY"})
        t.fields.append(text(name, 5));
    t.indexes = {
        primaryIndex("IndexIdDch", "IdDch"),
        caseInsensitiveIndex("IndexCTM", "CTM"),
        caseInsensitiveIndex("IndexCTMDatum", "CTM;DATUM_POC"),
    };
    return t;
}

TableSchema wkvrVderSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRVDER");
    t.fields = {
        typed("IdErr", FieldType::AutoInc),
        text("CTM", 14),
        text("Dat", 6),
        text("Cas", 5),
        text("Rem", 25),
    };
    t.indexes = {
        primaryIndex("IndexIdErr", "IdErr"),
        caseInsensitiveIndex("IndexCTM", "CTM"),
        caseInsensitiveIndex("IndexDat", "Dat"),
        caseInsensitiveIndex("IndexCas", "Cas"),
    };
    return t;
}

TableSchema wkvrPomSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRPOM");
    t.fields = {
        text("NAZEV", 25, Required),
        typed("UdajN", FieldType::Integer),
        text("UdajA", 25),
    };
    t.indexes = {primaryIndex("IndexNAZEV", "NAZEV")};
    return t;
}

TableSchema planSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("plan");
    t.fileName = QStringLiteral("plan.db");
    t.fields = {
        text("AHWSNI", 4),
        text("NAZEV", 36),
        text("TYP", 2),
        typed("POSX", FieldType::Float),
        typed("POSY", FieldType::Float),
        text("STAV", 1),
    };
    t.indexes = {primaryIndex("AdrSniIndex", "AHWSNI")};
    return t;
}

TableSchema wkvrRplSchema()
{
    TableSchema t;
    t.baseName = QStringLiteral("WKVRRPL");
    t.fields = {
        typed("Id", FieldType::AutoInc),
        text("KLIC", 14),
        typed("DATUM", FieldType::Date),
        {QStringLiteral("DATA"), FieldType::Bytes, DayShiftRecordSize, false},
        text("POZN", 8),
    };
    // The index named after key and date orders by date first, then key.
    t.indexes = {
        primaryIndex("", "Id"),
        caseInsensitiveIndex("IndexDATUM", "DATUM"),
        uniqueCaseInsensitiveIndex("IndexKLICDATUM", "DATUM;KLIC"),
    };
    return t;
}

QList<TableSchema> attendanceSchemas()
{
    return {wkvrRplSchema(),  wkvrSmeSchema(),  wkvrDchSchema(), wkvrPrsSchema(), wkvrSvaSchema(),
            wkvrVdchSchema(), wkvrVderSchema(), wkvrPomSchema(), planSchema()};
}

} // namespace vardex
