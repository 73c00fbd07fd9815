#include "cli/KeysCommand.h"
#include "cli/Print.h"

#include "accessdata/TableTextFile.h"
#include "app/Application.h"

#include <QFileInfo>

namespace vardex {

namespace {

constexpr int kNameWidth = 30;
constexpr int kOscisWidth = 12;
constexpr int kGroupWidth = 17;

const QString kUsage = QStringLiteral("Použití: vardex keys\n"
                                      "         vardex keys export SOUBOR\n"
                                      "         vardex keys import SOUBOR [--replace]\n");

enum class KeysAction { List, Export, Import };

struct KeysArgs
{
    KeysAction action = KeysAction::List;
    QString file;
    bool replace = false;
};

std::optional<KeysArgs> parseKeysArgs(const QStringList &args)
{
    KeysArgs parsed;
    if (args.isEmpty())
        return parsed;
    const QString &verb = args[0];
    QStringList rest = args.mid(1);
    if (verb == QLatin1String("export")) {
        parsed.action = KeysAction::Export;
    } else if (verb == QLatin1String("import")) {
        parsed.action = KeysAction::Import;
        parsed.replace = rest.removeAll(QStringLiteral("--replace")) > 0;
    } else {
        return std::nullopt;
    }
    if (rest.size() != 1 || rest[0].isEmpty() || rest[0].startsWith(QLatin1Char('-')))
        return std::nullopt;
    parsed.file = QFileInfo(rest[0]).absoluteFilePath();
    return parsed;
}

int listKeys(Application &app, std::FILE *out, std::FILE *err)
{
    Table &keys = app.db0.tbKey;
    QString text;
    for (bool more = keys.first(); more; more = keys.next()) {
        text += QStringList{keys.asString(QStringLiteral("CTM")),
                            app.db0.tbKeyJmenoTituly(0).leftJustified(kNameWidth),
                            keys.asString(QStringLiteral("OSCIS")).leftJustified(kOscisWidth),
                            keys.asString(QStringLiteral("PRACOVISTE")).leftJustified(kGroupWidth),
                            keys.asString(QStringLiteral("OPRAVNENI")).leftJustified(kGroupWidth),
                            keys.asString(QStringLiteral("ROZPIS"))}
                    .join(QLatin1Char(' '))
                    .trimmed();
        text += QLatin1Char('\n');
    }
    if (keys.readFailed()) {
        print(err, QStringLiteral("vardex keys: ") + keys.errorMessage() + QLatin1Char('\n'));
        return 1;
    }
    print(out, text);
    return 0;
}

int exportKeys(Application &app, const QString &file, std::FILE *out, std::FILE *err)
{
    const FileWritten written = exportTableText(app.db0.tbKey, file);
    if (!written.ok) {
        print(err, QStringLiteral("vardex keys export: ") + written.error + QLatin1Char('\n'));
        return 1;
    }
    const Result<qint64> count = app.db0.tbKey.countRecords();
    if (!count) {
        print(err, QStringLiteral("vardex keys export: ") + count.error() + QLatin1Char('\n'));
        return 1;
    }
    print(out, QStringLiteral("Exportováno klíčů: %1\n").arg(*count));
    return 0;
}

int importKeys(Application &app, const QString &file, bool replace, std::FILE *out, std::FILE *err)
{
    auto report = [err](int lineNo, const QString &message) {
        print(err, QStringLiteral("řádek %1: %2\n").arg(lineNo).arg(message));
    };
    TextImportHandlers handlers;
    handlers.badLine = [&report](int lineNo, const QString &line) {
        report(lineNo, QStringLiteral("Chybná data: ") + line);
        return true;
    };
    handlers.refused = report;
    // A replacement is all or nothing: a backup with a bad line must not
    // leave the site with part of its holders.
    const TextImportResult result =
        importTableText(app.db0.tbKey, file, replace, handlers,
                        replace ? TextImportMode::AllOrNothing : TextImportMode::SkipBadLines);
    if (!result.ok) {
        print(err, QStringLiteral("vardex keys import: ") + result.error + QLatin1Char('\n'));
        return 1;
    }
    print(out, QStringLiteral("Importováno klíčů: %1\n").arg(result.imported));
    return result.skipped.isEmpty() ? 0 : 1;
}

} // namespace

int keysCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err)
{
    const std::optional<KeysArgs> parsed = parseKeysArgs(args);
    if (!parsed) {
        print(err, kUsage);
        return 2;
    }
    if (app.start() != StartOutcome::Started)
        return 1;
    app.db0.tbKey.setIndex(QString());
    switch (parsed->action) {
    case KeysAction::List:
        return listKeys(app, out, err);
    case KeysAction::Export:
        return exportKeys(app, parsed->file, out, err);
    case KeysAction::Import:
        return importKeys(app, parsed->file, parsed->replace, out, err);
    }
    return 2;
}

} // namespace vardex
