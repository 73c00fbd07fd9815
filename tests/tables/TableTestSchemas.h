#pragma once

#include "tables/TableSchema.h"

namespace vardex::testing {

// An event archive: AutoInc primary key and text/date/time indexes.
inline TableSchema eventSchema()
{
    TableSchema s;
    s.baseName = QStringLiteral("WKVREVE");
    s.fields = {{"IdEve", FieldType::AutoInc, 0, false}, {"DATUM", FieldType::Date, 0, true},
                {"CAS", FieldType::Time, 0, true},       {"AHWJ", FieldType::String, 2, true},
                {"CTM", FieldType::String, 14, true},    {"RES", FieldType::String, 2, true},
                {"ORI", FieldType::Boolean, 0, true}};
    s.indexes = {{"", "IdEve", true, false, false},
                 {"AhwjIndex", "AHWJ", false, false, true},
                 {"DatIndex", "DATUM", false, false, true},
                 {"IndexCTMDATUMCAS", "CTM;DATUM;CAS", false, false, true}};
    return s;
}

// Key holders: a text primary key, a case-insensitive name index.
inline TableSchema keySchema()
{
    TableSchema s;
    s.baseName = QStringLiteral("WKVRKEY");
    s.fields = {{"CTM", FieldType::String, 14, true},    {"JMENO", FieldType::String, 25, true},
                {"OSCIS", FieldType::String, 12, false}, {"POCET", FieldType::Integer, 0, false},
                {"SAZBA", FieldType::Float, 0, false},   {"OD", FieldType::DateTime, 0, false},
                {"SMENY", FieldType::Bytes, 19, false},  {"PORADI", FieldType::AutoInc, 0, false}};
    s.indexes = {{"", "CTM", true, false, false},
                 {"JmenoIndex", "JMENO", false, false, true},
                 {"OscisIndex", "OSCIS", false, true, false}};
    return s;
}

} // namespace vardex::testing
