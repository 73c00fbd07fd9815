#include "cli/Commands.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "app/MenuItems.h"
#include "cli/CollectCommand.h"
#include "cli/DemoSite.h"
#include "cli/EventsCommand.h"
#include "cli/KeysCommand.h"
#include "cli/ReadKeyCommand.h"
#include "cli/UnitsCommand.h"
#include "platform/Clock.h"
#include "platform/ConsoleMessages.h"
#include "platform/FileChooser.h"

#include <QDir>
#include <memory>

namespace vardex {

namespace {

// The command line never opens a dialog: a file choice is a cancel.
class NoFileChooser final : public FileChooser
{
public:
    std::optional<QString> chooseOpen(const FileRequest &) override { return std::nullopt; }
    std::optional<QString> chooseSave(const FileRequest &) override { return std::nullopt; }
};

// One headless run: the data modules in the working directory, messages to
// standard error.
struct Session
{
    Session(const GlobalOptions &options, const QString &workDir, const QString &home,
            std::FILE *err)
        : messages(err), clock(options.now ? std::unique_ptr<Clock>(new FixedClock(*options.now))
                                           : std::unique_ptr<Clock>(new SystemClock)),
          app(workDir, home, messages, files, *clock)
    {
    }

    ConsoleMessages messages;
    NoFileChooser files;
    std::unique_ptr<Clock> clock;
    Application app;
};

int statusCommand(Session &s, std::FILE *out, std::FILE *err)
{
    if (s.app.start() != StartOutcome::Started)
        return 1;
    QString text;
    for (const MenuItemDef &item : mainMenuItems()) {
        if (item.action == MenuAction::TopLevel || item.action == MenuAction::Separator)
            continue;
        text +=
            QStringLiteral("%1 %2\n").arg(item.name).arg(s.app.menu.isEnabled(item.name) ? 1 : 0);
    }
    const std::pair<const char *, Table *> counted[] = {
        {"units", &s.app.db0.tbUni}, {"keys", &s.app.db0.tbKey}, {"events", &s.app.db0.tbEvents}};
    for (const auto &[name, table] : counted) {
        const Result<qint64> n = table->countRecords();
        if (!n) {
            print(err, QStringLiteral("vardex status: ") + n.error() + QLatin1Char('\n'));
            return 1;
        }
        text += QStringLiteral("%1 %2\n").arg(QLatin1String(name)).arg(*n);
    }
    print(out, text);
    return 0;
}

} // namespace

int runCommand(const GlobalOptions &options, const QString &workDir, const QString &home,
               std::FILE *out, std::FILE *err)
{
    const QString &name = options.command;
    if (name == QLatin1String("status")) {
        if (!options.args.isEmpty()) {
            print(err,
                  QStringLiteral("vardex status: nečekaný argument %1\n").arg(options.args[0]));
            return 2;
        }
        Session s(options, workDir, home, err);
        return statusCommand(s, out, err);
    }
    if (name == QLatin1String("events")) {
        Session s(options, workDir, home, err);
        return eventsCommand(s.app, options.args, out, err);
    }
    if (name == QLatin1String("units")) {
        Session s(options, workDir, home, err);
        return unitsCommand(s.app, options.args, out, err);
    }
    if (name == QLatin1String("keys")) {
        Session s(options, workDir, home, err);
        return keysCommand(s.app, options.args, out, err);
    }
    if (name == QLatin1String("collect")) {
        Session s(options, workDir, home, err);
        return collectCommand(s.app, options.args, out, err);
    }
    if (name == QLatin1String("read-key")) {
        Session s(options, workDir, home, err);
        return readKeyCommand(s.app, options.args, out, err);
    }
    if (name == QLatin1String("demo-site")) {
        if (options.args.size() != 1) {
            print(err, QStringLiteral("Použití: vardex demo-site ADRESÁŘ\n"));
            return 2;
        }
        // The site is its own working and home directory.
        const QString dir = QDir::cleanPath(QDir(workDir).absoluteFilePath(options.args[0]));
        QString error;
        if (!DemoSite::prepareDirectory(dir, &error)) {
            print(err, QStringLiteral("vardex demo-site: ") + error + QLatin1Char('\n'));
            return 1;
        }
        Session s(options, dir, dir + QLatin1Char('/'), err);
        return DemoSite::write(s.app, dir, out, err);
    }
    print(err, QStringLiteral("vardex: neznámý příkaz %1 (viz vardex --help)\n").arg(name));
    return 2;
}

} // namespace vardex
