#include "cli/CommandDefs.h"
#include "cli/CommandHelp.h"
#include "cli/DemoSite.h"
#include "cli/Print.h"

#include <QDir>

namespace vardex {

namespace {

int runHelp(CommandCall &call)
{
    if (call.args.isEmpty()) {
        print(call.out, usageText());
        return 0;
    }
    // "help keys" explains every command that begins with that word.
    const QString asked = call.args.join(QLatin1Char(' '));
    QStringList texts;
    for (const CommandDef &def : allCommands()) {
        if (def.name == asked || def.name.startsWith(asked + QLatin1Char(' ')))
            texts << commandHelp(def);
    }
    if (texts.isEmpty())
        return call.usageError(QStringLiteral("neznámý příkaz %1").arg(asked));
    print(call.out, texts.join(QLatin1Char('\n')));
    return 0;
}

int runDemoSite(CommandCall &call)
{
    // The site is its own working and home directory.
    const QString dir = QDir::cleanPath(QDir(call.workDir).absoluteFilePath(call.args[0]));
    QString error;
    if (!DemoSite::prepareDirectory(dir, &error))
        return call.failed(error);
    return DemoSite::write(call.appAt(dir, dir + QLatin1Char('/')), dir, call.out, call.err);
}

QList<CommandDef> helpCommands()
{
    CommandDef help;
    help.name = QStringLiteral("help");
    help.summary = QStringLiteral("vypíše nápovědu k příkazu (bez příkazu seznam příkazů)");
    help.synopsis = QStringLiteral("vardex help [PŘÍKAZ]");
    help.argNames = {QStringLiteral("PŘÍKAZ")};
    help.maxArgs = 3; // "help plan pattern save"
    help.run = runHelp;
    return {help};
}

} // namespace

QList<CommandDef> demoSiteCommands()
{
    CommandDef demo;
    demo.name = QStringLiteral("demo-site");
    demo.summary = QStringLiteral("vytvoří ukázkovou evidenci a konfiguraci simulátoru");
    demo.synopsis = QStringLiteral("vardex demo-site ADRESÁŘ");
    demo.details =
        QStringLiteral("  ADRESÁŘ je zároveň pracovní a domovský adresář evidence; konfigurace\n"
                       "  simulátoru je ADRESÁŘ/kvr8sim.conf (linka ADRESÁŘ/ttyKVR8).\n");
    demo.argNames = {QStringLiteral("ADRESÁŘ")};
    demo.minArgs = demo.maxArgs = 1;
    demo.run = runDemoSite;
    return {demo};
}

const QList<CommandDef> &allCommands()
{
    static const QList<CommandDef> commands = [] {
        QList<CommandDef> all;
        for (const auto &area :
             {statusCommands, eventsCommands, unitsCommands, keysCommands, accessCommands,
              docCommands, readKeyCommands, collectCommands, unitStateCommands, uploadCommands,
              monitorCommands, reportCommands, tableCommands, shiftsCommands, schedulesCommands,
              holidaysCommands, planCommands, workplacesCommands, dayCommands, attendanceCommands,
              demoSiteCommands, helpCommands})
            all += area();
        return all;
    }();
    return commands;
}

} // namespace vardex
