// kvr8sim: a line of KVR-8 units on a pseudo-terminal.

#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "sim/SimConfig.h"
#include "sim/StateFile.h"
#include "text/HexText.h"

#include <QString>

#include <csignal>
#include <cstdio>
#include <poll.h>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

using namespace vardex;
using namespace vardex::sim;

namespace {

const char *const Usage =
    "usage: kvr8sim --config FILE [--state FILE [--reset-state]] [--link PATH] [--pace]\n"
    "       kvr8sim --help\n"
    "\n"
    "Simulates a line of KVR-8 units on a pseudo-terminal and prints the path\n"
    "of its slave side; point the program's serial port at it (KOMPORTCOM=PATH\n"
    "in VX_PARMS.INI).\n"
    "\n"
    "  --config FILE  the units, permissions, waiting events, holders, faults\n"
    "                 and traffic (format: sim/README.md)\n"
    "  --state FILE   keep what the units live through in FILE between runs: loaded\n"
    "                 at start when it exists, written at most every second and\n"
    "                 on exit (a file that does not fit the configuration stops\n"
    "                 the start)\n"
    "  --reset-state  start from the configuration, not from the state file\n"
    "  --link PATH    also keep a symbolic link PATH to the slave side\n"
    "  --pace         send replies at the real speed (2400 baud, 11 bits a byte)\n"
    "  --help         show this text\n"
    "\n"
    "While it runs, commands on standard input:\n"
    "  key ADDR READER KEY        a holder presents KEY at READER (0-7) of unit ADDR\n"
    "  input ADDR INPUT STATE     input 0-7 of unit ADDR goes to STATE (0 rest, 3 active)\n"
    "  fault ADDR NAME [COUNT]    none|silent|checksum|split|address|garbage|noise|\n"
    "                             truncate|late, for COUNT replies or until changed\n"
    "  quit                       stop (as do Ctrl-C, SIGTERM and SIGHUP)\n";

void say(const QString &text, FILE *to = stdout)
{
    std::fputs(text.toUtf8().constData(), to);
    std::fputc('\n', to);
    std::fflush(to);
}

// Runs one command; false for "quit".
bool runCommand(Kvr8Simulator &sim, const QString &line)
{
    if (line.trimmed().isEmpty())
        return true;
    QString error;
    const std::optional<SimCommand> c = SimCommand::parse(line, &error);
    if (!c) {
        say(error, stderr);
        return true;
    }
    const QString unit = byteToHex(c->address);
    switch (c->kind) {
    case SimCommand::Quit:
        return false;
    case SimCommand::Key:
        if (const auto allowed = sim.presentKey(c->address, c->index, c->key))
            say(QStringLiteral("%1: %2").arg(unit, *allowed ? QStringLiteral("allowed")
                                                            : QStringLiteral("refused")));
        else
            say(QStringLiteral("no unit %1").arg(unit), stderr);
        break;
    case SimCommand::Input:
        if (!sim.changeInput(c->address, c->index, c->inputState))
            say(QStringLiteral("no unit %1").arg(unit), stderr);
        break;
    case SimCommand::SetFault:
        if (!sim.setFault(c->address, c->fault, c->count))
            say(QStringLiteral("no unit %1").arg(unit), stderr);
        break;
    }
    return true;
}

// Gives the units what the state file kept, unless told to start from the
// configuration, and writes the state the run starts from at once, so that
// a file that cannot be written stops the start.
Result<void> loadState(StateFile &file, const SimConfig &config, bool reset, Kvr8Simulator &sim)
{
    if (!reset) {
        const Result<std::optional<SimState>> kept = file.load();
        if (!kept)
            return kept.failure();
        if (*kept) {
            if (const Result<void> fits = (*kept)->check(config); !fits)
                return Failure{QStringLiteral("%1 does not fit the configuration: %2 "
                                              "(--reset-state starts from the configuration)")
                                   .arg(file.path(), fits.error())};
            sim.restore(**kept);
        }
    }
    return file.save(sim.snapshot());
}

} // namespace

int main(int argc, char **argv)
{
    QString configPath;
    QString linkPath;
    QString statePath;
    bool resetState = false;
    bool pace = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (arg == QLatin1String("--pace")) {
            pace = true;
        } else if (arg == QLatin1String("--reset-state")) {
            resetState = true;
        } else if (arg == QLatin1String("--state") && i + 1 < argc) {
            statePath = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == QLatin1String("--config") && i + 1 < argc) {
            configPath = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == QLatin1String("--link") && i + 1 < argc) {
            linkPath = QString::fromLocal8Bit(argv[++i]);
        } else {
            say(QStringLiteral("kvr8sim: unexpected argument %1").arg(arg), stderr);
            std::fputs(Usage, stderr);
            return 2;
        }
    }
    if (configPath.isEmpty() || (resetState && statePath.isEmpty())) {
        std::fputs(Usage, stderr);
        return 2;
    }
    QString error;
    const std::optional<SimConfig> config = SimConfig::load(configPath, &error);
    if (!config) {
        say(QStringLiteral("kvr8sim: %1").arg(error), stderr);
        return 1;
    }

    // The stopSignals are taken by the main loop; the line's thread inherits
    // the mask and never sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);

    SystemClock clock;
    Kvr8Simulator sim(clock);
    sim.apply(*config);
    sim.setPacing(pace || config->pace);
    std::optional<StateFile> state;
    if (!statePath.isEmpty()) {
        state.emplace(statePath);
        if (const Result<void> loaded = loadState(*state, *config, resetState, sim); !loaded) {
            say(QStringLiteral("kvr8sim: %1").arg(loaded.error()), stderr);
            return 1;
        }
    }
    // Saves the state; a failure is reported once until a save succeeds again.
    bool failing = false;
    const auto keepState = [&] {
        const Result<void> saved = state->save(sim.snapshot());
        if (!saved && !failing)
            say(QStringLiteral("kvr8sim: state not saved: %1").arg(saved.error()), stderr);
        failing = !saved;
    };
    if (!sim.start(linkPath, &error)) {
        say(QStringLiteral("kvr8sim: %1").arg(error), stderr);
        return 1;
    }
    say(sim.slavePath());

    bool stdinOpen = true;
    std::string pending;
    for (;;) {
        pollfd fds[2] = {{signalFd, POLLIN, 0}, {stdinOpen ? 0 : -1, POLLIN, 0}};
        const int timeoutMs = state ? int(state->untilDue().count()) : -1;
        const int ready = ::poll(fds, 2, timeoutMs);
        if (state && state->untilDue().count() == 0)
            keepState();
        if (ready < 0)
            continue;
        if (fds[0].revents & POLLIN)
            break;
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            char buffer[256];
            const ssize_t n = ::read(0, buffer, sizeof buffer);
            if (n <= 0) {
                stdinOpen = false;
                continue;
            }
            pending.append(buffer, size_t(n));
            bool quit = false;
            for (std::size_t eol; !quit && (eol = pending.find('\n')) != std::string::npos;) {
                quit = !runCommand(sim, QString::fromUtf8(pending.substr(0, eol)));
                pending.erase(0, eol + 1);
            }
            if (quit)
                break;
        }
    }
    sim.stop();
    ::close(signalFd);
    if (state)
        keepState();
    return failing ? 1 : 0;
}
