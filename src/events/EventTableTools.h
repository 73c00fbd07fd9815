#pragma once

#include "base/Result.h"
#include "tables/Table.h"

namespace vardex {

class OperatorMessages;

// "Speciální utility" of the event table: export to and import from
// "UTIL_EVE.TXT" in the working directory, and "Nová", which erases every
// event. Works on its own cursor of the event file, unfiltered, so the
// browser's selection does not limit it; the browser reads the table again
// afterwards. Tells the operator the outcome ("Hotovo!", "Přerušeno!" or
// the reason).
class EventTableTools
{
public:
    EventTableTools(const QString &workDir, OperatorMessages &messages);

    QString filePath() const;
    // "Export" and "Nová" need the event file, "Import" the text file.
    bool exportEnabled() const;
    bool importEnabled() const;
    // Every event of the table.
    Result<qint64> count();

    void exportEvents();
    // Asks "Smazat stará data?" when the table has events: Yes replaces
    // them (a bad file changes nothing), No adds to them, Cancel stops.
    void importEvents();
    // Asks "Skutečně smazat stará data?"; Yes erases every event.
    void newDatabase();

private:
    Result<void> ensureOpen();
    void tell(const Result<void> &outcome);

    QString m_workDir;
    OperatorMessages &m_messages;
    Table m_events;
};

} // namespace vardex
