#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "attendance/AttendanceProcessing.h"
#include "events/ReportFile.h"
#include "text/LineFile.h"
#include "timecal/DayMonth.h"

#include <QFile>
#include <QTemporaryDir>

namespace vardex {

namespace {

const QString kNoExplanations = QStringLiteral("no-explanations");
const QString kOneOutput = QStringLiteral("one-output");

std::optional<ReportKind> kindOf(const QString &text)
{
    if (text == u"vykaz")
        return ReportKind::Statement;
    if (text == u"rozsireny")
        return ReportKind::ExtendedStatement;
    if (text == u"souhrn")
        return ReportKind::Summary;
    if (text == u"export")
        return ReportKind::Export;
    return std::nullopt;
}

// Prints the report file as it stands.
Result<void> printReport(CommandCall &call, const QString &outputDir)
{
    const Result<QStringList> lines = readReportFile(outputDir);
    if (!lines)
        return lines.failure();
    QString text;
    for (const QString &line : *lines)
        text += line + u'\n';
    print(call.out, text);
    return {};
}

int runAttendance(CommandCall &call)
{
    const bool one = call.isSet(QStringLiteral("key"));
    const bool all = call.isSet(QStringLiteral("all"));
    if (one == all)
        return call.usageError(QStringLiteral("zadejte buď --key, nebo --all"));
    if (call.isSet(QStringLiteral("group")) && !all)
        return call.usageError(QStringLiteral("volba --group patří k volbě --all"));
    if (!call.isSet(QStringLiteral("from")) || !call.isSet(QStringLiteral("to")))
        return call.usageError(QStringLiteral("chybí --from nebo --to"));
    const Result<QDate> from = dateArgument(call.value(QStringLiteral("from")));
    if (!from)
        return call.usageError(from.error());
    const Result<QDate> to = dateArgument(call.value(QStringLiteral("to")));
    if (!to)
        return call.usageError(to.error());
    if (*to < *from)
        return call.usageError(QStringLiteral("konec období je před jeho začátkem"));
    AttendanceOptions options;
    options.explanations = !call.isSet(kNoExplanations);
    options.oneOutput = call.isSet(kOneOutput);
    if (call.isSet(QStringLiteral("kind"))) {
        const std::optional<ReportKind> kind = kindOf(call.value(QStringLiteral("kind")));
        if (!kind)
            return call.usageError(QStringLiteral("neznámý druh sestavy: ") +
                                   call.value(QStringLiteral("kind")));
        options.kind = *kind;
        // As in the window, these kinds make one output.
        if (*kind == ReportKind::Summary || *kind == ReportKind::Export)
            options.oneOutput = true;
    }
    if (call.isSet(QStringLiteral("plan"))) {
        const QString plan = call.value(QStringLiteral("plan"));
        if (plan != u"auto" && plan != u"manual")
            return call.usageError(QStringLiteral("neznámý zdroj rozpisu: ") + plan);
        options.plan = plan == u"manual" ? PlanChoice::Manual : PlanChoice::Automatic;
    }
    QString ctm;
    if (one) {
        const Result<KeyBytes> key = keyArgument(call.value(QStringLiteral("key")));
        if (!key)
            return call.usageError(key.error());
        ctm = keyToText(*key);
    }

    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    // The reports are put together in a private folder and replace the
    // report file only at the end, so a run that is killed midway leaves the
    // previous report whole instead of an emptied or half-written one.
    const QString outputDir = app.vx.config.outputDir;
    QTemporaryDir staging;
    if (!staging.isValid())
        return call.failed(QStringLiteral("Nelze vytvořit dočasný adresář: ") +
                           staging.errorString());
    app.vx.config.outputDir = staging.path() + u'/';
    const auto finish = [&](int status) {
        const QString path = reportFilePath(app.vx.config.outputDir);
        app.vx.config.outputDir = outputDir;
        QFile staged(path);
        if (!staged.open(QIODevice::ReadOnly))
            return call.failed(QStringLiteral("Chyba čtení souboru: ") + path);
        const FileWritten written = writeWholeFile(reportFilePath(outputDir), staged.readAll());
        return written.ok ? status : call.failed(written.error);
    };
    ProcessingInterval &interval = app.db0.interval;
    interval.startDate = PackDayMonth(from->day(), from->month());
    interval.startYear = from->year();
    interval.endDate = PackDayMonth(to->day(), to->month());
    interval.endYear = to->year();

    AttendanceProcessing run(app.db0, app.vx, app.workDir());
    run.options = options;
    run.planFor = standardPlanSource(app.db0, app.vx, app.rpl);
    run.noteAdded = [&call](const QString &line) { print(call.err, line + u'\n'); };
    Result<void> shown;
    run.showReport = [&] {
        if (shown)
            shown = printReport(call, app.vx.config.outputDir);
    };
    if (Result<void> emptied = run.clearReport(); !emptied)
        return call.failed(emptied.error());
    if (Result<void> read = run.ReserseDat(); !read)
        return finish(call.failed(read.error()));

    if (one) {
        app.db0.chosenKey = ctm;
        const Result<bool> done = run.computeChosenKey();
        if (!done)
            return finish(call.failed(done.error()));
        if (Result<void> printed = printReport(call, app.vx.config.outputDir); !printed)
            return finish(call.failed(printed.error()));
        return finish(*done ? 0 : 1);
    }
    app.db0.chosenGroup = call.value(QStringLiteral("group"));
    const Result<BatchOutcome> done = run.ZpracovaniDavky();
    if (!done)
        return finish(call.failed(done.error()));
    if (!shown)
        return finish(call.failed(shown.error()));
    return finish(done->chosen > 0 && done->processed == done->chosen ? 0 : 1);
}

} // namespace

QList<CommandDef> attendanceCommands()
{
    CommandDef def;
    def.name = QStringLiteral("attendance");
    def.summary = QStringLiteral("vyhodnotí docházku za období jednoho měsíce a vypíše sestavy");
    def.synopsis = QStringLiteral(
        "vardex attendance --from dd.mm.rrrr --to dd.mm.rrrr (--key KLÍČ | --all [--group KÓD])\n"
        "                  [--kind vykaz|rozsireny|souhrn|export] [--plan auto|manual]\n"
        "                  [--no-explanations] [--one-output]");
    def.details = QStringLiteral(
        "  Jako okno \"Vyhodnocení docházky\" bez oprav při výpočtu: vyprázdní soubor\n"
        "  sestavy, doplní do něj sestavy (nebo protokoly o chybách) a jeho text vypíše;\n"
        "  řádky poznámek jdou na standardní chybový výstup.\n"
        "  --key KLÍČ       jeden pracovník (14 šestnáctkových číslic)\n"
        "  --all            všichni pracovníci s rozpisem směn\n"
        "  --group KÓD      jen pracovníci této skupiny (pracoviště)\n"
        "  --kind           výkaz (výchozí), rozšířený výkaz, souhrn, formát exportu;\n"
        "                   souhrn a export jsou vždy jedním výstupem\n"
        "  --plan           automatický rozpis (výchozí) nebo manuálně určený\n"
        "  --no-explanations  bez vysvětlivek\n"
        "  --one-output     celá dávka jako jeden výstup\n"
        "  Kód 0, když každý zvolený pracovník dostal sestavu nebo protokol o chybách;\n"
        "  1, když ne (žádná data, žádný rozpis, období přes dva měsíce).\n");
    def.options = {QCommandLineOption(QStringLiteral("from"), QString(), QStringLiteral("datum")),
                   QCommandLineOption(QStringLiteral("to"), QString(), QStringLiteral("datum")),
                   QCommandLineOption(QStringLiteral("key"), QString(), QStringLiteral("klíč")),
                   QCommandLineOption(QStringLiteral("all")),
                   QCommandLineOption(QStringLiteral("group"), QString(), QStringLiteral("kód")),
                   QCommandLineOption(QStringLiteral("kind"), QString(), QStringLiteral("druh")),
                   QCommandLineOption(QStringLiteral("plan"), QString(), QStringLiteral("zdroj")),
                   QCommandLineOption(kNoExplanations),
                   QCommandLineOption(kOneOutput)};
    def.run = runAttendance;
    return {def};
}

} // namespace vardex
