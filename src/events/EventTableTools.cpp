#include "events/EventTableTools.h"

#include "accessdata/AccessSchemas.h"
#include "events/EventArchiveFile.h"
#include "platform/OperatorMessages.h"
#include "tables/Transaction.h"

#include <QDir>
#include <QFileInfo>

namespace vardex {

EventTableTools::EventTableTools(const QString &workDir, OperatorMessages &messages)
    : m_workDir(workDir), m_messages(messages), m_events(eventsSchema(), workDir)
{
}

QString EventTableTools::filePath() const
{
    return QDir(m_workDir).filePath(eventFileName());
}

bool EventTableTools::exportEnabled() const
{
    return m_events.fileExists();
}

bool EventTableTools::importEnabled() const
{
    return QFileInfo(filePath()).isFile();
}

Result<void> EventTableTools::ensureOpen()
{
    if (m_events.isOpen()) {
        // Another cursor may have changed the file since.
        m_events.refresh();
        return {};
    }
    if (!m_events.open())
        return m_events.failure();
    return {};
}

Result<qint64> EventTableTools::count()
{
    if (Result<void> opened = ensureOpen(); !opened)
        return opened.failure();
    return m_events.countRecords();
}

void EventTableTools::tell(const Result<void> &outcome)
{
    if (outcome)
        m_messages.information(QStringLiteral("Hotovo!"));
    else
        m_messages.error(outcome.error());
}

void EventTableTools::exportEvents()
{
    Result<void> opened = ensureOpen();
    if (!opened)
        return tell(opened);
    const Result<qint64> written = exportEventFile(m_events, filePath());
    tell(written ? Result<void>() : written.failure());
}

void EventTableTools::importEvents()
{
    const Result<qint64> n = count();
    if (!n)
        return tell(n.failure());
    EventImportMode mode = EventImportMode::Keep;
    if (*n > 0) {
        const Answer a = m_messages.askYesNoCancel(QStringLiteral("Smazat stará data?"));
        if (a == Answer::Cancel)
            return;
        if (a == Answer::Yes)
            mode = EventImportMode::Replace;
    }
    const Result<qint64> stored = importEventFile(m_events, filePath(), mode);
    tell(stored ? Result<void>() : stored.failure());
}

void EventTableTools::newDatabase()
{
    if (m_messages.askYesNo(QStringLiteral("Skutečně smazat stará data?")) != Answer::Yes) {
        m_messages.information(QStringLiteral("Přerušeno!"));
        return;
    }
    Result<void> opened = ensureOpen();
    if (!opened)
        return tell(opened);
    Transaction tx(m_events);
    const bool erased = tx.active() && m_events.empty() && tx.commit();
    tell(erased ? Result<void>() : m_events.failure());
}

} // namespace vardex
