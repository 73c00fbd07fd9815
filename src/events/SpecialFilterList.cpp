#include "events/SpecialFilterList.h"

#include "text/LineFile.h"

#include <QDir>
#include <QFileInfo>

namespace vardex {

SpecialFilterList::SpecialFilterList(const QString &workDir) : m_workDir(workDir)
{
}

QString SpecialFilterList::path() const
{
    return QDir(m_workDir).filePath(fileName());
}

bool SpecialFilterList::fileExists() const
{
    return QFileInfo(path()).isFile();
}

bool SpecialFilterList::add(const QString &expression)
{
    if (expression.isEmpty() || m_expressions.contains(expression))
        return false;
    m_expressions.append(expression);
    return true;
}

Result<void> SpecialFilterList::read()
{
    if (!fileExists())
        return Failure{QStringLiteral("Seznam ") + fileName() + QStringLiteral(" neexistuje!")};
    LinesRead lines = readLines(path());
    if (!lines.ok)
        return Failure{lines.error};
    m_expressions = std::move(lines.lines);
    return {};
}

QString SpecialFilterList::overwriteQuestion() const
{
    return QStringLiteral("Seznam ") + fileName() + QStringLiteral(" existuje.\nSkutečně přepsat?");
}

Result<void> SpecialFilterList::write() const
{
    const FileWritten written = writeLineFile(path(), m_expressions);
    if (!written.ok)
        return Failure{written.error};
    return {};
}

} // namespace vardex
