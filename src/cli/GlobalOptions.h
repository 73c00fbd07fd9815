#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace vardex {

// What the command line asked for before the sub-command.
struct GlobalOptions
{
    QString changeDir;            // -C DIR
    QString home;                 // --home DIR
    std::optional<QDateTime> now; // --now "YYYY-MM-DD hh:mm:ss"
    bool version = false;         // --version
    bool help = false;            // --help
    QString command;              // empty: the main window
    QStringList args;             // the sub-command's own arguments
    QString error;                // Czech message when the line is malformed
};

GlobalOptions parseGlobalOptions(const QStringList &arguments);

// The home directory (ending in "/"): --home, else the environment variable
// VARDEX_HOME, else the directory of the executable. A relative one is taken
// from the current directory.
QString resolveHome(const QString &optionHome, const QString &envHome, const QString &exeDir);

// The directory of the running program itself, whatever the current
// directory: the window and the commands find one home, and so one
// configuration. `argv0` serves only where the system cannot say (it is
// then resolved against the current directory, so call this before -C).
QString programDirectory(const QString &argv0);

} // namespace vardex
