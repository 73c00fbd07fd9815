#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "admin/SystemDocumentation.h"
#include "app/Application.h"
#include "events/ReportFile.h"

namespace vardex {

namespace {

int writeListing(CommandCall &call, DocListing listing)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    // The window offers a listing only when its table has records.
    const Result<bool> any = documentationHasRecords(app.db0, listing);
    if (!any)
        return call.failed(any.error());
    if (!*any)
        return call.failed(listing == DocListing::Units
                               ? QStringLiteral("v evidenci není žádná jednotka")
                               : QStringLiteral("v evidenci není žádný klíč"));
    const QString outputDir = app.vx.config.outputDir;
    const Result<qint64> listed = writeDocumentation(app.db0, app.vx, listing, outputDir);
    if (!listed)
        return call.failed(listed.error());
    const Result<QStringList> lines = readReportFile(outputDir);
    if (!lines)
        return call.failed(lines.error());
    QString text;
    for (const QString &line : *lines)
        text += line + QLatin1Char('\n');
    print(call.out, text);
    return 0;
}

CommandDef docCommand(const char *word, const QString &summary, const QString &button,
                      DocListing listing)
{
    CommandDef def;
    def.name = QStringLiteral("doc ") + QLatin1String(word);
    def.summary = summary;
    def.synopsis = QStringLiteral("vardex doc ") + QLatin1String(word);
    def.details = QStringLiteral(
                      "  Výpis \"%1\" okna \"Dokumenty o nastavení systému\" zapíše do souboru\n"
                      "  sestavy WKVR.RTF a vypíše jej. Prázdná tabulka: kód 1, sestava zůstane.\n")
                      .arg(button);
    def.run = [listing](CommandCall &call) { return writeListing(call, listing); };
    return def;
}

} // namespace

QList<CommandDef> docCommands()
{
    return {docCommand("units", QStringLiteral("vypíše popis jednotek: objekty, časy, poplachy"),
                       QStringLiteral("Popis jednotek"), DocListing::Units),
            docCommand("keys", QStringLiteral("vypíše seznam klíčů a jejich nositelů"),
                       QStringLiteral("Seznam klíčů"), DocListing::Keys),
            docCommand("permissions",
                       QStringLiteral("vypíše oprávnění klíčů: rozpis docházky a přístupová práva"),
                       QStringLiteral("Přehled oprávnění"), DocListing::Permissions)};
}

} // namespace vardex
