#include "events/EventListing.h"

#include "events/EventTextCache.h"
#include "events/ReportFile.h"
#include "tables/Table.h"
#include "text/LineFile.h"

namespace vardex {

namespace {

// Records read at a time: large enough that a walk is not dominated by
// starting reads, small enough to keep memory flat.
constexpr int kBlock = 2048;

} // namespace

Result<qint64> forEachRecord(Table &table,
                             const std::function<Result<void>(const QVariantList &)> &visit)
{
    if (!table.isOpen())
        return Failure{QStringLiteral("Tabulka %1 není otevřena").arg(table.schema().file())};
    RowReader &reader = table.reader();
    RowReader::ReadScope scope(reader);
    qint64 visited = 0;
    Result<Rows> rows = reader.first(kBlock);
    while (rows && !rows->empty()) {
        for (const Row &row : *rows) {
            if (Result<void> done = visit(row.values); !done)
                return done.failure();
            ++visited;
        }
        if (int(rows->size()) < kBlock)
            return visited;
        const Row last = rows->back();
        rows = reader.after(last, kBlock);
    }
    if (!rows)
        return rows.failure();
    return visited;
}

Result<qint64> writeEventListing(Table &events, EventTextCache &texts, const QString &outputDir)
{
    LineFileWriter writer;
    if (!writer.open(reportFilePath(outputDir), LineFileWriter::Mode::Create))
        return Failure{writer.errorString()};
    const EventRowLayout layout(events.schema());
    const Result<qint64> listed = forEachRecord(events, [&](const QVariantList &stored) {
        const Result<QString> line = texts.listingLine(layout(stored));
        if (!line)
            return Result<void>(line.failure());
        if (!writer.writeLine(*line))
            return Result<void>(Failure{writer.errorString()});
        return Result<void>();
    });
    if (!listed)
        return listed; // the writer drops its file: the previous report stays
    writer.writeLine(QString());
    if (!writer.close())
        return Failure{writer.errorString()};
    return listed;
}

} // namespace vardex
