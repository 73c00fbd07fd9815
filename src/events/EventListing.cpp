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
// Characters of listing lines converted and written at once.
constexpr qsizetype kBatchChars = 64 * 1024;

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
    // Lines are written a batch at a time: one conversion and one write for
    // many lines, the line ends between them written as the writer does.
    QString batch;
    batch.reserve(kBatchChars + 1024);
    const auto flush = [&] {
        const bool written = batch.isEmpty() || writer.writeLine(batch);
        batch.resize(0); // keeps its room
        return written;
    };
    const Result<qint64> listed = forEachRecord(events, [&](const QVariantList &stored) {
        if (!batch.isEmpty())
            batch += QStringLiteral("\r\n");
        if (Result<void> made = texts.appendListingLine(layout(stored), batch); !made)
            return made;
        if (batch.size() > kBatchChars && !flush())
            return Result<void>(Failure{writer.errorString()});
        return Result<void>();
    });
    if (!listed)
        return listed; // the writer drops its file: the previous report stays
    if (!flush() || !writer.writeLine(QString()) || !writer.close())
        return Failure{writer.errorString()};
    return listed;
}

} // namespace vardex
