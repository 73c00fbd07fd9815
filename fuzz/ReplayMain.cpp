// Replays a fuzz target's corpus without libFuzzer: `fuzz_replay NAME DIR`
// runs every file of DIR through the target NAME. A crash or a sanitizer
// report fails the test; an empty corpus does too, so a moved folder is
// noticed.
#include "FuzzTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <map>
#include <string>

namespace {

std::map<std::string, vardex::fuzz::Target> &targets()
{
    static std::map<std::string, vardex::fuzz::Target> all;
    return all;
}

} // namespace

bool vardex::fuzz::registerTarget(const char *name, Target target)
{
    return targets().emplace(name, target).second;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto target = argc == 3 ? targets().find(argv[1]) : targets().end();
    if (target == targets().end()) {
        std::fprintf(stderr, "usage: fuzz_replay TARGET CORPUS-DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[2]));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : files) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(f.fileName()));
            return 1;
        }
        target->second(f.readAll());
    }
    std::printf("%s: %d inputs replayed\n", argv[1], int(files.size()));
    return files.isEmpty() ? 1 : 0;
}
