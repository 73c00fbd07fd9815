#pragma once

#include "app/Application.h"
#include "platform/Clock.h"
#include "platform/ConsoleMessages.h"
#include "platform/FileChooser.h"

#include <QDateTime>
#include <cstdio>
#include <memory>
#include <optional>

namespace vardex {

// The command line never opens a dialog: a file choice is a cancel.
class NoFileChooser final : public FileChooser
{
public:
    std::optional<QString> chooseOpen(const FileRequest &) override { return std::nullopt; }
    std::optional<QString> chooseSave(const FileRequest &) override { return std::nullopt; }
};

// One headless run: the data modules on the tables in `workDir`, the
// configuration in `home`, messages to standard error, the clock fixed by
// --now when given.
struct Session
{
    Session(const std::optional<QDateTime> &now, const QString &workDir, const QString &home,
            std::FILE *err)
        : messages(err), clock(now ? std::unique_ptr<Clock>(new FixedClock(*now))
                                   : std::unique_ptr<Clock>(new SystemClock)),
          app(workDir, home, messages, files, *clock)
    {
    }

    ConsoleMessages messages;
    NoFileChooser files;
    std::unique_ptr<Clock> clock;
    Application app;
};

} // namespace vardex
