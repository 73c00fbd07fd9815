#pragma once

#include "cli/Commands.h"
#include "cli/GlobalOptions.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace vardex::testing {

// What one headless run of a sub-command gave back.
struct CmdResult
{
    int status;
    QString out;
    QString err;
};

// Runs `vardex ARGS` headless on the site in `dir` (also its home, unless
// `home` names another) and collects both output streams whole.
inline CmdResult runVardex(const QStringList &args, const QString &dir, QString home = {})
{
    if (home.isEmpty())
        home = dir + QLatin1Char('/');
    const GlobalOptions o = parseGlobalOptions(QStringList{QStringLiteral("vardex")} + args);
    EXPECT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    char *outBuf = nullptr, *errBuf = nullptr;
    size_t outSize = 0, errSize = 0;
    std::FILE *out = open_memstream(&outBuf, &outSize);
    std::FILE *err = open_memstream(&errBuf, &errSize);
    const int status = runCommand(o, dir, home, out, err);
    std::fclose(out);
    std::fclose(err);
    CmdResult r{status, QString::fromUtf8(outBuf, qsizetype(outSize)),
                QString::fromUtf8(errBuf, qsizetype(errSize))};
    std::free(outBuf);
    std::free(errBuf);
    return r;
}

} // namespace vardex::testing
