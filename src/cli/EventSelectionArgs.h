#pragma once

#include "base/Result.h"
#include "events/ResultFilter.h"

#include <QCommandLineOption>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace vardex {

class CommandCall;
class TDB0DM;

// The selection of `events print` and `events count`, read from the line
// before anything is opened: the browser's five filter parts, or a filter
// expression of its own, and the order.
struct EventSelectionArgs
{
    std::optional<QDate> from;
    std::optional<QDate> to;
    std::optional<std::pair<quint16, quint16>> time; // hour-minute words
    QString key;                                     // 14 upper-case hex digits
    QString unit;                                    // 2 upper-case hex digits
    std::optional<ResultFilter> result;
    QString filter;
    QString sortIndex; // "" = the primary order
};

// The options of the selection; with `sort`, also --sort.
QList<QCommandLineOption> eventSelectionOptions(bool sort);
// Their help lines.
QString eventSelectionDetails(bool sort);

// The options as given (`sort`: the command has --sort); a malformed or
// contradictory value is a usage error's reason.
Result<EventSelectionArgs> parseEventSelection(const CommandCall &call, bool sort);

// The filter text the browser would apply for this selection: the parts'
// texts built by the data module from its state (set here as the
// selection dialogs would leave it) and the result dialog's code, joined
// as the browser joins them; --filter alone instead.
QString eventSelectionFilter(TDB0DM &db, const EventSelectionArgs &args);

} // namespace vardex
