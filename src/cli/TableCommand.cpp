#include "cli/CommandDefs.h"
#include "cli/Print.h"
#include "cli/TableTextCommands.h"

#include "accessdata/TableTextFile.h"
#include "app/Application.h"

#include <QFileInfo>

namespace vardex {

namespace {

const QString kRecords = QStringLiteral("záznamů");

// The table of the site with that base name (any case), opened (a missing
// file is created empty, as the program does at start); null after telling
// why not.
Table *siteTable(CommandCall &call, const QString &base)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return nullptr;
    for (Table *table : app.tables()) {
        if (table->schema().baseName.compare(base, Qt::CaseInsensitive) != 0)
            continue;
        if (!table->isOpen() && !table->open()) {
            call.failed(table->errorMessage());
            return nullptr;
        }
        return table;
    }
    call.failed(QStringLiteral("neznámá tabulka %1 (seznam: vardex table list)").arg(base));
    return nullptr;
}

int listTables(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    QString text;
    for (Table *table : app.tables()) {
        if (!table->isOpen() && !table->open())
            return call.failed(table->errorMessage());
        const Result<qint64> n = table->countRecords();
        if (!n)
            return call.failed(n.error());
        text += QStringLiteral("%1 %2\n").arg(table->schema().baseName).arg(*n);
    }
    print(call.out, text);
    return 0;
}

} // namespace

int exportTableFile(CommandCall &call, Table &table, const QString &file, const QString &noun)
{
    const FileWritten written = exportTableText(table, QFileInfo(file).absoluteFilePath());
    if (!written.ok)
        return call.failed(written.error);
    const Result<qint64> count = table.countRecords();
    if (!count)
        return call.failed(count.error());
    print(call.out, QStringLiteral("Exportováno %1: %2\n").arg(noun).arg(*count));
    return 0;
}

int importTableFile(CommandCall &call, Table &table, const QString &file, bool replace,
                    const QString &noun)
{
    std::FILE *err = call.err;
    auto report = [err](int lineNo, const QString &message) {
        print(err, QStringLiteral("řádek %1: %2\n").arg(lineNo).arg(message));
    };
    TextImportHandlers handlers;
    handlers.badLine = [&report](int lineNo, const QString &line) {
        report(lineNo, QStringLiteral("Chybná data: ") + line);
        return true;
    };
    handlers.refused = report;
    // A replacement is all or nothing: a backup with a bad line must not
    // leave the site with part of its records.
    const TextImportResult result =
        importTableText(table, QFileInfo(file).absoluteFilePath(), replace, handlers,
                        replace ? TextImportMode::AllOrNothing : TextImportMode::SkipBadLines);
    if (!result.ok)
        return call.failed(result.error);
    print(call.out, QStringLiteral("Importováno %1: %2\n").arg(noun).arg(result.imported));
    return result.skipped.isEmpty() ? 0 : 1;
}

QList<CommandDef> tableCommands()
{
    CommandDef list;
    list.name = QStringLiteral("table list");
    list.summary = QStringLiteral("vypíše základní jména všech tabulek s počty záznamů");
    list.synopsis = QStringLiteral("vardex table list");
    list.run = listTables;

    const QString format = QStringLiteral(
        "  Textový formát s pevnými sloupci jako \"Export databáze\" v oknech jednotek a\n"
        "  klíčů: řádek na záznam, každá položka na svou šířku, bajty hexadecimálně,\n"
        "  na konci \"#\" a CR LF, kódování cp1250. TABULKA je základní jméno souboru\n"
        "  tabulky (WKVRKEY, WKVRUNI, EVENTS, WKVRDCH, plan, …; vardex table list).\n");
    CommandDef exp;
    exp.name = QStringLiteral("table export");
    exp.summary = QStringLiteral("uloží celou tabulku do textového souboru");
    exp.synopsis = QStringLiteral("vardex table export TABULKA SOUBOR");
    exp.details = format;
    exp.argNames = {QStringLiteral("TABULKA"), QStringLiteral("SOUBOR")};
    exp.minArgs = exp.maxArgs = 2;
    exp.run = [](CommandCall &call) {
        Table *table = siteTable(call, call.args[0]);
        return table ? exportTableFile(call, *table, call.args[1], kRecords) : 1;
    };

    CommandDef imp;
    imp.name = QStringLiteral("table import");
    imp.summary = QStringLiteral("načte tabulku z textového souboru");
    imp.synopsis = QStringLiteral("vardex table import TABULKA SOUBOR [--replace]");
    imp.details =
        format + QStringLiteral(
                     "  Každý řádek se ukládá s pravidly tabulky (povinné položky, jedinečné\n"
                     "  indexy). Odmítnutý řádek se vypíše jako \"řádek N: důvod\" a vynechá,\n"
                     "  ostatní se uloží; kód 1, když byl některý řádek vynechán.\n"
                     "  --replace  nejprve tabulku vyprázdní, vše v jedné transakci: jakýkoli\n"
                     "             odmítnutý řádek, chyba nebo přerušení ponechá původní obsah\n");
    imp.options = {QCommandLineOption(QStringLiteral("replace"))};
    imp.argNames = exp.argNames;
    imp.minArgs = imp.maxArgs = 2;
    imp.run = [](CommandCall &call) {
        Table *table = siteTable(call, call.args[0]);
        return table ? importTableFile(call, *table, call.args[1],
                                       call.isSet(QStringLiteral("replace")), kRecords)
                     : 1;
    };
    return {list, exp, imp};
}

} // namespace vardex
