// The vardex program: the main window without a sub-command, the headless
// sub-commands otherwise.
#include "app/Application.h"
#include "app/QtTranslations.h"
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "cli/GlobalOptions.h"
#include "events/ui/ReportPrinting.h"
#include "platform/Clock.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace vardex;

namespace {

void printText(std::FILE *f, const QString &text)
{
    std::fputs(text.toUtf8().constData(), f);
}

int runWindow(const GlobalOptions &options, const QString &home, int argc, char **argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationDisplayName(applicationTitle());
    const QString missing = installCzechQtTranslations(qapp);
    if (!missing.isEmpty())
        printText(stderr, QStringLiteral("vardex: %1\n").arg(missing));
    MessageBoxes messages;
    FileDialogs files;
    std::unique_ptr<Clock> clock;
    if (options.now)
        clock = std::make_unique<FixedClock>(*options.now);
    else
        clock = std::make_unique<SystemClock>();
    Application app(QDir::currentPath(), home, messages, files, *clock);
    app.useSerialPort();
    MainWindow window(app);
    registerAppWindows(window, app);
    window.show();
    return qapp.exec();
}

// Drawing a report into a PDF file, for the command line.
CommandServices commandServices()
{
    CommandServices services;
    services.writePdf = [](const QString &pdfPath, const QString &title, const QStringList &lines,
                           const QString &fontText) -> Result<int> {
        QFont font = defaultReportFont();
        if (!fontText.isEmpty()) {
            const Result<QFont> chosen = parseReportFont(fontText);
            if (!chosen)
                return chosen.failure();
            font = *chosen;
        }
        return writeReportPdf(pdfPath, title, lines, font);
    };
    return services;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const GlobalOptions options = parseGlobalOptions(arguments);
    if (!options.error.isEmpty()) {
        printText(stderr, QStringLiteral("vardex: %1\nPoužití: vardex [volby] [příkaz "
                                         "[argumenty]] (nápověda: vardex --help)\n")
                              .arg(options.error));
        return 2;
    }
    if (options.version) {
        printText(stdout, applicationTitle() + QStringLiteral(" (vardex " VARDEX_VERSION ")\n"));
        return 0;
    }
    if (options.help) {
        printText(stdout, usageText());
        return 0;
    }
    // Known before -C, which would move a relative argv[0]; a relative
    // --home (or VARDEX_HOME) means where the command was typed, like -C.
    const QString programDir = programDirectory(arguments[0]);
    const QString home = resolveHome(options.home, qEnvironmentVariable("VARDEX_HOME"), programDir);
    // The table directory is fixed here, once, for the whole run.
    if (!options.changeDir.isEmpty() && !QDir::setCurrent(options.changeDir)) {
        printText(stderr,
                  QStringLiteral("vardex: nelze přejít do adresáře %1\n").arg(options.changeDir));
        return 2;
    }
    if (options.command.isEmpty())
        return runWindow(options, home, argc, argv);
    if (commandNeedsGui(options)) {
        // Run from cron there is no display: text is drawn offscreen unless
        // the environment names a platform.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Nor a login session: a private runtime folder spares the mail
        // from cron Qt's warning about a missing one.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QByteArray runtime =
                QDir::tempPath().toLocal8Bit() + "/runtime-" + QByteArray::number(::getuid());
            if (::mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
                qputenv("XDG_RUNTIME_DIR", runtime);
        }
        QGuiApplication qapp(argc, argv);
        return runCommand(options, QDir::currentPath(), home, stdout, stderr, commandServices());
    }
    QCoreApplication qapp(argc, argv);
    return runCommand(options, QDir::currentPath(), home, stdout, stderr);
}
