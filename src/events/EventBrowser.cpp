#include "events/EventBrowser.h"

#include "accessdata/TDB0DM.h"
#include "events/EventListing.h"
#include "platform/OperatorMessages.h"
#include "tables/FieldValue.h"

#include <QFileInfo>
#include <QSignalBlocker>

namespace vardex {

namespace {

QString directoryOf(const Table &table)
{
    return QFileInfo(table.filePath()).absolutePath();
}

} // namespace

QString eventColumnTitle(const QString &field)
{
    static const char *const titles[][2] = {{"DATUM", "Datum"},
                                            {"CAS", "Čas"},
                                            {"AHWJ", "Jednotka"},
                                            {"CTM", "Klíč"},
                                            {"RES", "Výsledek"}};
    for (const auto &[name, title] : titles)
        if (field.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(title);
    return QString();
}

QList<SortEntry> sortEntries(const TableSchema &schema)
{
    QList<SortEntry> entries;
    for (const IndexDef &index : schema.indexes) {
        const QStringList fields = index.fieldList();
        SortEntry entry{QString(), index.primary ? QString() : index.name, fields.size() == 1};
        if (index.primary) {
            entry.caption = QStringLiteral(" netřídit ");
        } else {
            QStringList titles;
            for (const QString &field : fields)
                titles << eventColumnTitle(field);
            entry.caption = titles.join(QLatin1Char(';'));
        }
        entries << entry;
    }
    return entries;
}

EventBrowser::EventBrowser(TDB0DM &db)
    : m_db(db), m_texts(directoryOf(db.tbEvents)), m_sort(sortEntries(db.tbEvents.schema()))
{
    Table &t = events();
    QSignalBlocker quiet(t);
    t.setFiltered(false);
    t.setFilterText(QString());
    t.setIndex(QString());
}

EventBrowser::~EventBrowser()
{
    if (!m_closed) {
        if (Result<void> closed = close(); !closed)
            m_db.messages().error(closed.error());
    }
}

Table &EventBrowser::events()
{
    return m_db.tbEvents;
}

// --- the filter

const FilterComponent &EventBrowser::component(FilterPart part) const
{
    return m_parts[size_t(part)];
}

Result<void> EventBrowser::takeCriterion(FilterPart part)
{
    m_parts[size_t(part)].text = componentText(m_db, part);
    return recombine();
}

Result<void> EventBrowser::setResultText(const QString &text)
{
    m_parts[size_t(FilterPart::Result)].text = text;
    return recombine();
}

Result<void> EventBrowser::setOn(FilterPart part, bool on)
{
    m_parts[size_t(part)].on = on;
    return recombine();
}

Result<void> EventBrowser::recombine()
{
    return applyFilter(combineFilter(m_parts));
}

Result<void> EventBrowser::setFreeFilterOn(bool on, const QString &text)
{
    m_freeFilterOn = on;
    if (!on)
        return recombine();
    return text.isEmpty() ? Result<void>() : applyFilter(text);
}

Result<void> EventBrowser::selectFreeFilter(const QString &text)
{
    if (text.isEmpty() || !m_freeFilterOn)
        return {};
    return applyFilter(text);
}

QString EventBrowser::appliedFilter() const
{
    const Table &t = m_db.tbEvents;
    return t.filtered() ? t.filterText() : QString();
}

Result<void> EventBrowser::applyFilter(const QString &text)
{
    Table &t = events();
    // One change for the grid, which the window reloads afterwards.
    QSignalBlocker quiet(t);
    t.setFiltered(false);
    if (!t.setFilterText(text)) {
        const QString why = t.filterError();
        t.setFilterText(QString());
        return Failure{why};
    }
    if (!text.isEmpty())
        t.setFiltered(true);
    if (t.readFailed())
        return t.failure();
    return {};
}

// --- the counter

Result<qint64> EventBrowser::count()
{
    return events().countRecords();
}

Result<QString> EventBrowser::counterText()
{
    const Result<qint64> n = count();
    if (!n)
        return n.failure();
    return QStringLiteral("%1 záznamů").arg(*n);
}

// --- order and search

Result<void> EventBrowser::sortBy(int entry)
{
    if (entry < 0 || entry >= m_sort.size())
        return Failure{QStringLiteral("Neznámé třídění")};
    Table &t = events();
    QSignalBlocker quiet(t);
    if (!t.setIndex(m_sort[entry].index))
        return t.failure();
    m_sortEntry = entry;
    if (t.readFailed())
        return t.failure();
    return {};
}

bool EventBrowser::searchEnabled() const
{
    return m_sort.value(m_sortEntry).singleField;
}

Result<void> EventBrowser::search(const QString &text)
{
    if (!searchEnabled() || text.isEmpty())
        return {};
    Table &t = events();
    const IndexDef *index = nullptr;
    for (const IndexDef &i : t.schema().indexes)
        if (m_sort[m_sortEntry].index.isEmpty() ? i.primary : i.name == m_sort[m_sortEntry].index)
            index = &i;
    const FieldDef *field = index ? t.schema().field(index->fieldList().value(0)) : nullptr;
    if (!field)
        return Failure{QStringLiteral("Neznámé třídění")};
    // A text that is no value of the field (half a date) finds nothing.
    if (!FieldValue::fromText(*field, text).isValid())
        return Failure{QStringLiteral("Hledaný text není platná hodnota položky %1: %2")
                           .arg(eventColumnTitle(field->name), text)};
    QSignalBlocker quiet(t);
    if (!t.findNearest({text}) && t.readFailed())
        return t.failure();
    return {};
}

// --- actions

Result<bool> EventBrowser::print(const QString &outputDir)
{
    const Result<qint64> n = count();
    if (!n)
        return n.failure();
    const QString question = QStringLiteral("Bylo vybráno %1 záznamů.\nSkutečně vypsat?").arg(*n);
    if (m_db.messages().askYesNo(question) != Answer::Yes)
        return false;
    const Result<qint64> listed = writeEventListing(events(), m_texts, outputDir);
    if (!listed)
        return listed.failure();
    return true;
}

Result<std::optional<qint64>> EventBrowser::eraseUpToDay()
{
    if (!m_db.UrceniDne())
        return std::optional<qint64>();
    const ProcessingInterval &day = m_db.interval;
    const QString question = QStringLiteral("Budou smazány všechny události do data ") +
                             day.startText() + QStringLiteral("\nSouhlasíte?");
    if (m_db.messages().askYesNo(question) != Answer::Yes)
        return std::optional<qint64>();
    const QDate date = QDate::fromString(day.startText(), QStringLiteral("dd.MM.yyyy"));
    Table &t = events();
    QSignalBlocker quiet(t);
    const std::optional<qint64> erased = m_db.tbEventsEraseToDate(date);
    if (!erased)
        return t.failure();
    return erased;
}

Result<void> EventBrowser::close()
{
    m_closed = true;
    Table &t = events();
    t.setFiltered(false);
    t.setFilterText(QString());
    t.setIndex(QString());
    t.close();
    if (!t.open())
        return t.failure();
    return {};
}

} // namespace vardex
