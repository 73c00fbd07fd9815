#include "FuzzSite.h"

#include "cli/DemoSite.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace vardex::fuzz {

namespace {

QString memoryFolder()
{
    return QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm/vardex-fuzz-XXXXXX")
                                                     : QString();
}

} // namespace

Session &site()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = QCoreApplication::instance() ? QCoreApplication::instance()
                                                                : new QCoreApplication(argc, argv);
    static QTemporaryDir dir(memoryFolder());
    static Session *session = [] {
        const QString path = dir.path() + QStringLiteral("/site");
        std::FILE *quiet = std::fopen("/dev/null", "w");
        QString error;
        if (!DemoSite::prepareDirectory(path, &error))
            std::abort();
        auto *s = new Session(QDateTime(QDate(2027, 1, 5), QTime(8, 0)), path, path + u'/', quiet);
        if (DemoSite::write(s->app, path, quiet, quiet) != 0) {
            std::fprintf(stderr, "fuzz: cannot make a site in %s %s\n", qPrintable(path),
                         qPrintable(error));
            std::abort();
        }
        return s;
    }();
    Q_UNUSED(app);
    return *session;
}

QString siteFile(const QString &name, const QByteArray &bytes)
{
    const QString path = site().app.workDir() + u'/' + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
    return path;
}

} // namespace vardex::fuzz
