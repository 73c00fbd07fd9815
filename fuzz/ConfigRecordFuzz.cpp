// WKVRCFG.DBF, the program's 335-byte settings record, read from a home
// as the start does (a directory it names may be created).
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "app/ConfigFile.h"

#include <QDir>

VARDEX_FUZZ_TARGET(ConfigRecord)
{
    vardex::Session &s = vardex::fuzz::site();
    const QString home = s.app.workDir() + QStringLiteral("/home/");
    QDir().mkpath(home);
    vardex::fuzz::siteFile(QStringLiteral("home/") + QLatin1String(vardex::kConfigFileName), input);
    (void)vardex::loadOrCreateConfig(home, s.messages);
}
