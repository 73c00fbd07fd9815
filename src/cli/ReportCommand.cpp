#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "events/ReportFile.h"

#include <QFileInfo>

namespace vardex {

namespace {

// The output directory of the site's program parameters.
Result<QString> outputDirectory(CommandCall &call)
{
    Application &app = call.app();
    QString error;
    if (!app.vx.StartAplikace(app.home(), &error))
        return Failure{error.isEmpty() ? QStringLiteral("chybí domovský adresář") : error};
    return app.vx.config.outputDir;
}

// "Uložit do souboru VYSTUP.TXT" without the window: an existing file is
// left alone unless the line says to overwrite it or append to it.
int saveReport(CommandCall &call, const QStringList &lines)
{
    const QString path = QFileInfo(call.value(QStringLiteral("save"))).absoluteFilePath();
    const bool append = call.isSet(QStringLiteral("append"));
    if (QFileInfo::exists(path) && !append && !call.isSet(QStringLiteral("overwrite")))
        return call.failed(QStringLiteral("soubor %1 existuje (--overwrite jej přepíše, --append "
                                          "doplní)")
                               .arg(path));
    const Result<void> saved =
        saveReportText(path, lines, append ? SaveMode::Append : SaveMode::Overwrite);
    if (!saved)
        return call.failed(saved.error());
    print(call.out, QStringLiteral("Uloženo do %1\n").arg(path));
    return 0;
}

int writePdf(CommandCall &call, const QString &reportPath, const QStringList &lines)
{
    if (!call.services.writePdf)
        return call.failed(QStringLiteral("tisk do PDF zde není k dispozici"));
    const QString path = QFileInfo(call.value(QStringLiteral("pdf"))).absoluteFilePath();
    const Result<int> pages =
        call.services.writePdf(path, reportPath, lines, call.value(QStringLiteral("font")));
    if (!pages)
        return call.failed(pages.error());
    print(call.out, QStringLiteral("Vytvořen %1, stran: %2\n").arg(path).arg(*pages));
    return 0;
}

int runReport(CommandCall &call)
{
    const bool save = call.isSet(QStringLiteral("save"));
    const bool pdf = call.isSet(QStringLiteral("pdf"));
    if (call.isSet(QStringLiteral("font")) && !pdf)
        return call.usageError(QStringLiteral("volba --font patří k volbě --pdf"));
    const bool append = call.isSet(QStringLiteral("append"));
    const bool overwrite = call.isSet(QStringLiteral("overwrite"));
    if ((append || overwrite) && !save)
        return call.usageError(QStringLiteral("volby --append a --overwrite patří k volbě --save"));
    if (append && overwrite)
        return call.usageError(QStringLiteral("volby --append a --overwrite se vylučují"));

    const Result<QString> dir = outputDirectory(call);
    if (!dir)
        return call.failed(dir.error());
    const Result<QStringList> lines = readReportFile(*dir);
    if (!lines)
        return call.failed(lines.error());
    if (!save && !pdf) {
        QString text;
        for (const QString &line : *lines)
            text += line + QLatin1Char('\n');
        print(call.out, text);
        return 0;
    }
    if (save) {
        if (const int status = saveReport(call, *lines))
            return status;
    }
    return pdf ? writePdf(call, reportFilePath(*dir), *lines) : 0;
}

} // namespace

QList<CommandDef> reportCommands()
{
    CommandDef report;
    report.name = QStringLiteral("report");
    report.summary = QStringLiteral("vypíše, uloží nebo do PDF převede poslední sestavu "
                                    "(WKVR.RTF ve výstupním adresáři)");
    report.synopsis = QStringLiteral("vardex report [--save SOUBOR [--overwrite | --append]] "
                                     "[--pdf SOUBOR [--font \"RODINA,VELIKOST\"]]");
    report.details = QStringLiteral(
        "  Bez voleb vypíše text sestavy. Kód 1 a \"Žádná data pro výstup\", když\n"
        "  sestava není.\n"
        "  --save SOUBOR   uloží řádky sestavy a čtyři prázdné řádky (cp1250, CR LF),\n"
        "                  jako \"Uložit do souboru VYSTUP.TXT\"; existující soubor\n"
        "                  ponechá (kód 1), pokud není dána některá z voleb:\n"
        "  --overwrite     existující soubor přepíše (\"Přepsat\")\n"
        "  --append        doplní na konec existujícího souboru (\"Doplnit\")\n"
        "  --pdf SOUBOR    vytvoří PDF se stránkami jako při tisku\n"
        "  --font \"RODINA,VELIKOST\"\n"
        "                  písmo tisku, např. \"DejaVu Sans Mono,9\" (výchozí neproporcionální\n"
        "                  písmo)\n");
    report.options = {
        QCommandLineOption(QStringLiteral("save"), QString(), QStringLiteral("SOUBOR")),
        QCommandLineOption(QStringLiteral("overwrite")),
        QCommandLineOption(QStringLiteral("append")),
        QCommandLineOption(QStringLiteral("pdf"), QString(), QStringLiteral("SOUBOR")),
        QCommandLineOption(QStringLiteral("font"), QString(), QStringLiteral("RODINA,VELIKOST"))};
    report.needsGui = true;
    report.run = runReport;
    return {report};
}

} // namespace vardex
