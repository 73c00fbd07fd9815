#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "attendance/CalendarPlan.h"
#include "attendance/PlanSources.h"
#include "events/ReportFile.h"
#include "timecal/HourMinute.h"
#include "timecal/LongDuration.h"

#include <QFileInfo>

namespace vardex {

namespace {

// What every plan command is given: the holder and the period.
struct PlanArgs
{
    QString key;
    QDate from;
    QDate to;
};

// The key and period of the line; a usage error (2) is returned as a
// status, nullopt means the line is good.
std::optional<int> readPlanArgs(CommandCall &call, PlanArgs &a)
{
    for (const char *name : {"key", "from", "to"})
        if (!call.isSet(QLatin1String(name)))
            return call.usageError(QStringLiteral("chybí volba --") + QLatin1String(name));
    const Result<KeyBytes> key = keyArgument(call.value(QStringLiteral("key")));
    if (!key)
        return call.usageError(key.error());
    a.key = keyToText(*key);
    const Result<QDate> from = dateArgument(call.value(QStringLiteral("from")));
    if (!from)
        return call.usageError(from.error());
    const Result<QDate> to = dateArgument(call.value(QStringLiteral("to")));
    if (!to)
        return call.usageError(to.error());
    if (*from > *to)
        return call.usageError(QStringLiteral("začátek období je po jeho konci"));
    a.from = *from;
    a.to = *to;
    return std::nullopt;
}

// The started site, or null (the start told why).
Application *started(CommandCall &call)
{
    Application &app = call.app();
    return app.start() == StartOutcome::Started ? &app : nullptr;
}

// Whether the key is in the key table; tells when it is not.
bool knownKey(CommandCall &call, Application &app, const QString &key)
{
    if (app.db0.tbKeyExactCTM(key))
        return true;
    if (app.db0.tbKey.readFailed())
        call.failed(app.db0.tbKey.errorMessage());
    else
        call.failed(CtiRozKliErr(ScheduleLoad::NoSuchKey));
    return false;
}

// Runs `body` on the started site with the key and period of the line.
template <typename Body> int withPlan(CommandCall &call, bool keyMustExist, Body body)
{
    PlanArgs a;
    if (const std::optional<int> wrong = readPlanArgs(call, a))
        return *wrong;
    Application *app = started(call);
    if (!app)
        return 1;
    if (keyMustExist && !knownKey(call, *app, a.key))
        return 1;
    CalendarPlan plan(app->vx, app->db0, app->rpl);
    return body(*app, plan, a);
}

int reportDays(CommandCall &call, const Result<int> &days, const QString &what)
{
    if (!days)
        return call.failed(days.error());
    print(call.out, what + QString::number(*days) + QLatin1Char('\n'));
    return 0;
}

int printPlan(CommandCall &call)
{
    return withPlan(call, true, [&](Application &app, CalendarPlan &plan, const PlanArgs &a) {
        const Result<QStringList> lines = plan.printLines(a.key, a.from, a.to);
        if (!lines)
            return call.failed(lines.error());
        if (const Result<void> written = writeReportFile(app.vx.config.outputDir, *lines); !written)
            return call.failed(written.error());
        print(call.out, lines->join(u'\n') + u'\n');
        return 0;
    });
}

int generatePlan(CommandCall &call)
{
    return withPlan(call, true, [&](Application &, CalendarPlan &plan, const PlanArgs &a) {
        const bool overwrite = call.isSet(QStringLiteral("overwrite"));
        return reportDays(call, plan.GenerujPredepsanyRozpis(a.key, a.from, a.to, overwrite),
                          QStringLiteral("Uloženo dnů: "));
    });
}

// Without --yes the question gets its safe answer and nothing changes.
int unconfirmed(CommandCall &call, const QString &question)
{
    return call.failed(question + QStringLiteral(" Ne (potvrzuje volba --yes); nic nezměněno"));
}

int emptyPlan(CommandCall &call)
{
    return withPlan(call, true, [&](Application &, CalendarPlan &plan, const PlanArgs &a) {
        if (!call.isSet(QStringLiteral("yes")))
            return unconfirmed(call, QStringLiteral("Skutečně vynulovat tabulku?"));
        return reportDays(call, plan.emptyPeriod(a.key, a.from, a.to),
                          QStringLiteral("Uloženo dnů: "));
    });
}

int erasePlan(CommandCall &call)
{
    return withPlan(call, false, [&](Application &, CalendarPlan &plan, const PlanArgs &a) {
        if (!call.isSet(QStringLiteral("yes")))
            return unconfirmed(call, QStringLiteral("Skutečně vymazat období?"));
        return reportDays(call, plan.erasePeriod(a.key, a.from, a.to),
                          QStringLiteral("Vymazáno dnů: "));
    });
}

int planNorm(CommandCall &call)
{
    return withPlan(call, true, [&](Application &, CalendarPlan &plan, const PlanArgs &a) {
        const Result<quint32> norm = plan.norm(a.key, a.from, a.to);
        if (!norm)
            return call.failed(norm.error());
        print(call.out, QStringLiteral("Norma za období: ") + FormatLongDuration(*norm) + u'\n');
        return 0;
    });
}

int savePlanPattern(CommandCall &call)
{
    return withPlan(call, true, [&](Application &, CalendarPlan &plan, const PlanArgs &a) {
        const Result<PlanPattern> pattern = plan.KlicDoVzoru(a.key, a.from, a.to);
        if (!pattern)
            return call.failed(pattern.error());
        const QString path = QFileInfo(call.args[0]).absoluteFilePath();
        if (const Result<void> saved = savePattern(path, *pattern); !saved)
            return call.failed(saved.error());
        print(call.out, QStringLiteral("Vzor uložen: ") + call.args[0] + u'\n');
        return 0;
    });
}

int applyPlanPattern(CommandCall &call)
{
    return withPlan(call, true, [&](Application &, CalendarPlan &plan, const PlanArgs &a) {
        const Result<PlanPattern> pattern = loadPattern(QFileInfo(call.args[0]).absoluteFilePath());
        if (!pattern)
            return call.failed(pattern.error());
        const bool overwrite = call.isSet(QStringLiteral("overwrite"));
        return reportDays(call, plan.VzorDoKlice(*pattern, a.key, a.from, a.to, overwrite),
                          QStringLiteral("Uloženo dnů: "));
    });
}

// "mm.yyyy"
std::optional<Date> monthArgument(const QString &text)
{
    const QDate d = QDate::fromString(QStringLiteral("01.") + text, QStringLiteral("dd.MM.yyyy"));
    if (text.size() != 7 || !d.isValid())
        return std::nullopt;
    return Date{d.year(), d.month(), 1};
}

int monthPlan(CommandCall &call)
{
    for (const char *name : {"key", "month"})
        if (!call.isSet(QLatin1String(name)))
            return call.usageError(QStringLiteral("chybí volba --") + QLatin1String(name));
    const Result<KeyBytes> keyBytes = keyArgument(call.value(QStringLiteral("key")));
    if (!keyBytes)
        return call.usageError(keyBytes.error());
    const std::optional<Date> month = monthArgument(call.value(QStringLiteral("month")));
    if (!month)
        return call.usageError(QStringLiteral("chybný měsíc %1 (očekává se mm.rrrr)")
                                   .arg(call.value(QStringLiteral("month"))));
    Application *app = started(call);
    if (!app)
        return 1;
    const QString key = keyToText(*keyBytes);
    const Result<PlannedMonth> planned =
        call.isSet(QStringLiteral("manual"))
            ? MR_Podle_RPlanu(app->rpl, key, month->year, month->month)
            : StandardniRozpisPracovnika(app->vx, key, *month);
    if (!planned)
        return call.failed(planned.error());
    QString text = RozpisPro(app->db0, key, month->year, month->month) + u'\n';
    Date date = PrevDay(*month);
    for (size_t slot = 0; slot < planned->plan.days.size(); ++slot) {
        const DayShift &day = planned->plan.days[slot];
        text += QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                    .arg(slot, 2, 10, QLatin1Char('0'))
                    .arg(FormatDate(date), FormatHourMinute(planned->required[slot]))
                    .arg(QLatin1Char(day.flag))
                    .arg(FormatSection(day.first), -27)
                    .arg(FormatSection(day.second), -27)
                    .arg(planned->notes[slot])
                    .trimmed() +
                u'\n';
        date = NextDay(date);
    }
    print(call.out, text);
    return 0;
}

QList<QCommandLineOption> periodOptions()
{
    return {QCommandLineOption(QStringLiteral("key"), QString(), QStringLiteral("KLÍČ")),
            QCommandLineOption(QStringLiteral("from"), QString(), QStringLiteral("dd.mm.rrrr")),
            QCommandLineOption(QStringLiteral("to"), QString(), QStringLiteral("dd.mm.rrrr"))};
}

const QString kPeriodDetails =
    QStringLiteral("  --key KLÍČ     klíč pracovníka (14 šestnáctkových číslic)\n"
                   "  --from, --to   období dd.mm.rrrr (smí přesahovat konec roku)\n");

CommandDef planCommand(const char *words, const char *summary, const char *synopsis,
                       const QString &details, std::function<int(CommandCall &)> run)
{
    CommandDef def;
    def.name = QString::fromUtf8(words);
    def.summary = QString::fromUtf8(summary);
    def.synopsis = QString::fromUtf8(synopsis);
    def.details = kPeriodDetails + details;
    def.options = periodOptions();
    def.run = std::move(run);
    return def;
}

QCommandLineOption flag(const char *name)
{
    return QCommandLineOption(QLatin1String(name));
}

} // namespace

QList<CommandDef> planCommands()
{
    CommandDef print = planCommand(
        "plan print", "vytiskne kalendářní plán pracovníka za období (\"Vytisknout\")",
        "vardex plan print --key KLÍČ --from dd.mm.rrrr --to dd.mm.rrrr",
        QStringLiteral("  Řádky jako v souboru sestavy WKVR.RTF, který se zapíše znovu: jméno, "
                       "období,\n  den po dni norma, \"noc\" a úseky směny (\"nedefinován\" "
                       "bez záznamu), součet.\n"),
        printPlan);

    CommandDef generate = planCommand(
        "plan generate", "vytvoří kalendářní plán podle rozpisu směn (\"Předepsaný rozpis\")",
        "vardex plan generate --key KLÍČ --from dd.mm.rrrr --to dd.mm.rrrr [--overwrite]",
        QStringLiteral("  --overwrite    přepíše dny, které už plán má (jinak se ponechají)\n"
                       "  Svátky dostanou poznámku \"S\". Vypíše počet uložených dnů; rozpis,\n"
                       "  který začíná po začátku období, se odmítne (kód 1).\n"),
        generatePlan);
    generate.options << flag("overwrite");

    CommandDef empty = planCommand(
        "plan empty", "vynuluje směny pracovníka za období (\"Prázdný rozpis\")",
        "vardex plan empty --key KLÍČ --from dd.mm.rrrr --to dd.mm.rrrr [--yes]",
        QStringLiteral("  --yes          odpoví \"Ano\" na otázku \"Skutečně vynulovat tabulku?\"\n"
                       "                 (bez ní se nic nezmění, kód 1)\n"),
        emptyPlan);
    empty.options << flag("yes");

    CommandDef erase = planCommand(
        "plan erase", "vymaže dny pracovníka za období (\"Vymazat období\")",
        "vardex plan erase --key KLÍČ --from dd.mm.rrrr --to dd.mm.rrrr [--yes]",
        QStringLiteral("  --yes          potvrdí mazání (bez ní se nic nezmění, kód 1)\n"
                       "  Vypíše počet vymazaných dnů.\n"),
        erasePlan);
    erase.options << flag("yes");

    CommandDef norm =
        planCommand("plan norm", "sečte předepsanou dobu plánu za období (\"Norma za období\")",
                    "vardex plan norm --key KLÍČ --from dd.mm.rrrr --to dd.mm.rrrr",
                    QStringLiteral("  Vypíše \"Norma za období: hhh:mm\".\n"), planNorm);

    CommandDef save = planCommand(
        "plan pattern save", "uloží dny období do souboru vzoru .VZR (\"Uchovat vzor\")",
        "vardex plan pattern save SOUBOR --key KLÍČ --from dd.mm.rrrr --to dd.mm.rrrr",
        QStringLiteral("  Období leží v jednom měsíci; dny bez záznamu jsou ve vzoru prázdné.\n"),
        savePlanPattern);
    save.argNames = {QStringLiteral("SOUBOR")};
    save.minArgs = save.maxArgs = 1;

    CommandDef apply = planCommand(
        "plan pattern apply", "použije vzor .VZR na dny období (\"Použít vzor\")",
        "vardex plan pattern apply SOUBOR --key KLÍČ --from dd.mm.rrrr --to dd.mm.rrrr "
        "[--overwrite]",
        QStringLiteral("  Den d vzoru na den d období (v jednom měsíci).\n"
                       "  --overwrite    přepíše dny, které už plán má (jinak se ponechají)\n"),
        applyPlanPattern);
    apply.argNames = {QStringLiteral("SOUBOR")};
    apply.minArgs = apply.maxArgs = 1;
    apply.options << flag("overwrite");

    CommandDef month;
    month.name = QStringLiteral("plan month");
    month.summary = QStringLiteral("vypíše měsíční rozpis, se kterým počítá docházka");
    month.synopsis = QStringLiteral("vardex plan month --key KLÍČ --month mm.rrrr [--manual]");
    month.details = QStringLiteral(
        "  Nadpis a řádky 00..31 (00 = poslední den předchozího měsíce): datum, norma,\n"
        "  příznak směny, první a druhý úsek, poznámka. Bez --manual z rozpisu směn\n"
        "  (víkendy a svátky s normou 00:00), s --manual z kalendářního plánu.\n");
    month.options = {
        QCommandLineOption(QStringLiteral("key"), QString(), QStringLiteral("KLÍČ")),
        QCommandLineOption(QStringLiteral("month"), QString(), QStringLiteral("mm.rrrr")),
        flag("manual")};
    month.run = monthPlan;
    return {print, generate, empty, erase, norm, save, apply, month};
}

} // namespace vardex
