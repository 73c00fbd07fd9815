#include "cli/Commands.h"

#include "cli/CommandDefs.h"
#include "cli/CommandHelp.h"
#include "cli/Print.h"
#include "cli/Session.h"

namespace vardex {

CommandCall::CommandCall(const CommandDef &def, const GlobalOptions &global, const QString &workDir,
                         const QString &home, std::FILE *out, std::FILE *err,
                         const CommandServices &services)
    : def(def), global(global), workDir(workDir), home(home), out(out), err(err), services(services)
{
}

CommandCall::~CommandCall() = default;

Application &CommandCall::app()
{
    return appAt(workDir, home);
}

Application &CommandCall::appAt(const QString &dir, const QString &siteHome)
{
    if (!m_session)
        m_session = std::make_unique<Session>(global.now, dir, siteHome, err);
    return m_session->app;
}

int CommandCall::usageError(const QString &reason) const
{
    print(err, QStringLiteral("vardex %1: %2\nPoužití: %3\n").arg(def.name, reason, def.synopsis));
    return 2;
}

int CommandCall::failed(const QString &reason) const
{
    print(err, QStringLiteral("vardex %1: %2\n").arg(def.name, reason));
    return 1;
}

int CommandCall::finalMessage(QString message, bool errors) const
{
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (errors)
        return failed(message);
    print(out, message + QLatin1Char('\n'));
    return 0;
}

namespace {

// The command whose words begin the line; the one with the most words wins
// ("keys import" before "keys").
const CommandDef *findCommand(const QStringList &words)
{
    const CommandDef *found = nullptr;
    qsizetype foundWords = 0;
    for (const CommandDef &def : allCommands()) {
        const QStringList own = def.name.split(QLatin1Char(' '));
        if (own.size() > words.size() || own.size() <= foundWords)
            continue;
        if (words.mid(0, own.size()) == own) {
            found = &def;
            foundWords = own.size();
        }
    }
    return found;
}

// Why QCommandLineParser refused the line, in Czech: an unknown option or an
// option without its value.
QString parseFailure(const QCommandLineParser &parser, const CommandDef &def,
                     const QStringList &args)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().first();
        return QStringLiteral("neznámá volba %1%2")
            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
    }
    for (const QCommandLineOption &option : def.options) {
        if (option.valueName().isEmpty())
            continue;
        for (const QString &name : option.names()) {
            const QString written = QStringLiteral("--") + name;
            if (!args.isEmpty() && args.last() == written)
                return QStringLiteral("volba %1 vyžaduje hodnotu %2")
                    .arg(written, option.valueName());
        }
    }
    return QStringLiteral("chybný zápis voleb (%1)").arg(parser.errorText());
}

} // namespace

bool commandNeedsGui(const GlobalOptions &options)
{
    const CommandDef *def = findCommand(QStringList{options.command} + options.args);
    return def && def->needsGui;
}

int runCommand(const GlobalOptions &options, const QString &workDir, const QString &home,
               std::FILE *out, std::FILE *err, const CommandServices &services)
{
    const QStringList words = QStringList{options.command} + options.args;
    const CommandDef *def = findCommand(words);
    if (!def) {
        print(err, QStringLiteral("vardex: neznámý příkaz %1\nPoužití: vardex [volby] příkaz "
                                  "[argumenty] (seznam příkazů: vardex --help)\n")
                       .arg(options.command));
        return 2;
    }
    CommandCall call(*def, options, workDir, home, out, err, services);
    const QStringList rest = words.mid(def->name.count(QLatin1Char(' ')) + 1);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("vypíše nápovědu k příkazu"));
    call.options.addOptions(def->options);
    call.options.addOption(help);
    // "--" ends the options, so that an argument may begin with "-".
    if (!call.options.parse(QStringList{QStringLiteral("vardex")} + rest))
        return call.usageError(parseFailure(call.options, *def, rest));
    if (call.options.isSet(help)) {
        print(out, commandHelp(*def));
        return 0;
    }
    call.args = call.options.positionalArguments();
    if (call.args.size() > def->maxArgs)
        return call.usageError(QStringLiteral("nečekaný argument %1").arg(call.args[def->maxArgs]));
    if (call.args.size() < def->minArgs)
        return call.usageError(
            QStringLiteral("chybí argument %1").arg(def->argNames.value(call.args.size())));
    return def->run(call);
}

} // namespace vardex
