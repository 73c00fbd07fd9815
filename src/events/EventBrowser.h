#pragma once

#include "base/Result.h"
#include "events/EventFilter.h"
#include "events/EventTextCache.h"

#include <QList>
#include <QString>

#include <optional>

namespace vardex {

class TDB0DM;
class Table;

// One entry of the browser's sort selector: the caption, the index it
// orders by ("" for the primary index) and whether the index has one field
// (only then can the search box search it).
struct SortEntry
{
    QString caption;
    QString index;
    bool singleField = false;
};

// The grid title of an event field ("Datum", "Čas", "Jednotka", "Klíč",
// "Výsledek"); empty for a field without a grid column.
QString eventColumnTitle(const QString &field);

// The sort selector built from the table's indexes, in their order:
// " netřídit " for the primary index, otherwise the index's fields replaced
// by their grid titles and joined by ";".
QList<SortEntry> sortEntries(const TableSchema &schema);

// The event browser's state and actions over the event table of the data
// module: the five filter parts with their toggles, the free filter, the
// order and the search, the counter, printing and erasing. The window shows
// it and asks its dialogs; every change of selection, order or content
// ends with the window reloading its grid.
//
// The table is never read whole: the grid pages through its cursor, the
// counter is one count query, and the orders are its indexes.
class EventBrowser
{
public:
    // Opening: the table unfiltered, in its primary order; every part empty
    // and switched off.
    explicit EventBrowser(TDB0DM &db);
    // Closes as close() does, unless that was done.
    ~EventBrowser();
    EventBrowser(const EventBrowser &) = delete;
    EventBrowser &operator=(const EventBrowser &) = delete;

    Table &events();
    EventTextCache &texts() { return m_texts; }

    // --- the filter
    const FilterComponent &component(FilterPart part) const;
    // The part's text taken again from the data module's state (after its
    // dialog), then the filter recombined.
    Result<void> takeCriterion(FilterPart part);
    // The result part's text, as the result dialog built it.
    Result<void> setResultText(const QString &text);
    Result<void> setOn(FilterPart part, bool on);
    // The parts' filter applied to the table; drops a free filter.
    Result<void> recombine();

    // The free filter toggle: pressed with a text, the text alone
    // becomes the filter; released, the parts' filter comes back.
    Result<void> setFreeFilterOn(bool on, const QString &text);
    bool freeFilterOn() const { return m_freeFilterOn; }
    // "Vybrat": the text alone becomes the filter while the toggle is down.
    Result<void> selectFreeFilter(const QString &text);
    // The filter in force ("Souhrn"); empty when the table is unfiltered.
    QString appliedFilter() const;

    // --- the counter
    Result<qint64> count();
    // "1234 záznamů"
    Result<QString> counterText();

    // --- order and search
    const QList<SortEntry> &sortSelector() const { return m_sort; }
    int sortEntry() const { return m_sortEntry; }
    Result<void> sortBy(int entry);
    bool searchEnabled() const;
    // Goes to the first record whose index field is at or after `text`.
    Result<void> search(const QString &text);

    // --- actions
    // "Tisknout": asks "Bylo vybráno N záznamů.", "Skutečně vypsat?"; Yes
    // writes the listing to the report file in `outputDir`. Whether it was
    // written.
    Result<bool> print(const QString &outputDir);
    // "Smazat": the single-day dialog, the question, then every event up
    // to that day erased. How many; nothing when the operator stopped.
    Result<std::optional<qint64>> eraseUpToDay();

    // Closing: the filter off, the primary order, the event table closed
    // and opened again.
    Result<void> close();

private:
    // `text` alone as the table's filter; a text the filter language
    // refuses leaves the table unfiltered and gives its message.
    Result<void> applyFilter(const QString &text);

    TDB0DM &m_db;
    EventTextCache m_texts;
    FilterComponents m_parts;
    bool m_freeFilterOn = false;
    QList<SortEntry> m_sort;
    int m_sortEntry = 0;
    bool m_closed = false;
};

} // namespace vardex
