#pragma once

#include "admin/PermissionOverview.h"
#include "base/Result.h"
#include "tables/Table.h"
#include "text/LineFile.h"

namespace vardex {

class TDB0DM;
class TVXDM;

// The listings that document how the system is set up.
enum class DocListing {
    Units,       // "Popis jednotek": every unit
    Keys,        // "Seznam klíčů": one line per key
    Permissions, // "Přehled oprávnění": every key's schedule and rights
};

// Whether the table the listing walks (the units, or the keys) has records.
Result<bool> documentationHasRecords(TDB0DM &db, DocListing listing);

// One listing written into the report file a few records at a time, so that
// a window can show its progress and stay responsive on a large site. Every
// record of the table is visited in table order on a cursor of its own;
// after the last one the file ends with two empty lines and replaces the
// previous report. A failure, or a run dropped before its end, leaves the
// previous report as it was.
class DocumentationRun
{
public:
    DocumentationRun(TDB0DM &db, TVXDM &vx, DocListing listing);

    // Opens the table and a new report file in `outputDir`; gives the number
    // of records to list.
    Result<qint64> start(const QString &outputDir);
    // Lists up to `records` more records; true once the report is complete.
    Result<bool> step(int records);

    qint64 listed() const { return m_listed; }
    qint64 total() const { return m_total; }

private:
    Result<QStringList> linesOfCurrent();

    DocListing m_listing;
    Table m_cursor;
    PermissionOverview m_permissions;
    LineFileWriter m_writer;
    qint64 m_total = 0;
    qint64 m_listed = 0;
};

// The whole listing at once; gives the number of records listed.
Result<qint64> writeDocumentation(TDB0DM &db, TVXDM &vx, DocListing listing,
                                  const QString &outputDir);

} // namespace vardex
