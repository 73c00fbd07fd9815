#include "admin/SystemDocumentation.h"

#include "accessdata/TDB0DM.h"
#include "admin/KeyListing.h"
#include "admin/UnitDescription.h"
#include "events/ReportFile.h"

#include <QFileInfo>

namespace vardex {

namespace {

const Table &walkedTable(TDB0DM &db, DocListing listing)
{
    return listing == DocListing::Units ? db.tbUni : db.tbKey;
}

QString folderOf(const Table &table)
{
    return QFileInfo(table.filePath()).absolutePath();
}

} // namespace

Result<bool> documentationHasRecords(TDB0DM &db, DocListing listing)
{
    const Table &table = walkedTable(db, listing);
    Table cursor(table.schema(), folderOf(table));
    if (!cursor.open())
        return cursor.failure();
    // The first record tells; a large table is not counted for it.
    if (cursor.first())
        return true;
    if (cursor.readFailed())
        return cursor.failure();
    return false;
}

DocumentationRun::DocumentationRun(TDB0DM &db, TVXDM &vx, DocListing listing)
    : m_listing(listing),
      m_cursor(walkedTable(db, listing).schema(), folderOf(walkedTable(db, listing))),
      m_permissions(db, vx)
{
}

Result<qint64> DocumentationRun::start(const QString &outputDir)
{
    if (!m_cursor.open() || !m_cursor.setIndex(QString()))
        return m_cursor.failure();
    const Result<qint64> n = m_cursor.countRecords();
    if (!n)
        return n.failure();
    m_total = *n;
    m_listed = 0;
    if (!m_writer.open(reportFilePath(outputDir), LineFileWriter::Mode::Create))
        return Failure{m_writer.errorString()};
    m_cursor.first();
    if (m_cursor.readFailed())
        return m_cursor.failure();
    return m_total;
}

Result<bool> DocumentationRun::step(int records)
{
    if (!m_writer.isOpen())
        return true; // complete already
    for (int i = 0; i < records && !m_cursor.eof(); ++i) {
        const Result<QStringList> lines = linesOfCurrent();
        if (!lines)
            return lines.failure();
        if (!m_writer.writeLines(*lines))
            return Failure{m_writer.errorString()};
        ++m_listed;
        m_cursor.next();
    }
    if (m_cursor.readFailed())
        return m_cursor.failure();
    if (!m_cursor.eof())
        return false;
    // The closing empty line: a CR LF pair and the line's own end.
    if (!m_writer.writeLines({QString(), QString()}) || !m_writer.close())
        return Failure{m_writer.errorString()};
    return true;
}

Result<QStringList> DocumentationRun::linesOfCurrent()
{
    switch (m_listing) {
    case DocListing::Units:
        return describeUnit(m_cursor);
    case DocListing::Keys:
        return QStringList{keyListLine(m_cursor, m_listed + 1)};
    case DocListing::Permissions:
        return m_permissions.keyLines(m_cursor);
    }
    return QStringList();
}

Result<qint64> writeDocumentation(TDB0DM &db, TVXDM &vx, DocListing listing,
                                  const QString &outputDir)
{
    DocumentationRun run(db, vx, listing);
    if (const Result<qint64> total = run.start(outputDir); !total)
        return total.failure();
    for (;;) {
        const Result<bool> done = run.step(1000);
        if (!done)
            return done.failure();
        if (*done)
            return run.listed();
    }
}

} // namespace vardex
