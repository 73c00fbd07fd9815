#include "attendance/PlanNotes.h"

#include "text/LineFile.h"

namespace vardex {

PlanNotes::PlanNotes() : m_entries(defaults())
{
}

QStringList PlanNotes::defaults()
{
    return {QStringLiteral("DOVOL."),  QStringLiteral("NÁHR.V."), QStringLiteral("NEMOC"),
            QStringLiteral("NEPL.V."), QStringLiteral("OČR"),     QStringLiteral("SL.CESTA"),
            QStringLiteral("ZÁK.VOL.")};
}

void PlanNotes::add(const QString &text)
{
    const QString note = text.trimmed().left(MaxLength).trimmed();
    if (!note.isEmpty() && !m_entries.contains(note))
        m_entries << note;
}

Result<void> PlanNotes::save(const QString &path) const
{
    const FileWritten written = writeLineFile(path, m_entries);
    if (!written.ok)
        return Failure{written.error};
    return {};
}

Result<void> PlanNotes::load(const QString &path)
{
    const LinesRead read = readLines(path);
    if (!read.ok)
        return Failure{read.error};
    m_entries.clear();
    for (const QString &line : read.lines)
        add(line);
    return {};
}

} // namespace vardex
