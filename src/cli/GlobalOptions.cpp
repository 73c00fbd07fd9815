#include "cli/GlobalOptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace vardex {

namespace {

QString withSlash(const QString &dir)
{
    if (dir.isEmpty() || dir.endsWith(QLatin1Char('/')))
        return dir;
    return dir + QLatin1Char('/');
}

} // namespace

GlobalOptions parseGlobalOptions(const QStringList &arguments)
{
    GlobalOptions o;
    const QCommandLineOption changeDir(QStringLiteral("C"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption home(QStringLiteral("home"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption now(QStringLiteral("now"), QString(), QStringLiteral("ČAS"));
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    QCommandLineParser parser;
    parser.addOptions({changeDir, home, now, version, help});
    // The options after the command are the command's own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        o.error =
            !unknown.isEmpty()
                ? QStringLiteral("Neznámá volba: %1%2")
                      .arg(unknown[0].size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                           unknown[0])
                : QStringLiteral("Volba %1 vyžaduje hodnotu").arg(arguments.last());
        return o;
    }
    o.changeDir = parser.value(changeDir);
    o.home = parser.value(home);
    o.version = parser.isSet(version);
    o.help = parser.isSet(help);
    if (parser.isSet(now)) {
        const QDateTime at =
            QDateTime::fromString(parser.value(now), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!at.isValid()) {
            o.error = QStringLiteral("Chybný čas ve volbě --now: %1 (očekává se "
                                     "\"RRRR-MM-DD hh:mm:ss\")")
                          .arg(parser.value(now));
            return o;
        }
        o.now = at;
    }
    const QStringList rest = parser.positionalArguments();
    if (!rest.isEmpty()) {
        o.command = rest[0];
        o.args = rest.mid(1);
    }
    return o;
}

QString resolveHome(const QString &optionHome, const QString &envHome, const QString &exeDir)
{
    const QString chosen = !optionHome.isEmpty() ? optionHome
                           : !envHome.isEmpty()  ? envHome
                                                 : exeDir;
    return withSlash(chosen.isEmpty() ? chosen : QDir(chosen).absolutePath());
}

QString programDirectory(const QString &argv0)
{
    const QString running = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(running.isEmpty() ? argv0 : running).absolutePath();
}

} // namespace vardex
