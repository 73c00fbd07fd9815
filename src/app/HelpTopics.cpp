#include "app/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace vardex {

namespace {

bool holdsTopics(const QString &dir)
{
    return !dir.isEmpty() && QFileInfo(QDir(dir).filePath(QLatin1String(kHelpTopicsFile))).isFile();
}

} // namespace

QHash<QString, QString> parseHelpTopics(const QString &text)
{
    QHash<QString, QString> topics;
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString file = line.mid(eq + 1).trimmed();
        if (!file.isEmpty())
            topics.insert(line.left(eq).trimmed(), file);
    }
    return topics;
}

HelpPage findHelpPage(const QString &helpDir, const QString &topic)
{
    HelpPage page;
    const QDir dir(helpDir);
    QFile index(dir.filePath(QLatin1String(kHelpTopicsFile)));
    if (helpDir.isEmpty() || !index.open(QIODevice::ReadOnly)) {
        page.error = QStringLiteral("chybí rejstřík nápovědy %1").arg(index.fileName());
        return page;
    }
    const QString file = parseHelpTopics(QString::fromUtf8(index.readAll())).value(topic);
    if (file.isEmpty()) {
        page.error = QStringLiteral("téma „%1“ není v rejstříku %2").arg(topic, index.fileName());
        return page;
    }
    page.path = dir.filePath(file);
    if (!QFileInfo(page.path).isFile()) {
        page.error = QStringLiteral("chybí stránka %1").arg(page.path);
        return page;
    }
    page.ok = true;
    return page;
}

QString locateHelpDir(const QString &exeDir, const QString &fallbackDir)
{
    const QString besideProgram = QDir(exeDir).filePath(QStringLiteral("help"));
    if (!exeDir.isEmpty() && holdsTopics(besideProgram))
        return besideProgram;
    if (holdsTopics(fallbackDir))
        return fallbackDir;
    return {};
}

} // namespace vardex
