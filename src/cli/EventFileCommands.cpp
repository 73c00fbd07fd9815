#include "cli/EventFileCommands.h"

#include "cli/Print.h"

#include "app/Application.h"
#include "events/EventArchiveFile.h"
#include "tables/Transaction.h"

#include <QDir>

namespace vardex {

namespace {

// The file named on the line, else UTIL_EVE.TXT, in the working directory.
QString eventFilePath(const CommandCall &call)
{
    return QDir(call.workDir).absoluteFilePath(call.args.value(0, eventFileName()));
}

// The event table, started, unfiltered and in the order of storing.
Table *eventTable(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return nullptr;
    app.db0.tbEvents.setIndex(QString());
    return &app.db0.tbEvents;
}

int exportEvents(CommandCall &call)
{
    Table *events = eventTable(call);
    if (!events)
        return 1;
    const QString path = eventFilePath(call);
    const Result<qint64> written = exportEventFile(*events, path);
    if (!written)
        return call.failed(written.error());
    print(call.out, QStringLiteral("Exportováno událostí: %1 do %2\n").arg(*written).arg(path));
    return 0;
}

int importEvents(CommandCall &call)
{
    Table *events = eventTable(call);
    if (!events)
        return 1;
    const EventImportMode mode =
        call.isSet(QStringLiteral("replace")) ? EventImportMode::Replace : EventImportMode::Keep;
    const Result<qint64> stored = importEventFile(*events, eventFilePath(call), mode);
    if (!stored)
        return call.failed(stored.error());
    print(call.out, QStringLiteral("Importováno událostí: %1\n").arg(*stored));
    return 0;
}

int newEvents(CommandCall &call)
{
    // Without --yes the question gets its safe answer.
    if (!call.isSet(QStringLiteral("yes")))
        return call.failed(QStringLiteral("Přerušeno! (--yes smaže všechny události)"));
    Table *events = eventTable(call);
    if (!events)
        return 1;
    const Result<qint64> n = events->countRecords();
    if (!n)
        return call.failed(n.error());
    Transaction tx(*events);
    if (!tx.active() || !events->empty() || !tx.commit())
        return call.failed(events->errorMessage());
    print(call.out, QStringLiteral("Vymazáno událostí: %1\n").arg(*n));
    return 0;
}

} // namespace

QList<CommandDef> eventFileCommands()
{
    const QStringList fileArg = {QStringLiteral("SOUBOR")};
    CommandDef exp;
    exp.name = QStringLiteral("events export");
    exp.summary = QStringLiteral("uloží všechny události do textového souboru (UTIL_EVE.TXT)");
    exp.synopsis = QStringLiteral("vardex events export [SOUBOR]");
    exp.details = QStringLiteral(
        "  Jako \"Export\" speciálních utilit: za každou událost řádky POLOŽKA=hodnota\n"
        "  a řádek \"#\". Bez SOUBORU UTIL_EVE.TXT v pracovním adresáři.\n");
    exp.argNames = fileArg;
    exp.maxArgs = 1;
    exp.run = exportEvents;

    CommandDef imp;
    imp.name = QStringLiteral("events import");
    imp.summary = QStringLiteral("načte události z textového souboru (UTIL_EVE.TXT)");
    imp.synopsis = QStringLiteral("vardex events import [SOUBOR] [--replace]");
    imp.details = QStringLiteral(
        "  Přidá události ze souboru k uloženým; chybný řádek ukončí import hlášením\n"
        "  \"Chybná data: řádek\" a kódem 1 (události před ním zůstanou).\n"
        "  --replace  nahradí staré události; soubor se nejprve celý zkontroluje a při\n"
        "             chybě se nezmění nic (vše nebo nic)\n");
    imp.options = {QCommandLineOption(QStringLiteral("replace"))};
    imp.argNames = fileArg;
    imp.maxArgs = 1;
    imp.run = importEvents;

    CommandDef fresh;
    fresh.name = QStringLiteral("events new");
    fresh.summary = QStringLiteral("vymaže celou databázi událostí (\"Nová\")");
    fresh.synopsis = QStringLiteral("vardex events new --yes");
    fresh.details = QStringLiteral("  Bez --yes nesmaže nic (kód 1).\n");
    fresh.options = {QCommandLineOption(QStringLiteral("yes"))};
    fresh.run = newEvents;
    return {exp, imp, fresh};
}

} // namespace vardex
