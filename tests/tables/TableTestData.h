#pragma once

#include "support/TempDir.h"
#include "tables/Table.h"

#include <gtest/gtest.h>

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

// A table of the schema, open, in a fresh temporary directory.
template <TableSchema (*schema)()> class OpenTable : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(t.open()) << t.errorMessage().toStdString(); }
    TempDir dir;
    Table t{schema(), dir.path()};
};
using EventTable = OpenTable<eventSchema>;
using KeyTable = OpenTable<keySchema>;

// Inserts and posts one event; false when any step fails (errorMessage() says why).
inline bool addEvent(Table &t, const QDate &date, const QTime &time = QTime(10, 0),
                     const QString &unit = QStringLiteral("01"),
                     const QString &key = QStringLiteral("00000000000000"), bool ori = true)
{
    return t.insert() && t.setDate("DATUM", date) && t.setTime("CAS", time) &&
           t.setString("AHWJ", unit) && t.setString("CTM", key) && t.setString("RES", "80") &&
           t.setBool("ORI", ori) && t.post();
}

inline bool addHolder(Table &t, const QString &ctm, const QString &name, const QString &oscis = {})
{
    return t.insert() && t.setString("CTM", ctm) && t.setString("JMENO", name) &&
           t.setString("OSCIS", oscis) && t.post();
}

} // namespace vardex::testing
