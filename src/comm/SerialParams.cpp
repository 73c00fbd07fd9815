#include "comm/SerialParams.h"

#include "text/LineFile.h"

#include <QDir>
#include <QFileInfo>

namespace vardex::SerialParams {

namespace {

const QString kKey = QStringLiteral("KOMPORTCOM=");
constexpr qsizetype kNameLength = 4;

} // namespace

QString fileName()
{
    return QStringLiteral("VX_PARMS.INI");
}

QString portFromLines(const QStringList &lines, const QString &current)
{
    QString port = current;
    for (const QString &line : lines) {
        if (!line.startsWith(kKey, Qt::CaseSensitive))
            continue;
        QString value = line.mid(kKey.size());
        while (!value.isEmpty() && value.back().isSpace())
            value.chop(1);
        if (value.isEmpty())
            continue;
        port = value.startsWith(u'/') ? value : value.left(kNameLength);
    }
    return port;
}

QString portFromFile(const QString &dir, const QString &current)
{
    const QString path = QDir(dir).filePath(fileName());
    if (!QFileInfo(path).isFile())
        return current;
    const LinesRead read = readLines(path);
    if (!read.ok)
        return current;
    return portFromLines(read.lines, current);
}

Result<void> writeFile(const QString &dir, const QString &port)
{
    const QString line = kKey + port;
    if (!fitsCp1250(line))
        return Failure{QStringLiteral("Název portu %1 obsahuje znak, který nelze zapsat "
                                      "v kódování cp1250 souboru %2")
                           .arg(port, fileName())};
    const FileWritten written = writeLineFile(QDir(dir).filePath(fileName()), {line});
    if (!written.ok)
        return Failure{written.error};
    return {};
}

QString devicePath(const QString &commPort)
{
    if (commPort.startsWith(u'/'))
        return commPort;
    if (commPort.size() == kNameLength &&
        commPort.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive)) {
        const QChar digit = commPort.at(3);
        if (digit >= u'1' && digit <= u'9')
            return QStringLiteral("/dev/ttyS%1").arg(digit.digitValue() - 1);
    }
    return {};
}

} // namespace vardex::SerialParams
