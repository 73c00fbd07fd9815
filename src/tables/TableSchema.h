#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vardex {

// Field types of the table files. Dates are stored as "YYYY-MM-DD", times as
// "HH:MM:SS" and date-times as "YYYY-MM-DD HH:MM:SS", so that text order is
// time order; booleans as 0/1; Bytes as a blob of fixed size.
enum class FieldType { String, Integer, Float, Date, Time, DateTime, Boolean, AutoInc, Bytes };

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // characters for String, bytes for Bytes, otherwise 0
    bool required = false;
};

struct IndexDef
{
    QString name;   // may be empty for the unnamed primary index
    QString fields; // several joined by ";", e.g. "JMENO;OSCIS"
    bool primary = false;
    bool unique = false;
    bool caseInsensitive = false;

    QStringList fieldList() const { return fields.split(QLatin1Char(';'), Qt::SkipEmptyParts); }
};

// A table as the program defines it: the file it lives in, its fields and
// its indexes, both in their defined order.
struct TableSchema
{
    QString baseName; // "WKVRKEY" → file "WKVRKEY.DB"
    QString fileName; // set only when the file has a literal name ("plan.db")
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    QString file() const
    {
        return fileName.isEmpty() ? baseName + QStringLiteral(".DB") : fileName;
    }
    // The field's position in `fields`, or -1.
    int fieldIndex(const QString &name) const
    {
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    const FieldDef *field(const QString &name) const
    {
        const int i = fieldIndex(name);
        return i < 0 ? nullptr : &fields[i];
    }
};

} // namespace vardex
