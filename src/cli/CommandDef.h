#pragma once

#include "base/Result.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <memory>

namespace vardex {

class Application;
struct GlobalOptions;
struct Session;

// What the program lends to commands that need more than the core: drawing
// a report into a PDF file belongs to the window library.
struct CommandServices
{
    // Renders the lines page by page into `pdfPath` with the print layout,
    // `title` as the document's title and `fontText` ("FAMILY,SIZE", empty:
    // the default report font); gives the number of pages.
    std::function<Result<int>(const QString &pdfPath, const QString &title,
                              const QStringList &lines, const QString &fontText)>
        writePdf;
};

struct CommandDef;

// One run of one command, its own part of the line parsed.
class CommandCall
{
public:
    CommandCall(const CommandDef &def, const GlobalOptions &global, const QString &workDir,
                const QString &home, std::FILE *out, std::FILE *err,
                const CommandServices &services);
    ~CommandCall();
    CommandCall(const CommandCall &) = delete;
    CommandCall &operator=(const CommandCall &) = delete;

    const CommandDef &def;
    const GlobalOptions &global;
    const QString workDir;
    const QString home;
    std::FILE *const out;
    std::FILE *const err;
    const CommandServices &services;
    QCommandLineParser options;
    QStringList args; // the arguments after the command's words

    bool isSet(const QString &option) const { return options.isSet(option); }
    QString value(const QString &option) const { return options.value(option); }

    // The data modules on the working directory, made on first use.
    Application &app();
    // The same on another site (its own working and home directory).
    Application &appAt(const QString &dir, const QString &siteHome);

    // "vardex NAME: reason" and the command's usage on standard error; 2.
    int usageError(const QString &reason) const;
    // "vardex NAME: reason" on standard error; 1.
    int failed(const QString &reason) const;
    // The final message of a run over the units (CR LF as line breaks):
    // printed with status 0, or as the failure when the run had errors.
    int finalMessage(QString message, bool errors) const;

private:
    std::unique_ptr<Session> m_session;
};

// One command of the command line: its words ("keys import"), the line
// `vardex --help` shows, its usage and what `vardex help NAME` adds, its
// options and how many further arguments it takes.
struct CommandDef
{
    QString name;
    QString summary;
    QString synopsis; // "vardex keys import SOUBOR [--replace]"
    QString details;  // arguments, options, exit status; lines indented by two
    QList<QCommandLineOption> options;
    QStringList argNames; // the further arguments, as the usage names them
    int minArgs = 0;      // how many of them must be given
    int maxArgs = 0;
    // Draws text (a PDF): runs with a graphical application, on the
    // offscreen platform unless the environment names another.
    bool needsGui = false;
    std::function<int(CommandCall &)> run;
};

} // namespace vardex
