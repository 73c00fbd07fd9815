#include "events/FreeFilterList.h"

#include "text/LineFile.h"

#include <QDir>
#include <QFileInfo>

namespace vardex {

FreeFilterList::FreeFilterList(const QString &workDir) : m_workDir(workDir)
{
}

QString FreeFilterList::path() const
{
    return QDir(m_workDir).filePath(fileName());
}

bool FreeFilterList::fileExists() const
{
    return QFileInfo(path()).isFile();
}

bool FreeFilterList::add(const QString &expression)
{
    if (expression.isEmpty() || m_expressions.contains(expression))
        return false;
    m_expressions.append(expression);
    return true;
}

Result<void> FreeFilterList::read()
{
    if (!fileExists())
        return Failure{QStringLiteral("Seznam ") + fileName() + QStringLiteral(" neexistuje!")};
    LinesRead lines = readLines(path());
    if (!lines.ok)
        return Failure{lines.error};
    m_expressions = std::move(lines.lines);
    return {};
}

QString FreeFilterList::overwriteQuestion() const
{
    return QStringLiteral("Seznam ") + fileName() + QStringLiteral(" existuje.\nSkutečně přepsat?");
}

Result<void> FreeFilterList::write() const
{
    const FileWritten written = writeLineFile(path(), m_expressions);
    if (!written.ok)
        return Failure{written.error};
    return {};
}

} // namespace vardex
