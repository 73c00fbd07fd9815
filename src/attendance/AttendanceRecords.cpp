#include "attendance/TVXDM.h"

#include "accessdata/TDB0DM.h"
#include "tables/Transaction.h"
#include "text/LineFile.h"
#include "timecal/DayMonth.h"

namespace vardex {

namespace {

const QString kCtm = QStringLiteral("CTM");

QString keyFilter(const QString &ctm)
{
    return QStringLiteral("CTM='") + ctm + QLatin1Char('\'');
}

Result<bool> existsByKey(Table &table, const QString &ctm)
{
    table.setIndex(QStringLiteral("IndexCTM"));
    const bool found = table.findKey({ctm});
    if (table.readFailed())
        return table.failure();
    return found;
}

// Puts a table's order, filter and place back as they were.
class CursorKeeper
{
public:
    explicit CursorKeeper(Table &t)
        : m_table(t), m_index(t.indexName()), m_filter(t.filterText()), m_filtered(t.filtered()),
          m_at(t.bookmark())
    {
    }
    ~CursorKeeper()
    {
        m_table.setIndex(m_index);
        m_table.setFilterText(m_filter);
        m_table.setFiltered(m_filtered);
        if (m_at != 0)
            m_table.gotoBookmark(m_at);
    }
    CursorKeeper(const CursorKeeper &) = delete;
    CursorKeeper &operator=(const CursorKeeper &) = delete;

private:
    Table &m_table;
    QString m_index;
    QString m_filter;
    bool m_filtered;
    Bookmark m_at;
};

Result<void> emptied(Table &table)
{
    if (!table.empty())
        return table.failure();
    return {};
}

} // namespace

Result<bool> TVXDM::tbVdchExistujeKlic(const QString &ctm)
{
    if (Result<void> open = opened(tbVdch); !open)
        return open.failure();
    return existsByKey(tbVdch, ctm);
}

Result<int> TVXDM::tbVdchEraseKlic(const QString &ctm)
{
    if (Result<void> open = opened(tbVdch); !open)
        return open.failure();
    const QString oldFilter = tbVdch.filterText();
    const bool oldFiltered = tbVdch.filtered();
    int erased = 0;
    Result<int> result = [&]() -> Result<int> {
        Transaction transaction(tbVdch);
        if (!transaction.active())
            return tbVdch.failure();
        if (!tbVdch.setFilterText(keyFilter(ctm)))
            return Failure{tbVdch.filterError()};
        tbVdch.setFiltered(true);
        for (tbVdch.first(); !tbVdch.eof() && !tbVdch.isEmpty();) {
            if (!tbVdch.remove())
                return tbVdch.failure();
            ++erased;
        }
        if (tbVdch.readFailed())
            return tbVdch.failure();
        if (!transaction.commit())
            return tbVdch.failure();
        return erased;
    }();
    tbVdch.setFilterText(oldFilter);
    tbVdch.setFiltered(oldFiltered);
    return result;
}

Result<void> TVXDM::tbVdchEmptyTable()
{
    if (Result<void> open = opened(tbVdch); !open)
        return open;
    return emptied(tbVdch);
}

Result<void> TVXDM::tbVdErEmptyTable()
{
    if (Result<void> open = opened(tbVder); !open)
        return open;
    return emptied(tbVder);
}

Result<void> TVXDM::tbVdErInsRec(const QString &remark)
{
    if (Result<void> open = opened(tbVder); !open)
        return open;
    const EventRecord &e = m_db0.udalost_dm;
    if (!tbVder.append())
        return tbVder.failure();
    tbVder.setString(kCtm, e.keyText());
    tbVder.setString(QStringLiteral("Dat"), FormatDayMonth(e.date));
    tbVder.setString(QStringLiteral("Cas"), FormatHourMinute(e.time));
    tbVder.setString(QStringLiteral("Rem"), remark);
    if (!tbVder.post()) {
        const Failure why = tbVder.failure();
        tbVder.cancel();
        return why;
    }
    return {};
}

Result<bool> TVXDM::tbVdErExactCtm(const QString &ctm)
{
    if (Result<void> open = opened(tbVder); !open)
        return open.failure();
    return existsByKey(tbVder, ctm);
}

Result<void> TVXDM::tbVdErOutToFile(const QString &file)
{
    if (Result<void> open = opened(tbVder); !open)
        return open;
    const Table &key = m_db0.tbKey;
    QStringList lines{QString(), QStringLiteral("PROTOKOL O CHYBÁCH"),
                      QStringLiteral("Jméno:  ") + m_db0.tbKeyJmenoTituly(0) +
                          QStringLiteral("; ") + key.asString(QStringLiteral("OSCIS")) +
                          QStringLiteral(", ") + key.asString(QStringLiteral("PRACOVISTE")),
                      QStringLiteral("Období: ") + m_db0.ObdobiZpracovani(),
                      QStringLiteral("Rozpis: ") + key.asString(QStringLiteral("ROZPIS"))};
    const QString year = QString::number(processingYear());
    Table &events = m_db0.tbEvents;
    // Reading an event's attendance meaning overwrites the event record.
    const EventRecord event = m_db0.udalost_dm;
    const Result<void> listed = [&]() -> Result<void> {
        const CursorKeeper keepEvents(events);
        tbVder.setIndex(QString());
        for (tbVder.first(); !tbVder.eof(); tbVder.next()) {
            const QString ctm = tbVder.asString(kCtm);
            const QString dat = tbVder.asString(QStringLiteral("Dat"));
            lines << QStringList{ctm, dat, tbVder.asString(QStringLiteral("Cas")),
                                 tbVder.asString(QStringLiteral("Rem"))}
                         .join(u' ');
            const QString filter =
                keyFilter(ctm) + QStringLiteral(" AND DATUM='") + dat + year + QLatin1Char('\'');
            if (!events.setIndex(QStringLiteral("IndexCTMDATUMCAS")) ||
                !events.setFilterText(filter))
                return Failure{events.filterError().isEmpty() ? events.errorMessage()
                                                              : events.filterError()};
            events.setFiltered(true);
            for (events.first(); !events.eof(); events.next()) {
                if (!m_db0.tbEventsUdalostDochazky())
                    continue;
                lines
                    << events.asDate(QStringLiteral("DATUM")).toString(QStringLiteral("dd.MM.")) +
                           u' ' + events.asString(QStringLiteral("AHWJ")) + u' ' +
                           events.asTime(QStringLiteral("CAS")).toString(QStringLiteral("hh:mm")) +
                           u' ' + m_db0.tbEventsTranslateResult(true) +
                           (events.asBool(QStringLiteral("ORI")) ? QStringLiteral("  ")
                                                                 : QStringLiteral(" #"));
            }
            if (events.readFailed())
                return events.failure();
        }
        if (tbVder.readFailed())
            return tbVder.failure();
        return {};
    }();
    m_db0.udalost_dm = event;
    if (!listed)
        return listed;
    lines << QString();
    const FileWritten written = appendLineFile(file, lines);
    if (!written.ok)
        return Failure{written.error};
    return {};
}

} // namespace vardex
