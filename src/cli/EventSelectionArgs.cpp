#include "cli/EventSelectionArgs.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "cli/ArgumentValues.h"
#include "cli/CommandDef.h"
#include "events/EventFilter.h"
#include "text/HexText.h"
#include "timecal/DayMonth.h"

namespace vardex {

namespace {

QString opt(const char *name)
{
    return QString::fromLatin1(name);
}

// "povoleno,ilegalni,…"; the names also with their accents.
Result<std::array<bool, ResultFilter::KindCount>> parseKinds(const QString &text)
{
    static const char *const names[][2] = {{"povoleno", "povoleno"},
                                           {"ilegalni", "ilegální"},
                                           {"neotevreno", "neotevřeno"},
                                           {"nezavreno", "nezavřeno"}};
    std::array<bool, ResultFilter::KindCount> kinds{};
    for (const QString &word : text.split(QLatin1Char(','))) {
        int found = -1;
        for (int k = 0; k < ResultFilter::KindCount; ++k)
            if (word.trimmed().compare(QLatin1String(names[k][0]), Qt::CaseInsensitive) == 0 ||
                word.trimmed().compare(QString::fromUtf8(names[k][1]), Qt::CaseInsensitive) == 0)
                found = k;
        if (found < 0)
            return Failure{QStringLiteral("neznámý výsledek %1 (povoleno, ilegalni, neotevreno, "
                                          "nezavreno)")
                               .arg(word)};
        kinds[size_t(found)] = true;
    }
    return kinds;
}

// "TM0,IN3,…".
Result<std::array<bool, ResultFilter::PlaceCount>> parsePlaces(const QString &text)
{
    std::array<bool, ResultFilter::PlaceCount> places{};
    for (const QString &word : text.split(QLatin1Char(','))) {
        const QString w = word.trimmed().toUpper();
        const bool reader = w.startsWith(QLatin1String("TM"));
        const bool input = w.startsWith(QLatin1String("IN"));
        const int n = w.size() == 3 ? w[2].digitValue() : -1;
        if ((!reader && !input) || n < 0 || n > 7)
            return Failure{QStringLiteral("neznámé místo %1 (TM0..TM7, IN0..IN7)").arg(word)};
        places[size_t(n + (input ? 8 : 0))] = true;
    }
    return places;
}

Result<std::pair<quint16, quint16>> parseTimeRange(const QString &text)
{
    const QStringList ends = text.split(QLatin1Char('-'));
    if (ends.size() != 2)
        return Failure{
            QStringLiteral("chybný interval času %1 (očekává se hh:mm-hh:mm)").arg(text)};
    const Result<quint16> start = timeArgument(ends[0]);
    const Result<quint16> end = start ? timeArgument(ends[1]) : start;
    if (!end)
        return end.failure();
    return std::pair{*start, *end};
}

// The index named (any case), "" for the primary one.
Result<QString> parseSort(const QString &text)
{
    QStringList names;
    for (const IndexDef &index : eventsSchema().indexes) {
        if (index.primary)
            continue;
        if (index.name.compare(text, Qt::CaseInsensitive) == 0)
            return index.name;
        names << index.name;
    }
    return Failure{
        QStringLiteral("neznámý index %1 (%2)").arg(text, names.join(QStringLiteral(", ")))};
}

} // namespace

QList<QCommandLineOption> eventSelectionOptions(bool sort)
{
    QList<QCommandLineOption> options = {
        QCommandLineOption(opt("from"), QString(), QStringLiteral("dd.mm.rrrr")),
        QCommandLineOption(opt("to"), QString(), QStringLiteral("dd.mm.rrrr")),
        QCommandLineOption(opt("time"), QString(), QStringLiteral("hh:mm-hh:mm")),
        QCommandLineOption(opt("key"), QString(), QStringLiteral("KLÍČ")),
        QCommandLineOption(opt("unit"), QString(), QStringLiteral("AA")),
        QCommandLineOption(opt("result"), QString(), QStringLiteral("DRUHY")),
        QCommandLineOption(opt("places"), QString(), QStringLiteral("MÍSTA")),
        QCommandLineOption(opt("pairs")),
        QCommandLineOption(opt("filter"), QString(), QStringLiteral("VÝRAZ"))};
    if (sort)
        options << QCommandLineOption(opt("sort"), QString(), QStringLiteral("INDEX"));
    return options;
}

QString eventSelectionDetails(bool sort)
{
    QString text =
        QStringLiteral("  Výběr jako v přehledu událostí; zadané části se spojí AND:\n"
                       "  --from dd.mm.rrrr [--to dd.mm.rrrr]  období (bez --to jen ten den)\n"
                       "  --time hh:mm-hh:mm                   čas dne\n"
                       "  --key KLÍČ                           číslo klíče (14 hex. číslic)\n"
                       "  --unit AA                            adresa jednotky\n"
                       "  --result DRUHY --places MÍSTA [--pairs]\n"
                       "        výsledek: DRUHY z povoleno,ilegalni,neotevreno,nezavreno,\n"
                       "        MÍSTA z TM0..TM7,IN0..IN7; --pairs: dvojice událostí\n"
                       "  --filter VÝRAZ                       vlastní filtr místo částí výše\n");
    if (sort)
        text += QStringLiteral(
            "  --sort INDEX   pořadí podle indexu AhwjIndex, CtmIndex, CasIndex, DatIndex\n"
            "                 nebo IndexCTMDATUMCAS (jinak v pořadí uložení)\n");
    return text;
}

Result<EventSelectionArgs> parseEventSelection(const CommandCall &call, bool sort)
{
    EventSelectionArgs a;
    auto given = [&](const char *name) { return call.isSet(opt(name)); };
    auto value = [&](const char *name) { return call.value(opt(name)); };

    const bool parts = given("from") || given("to") || given("time") || given("key") ||
                       given("unit") || given("result") || given("places") || given("pairs");
    if (given("filter")) {
        if (parts)
            return Failure{QStringLiteral("--filter nelze kombinovat s dalšími volbami výběru")};
        a.filter = value("filter");
    }
    if (given("to") && !given("from"))
        return Failure{QStringLiteral("--to patří k volbě --from")};
    if (given("from")) {
        const Result<QDate> from = dateArgument(value("from"));
        if (!from)
            return from.failure();
        const Result<QDate> to = given("to") ? dateArgument(value("to")) : from;
        if (!to)
            return to.failure();
        if (*to < *from)
            return Failure{QStringLiteral("--to je před --from")};
        a.from = *from;
        a.to = *to;
    }
    if (given("time")) {
        const Result<std::pair<quint16, quint16>> time = parseTimeRange(value("time"));
        if (!time)
            return time.failure();
        a.time = *time;
    }
    if (given("key")) {
        const Result<KeyBytes> key = keyArgument(value("key"));
        if (!key)
            return key.failure();
        a.key = keyToText(*key);
    }
    if (given("unit")) {
        const Result<quint8> unit = addressArgument(value("unit"));
        if (!unit)
            return unit.failure();
        a.unit = byteToHex(*unit);
    }
    if (given("result") != given("places") || (given("pairs") && !given("result")))
        return Failure{QStringLiteral("--result a --places se zadávají spolu (s --pairs)")};
    if (given("result")) {
        const auto kinds = parseKinds(value("result"));
        if (!kinds)
            return kinds.failure();
        const auto places = parsePlaces(value("places"));
        if (!places)
            return places.failure();
        a.result = ResultFilter{*kinds, given("pairs"), *places};
    }
    if (sort && given("sort")) {
        const Result<QString> index = parseSort(value("sort"));
        if (!index)
            return index.failure();
        a.sortIndex = *index;
    }
    return a;
}

QString eventSelectionFilter(TDB0DM &db, const EventSelectionArgs &a)
{
    if (!a.filter.isEmpty())
        return a.filter;
    FilterComponents parts;
    if (a.from) {
        db.interval.startDate = PackDayMonth(a.from->day(), a.from->month());
        db.interval.startYear = a.from->year();
        db.interval.endDate = PackDayMonth(a.to->day(), a.to->month());
        db.interval.endYear = a.to->year();
        parts[size_t(FilterPart::Date)] = {componentText(db, FilterPart::Date), true};
    }
    if (a.time) {
        db.interval.startTime = a.time->first;
        db.interval.endTime = a.time->second;
        parts[size_t(FilterPart::Time)] = {componentText(db, FilterPart::Time), true};
    }
    if (!a.key.isEmpty()) {
        db.chosenKey = a.key;
        parts[size_t(FilterPart::Key)] = {componentText(db, FilterPart::Key), true};
    }
    if (!a.unit.isEmpty()) {
        db.selection().chosenAddress = a.unit;
        parts[size_t(FilterPart::Unit)] = {componentText(db, FilterPart::Unit), true};
    }
    if (a.result)
        parts[size_t(FilterPart::Result)] = {a.result->text(), true};
    return combineFilter(parts);
}

} // namespace vardex
