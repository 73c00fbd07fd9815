#include "attendance/TDMRPL.h"

#include "attendance/AttendanceSchemas.h"

namespace vardex {

TDMRPL::TDMRPL(const QString &workDir, QObject *parent)
    : QObject(parent), tbRpl(wkvrRplSchema(), workDir)
{
    if (!tbRpl.open())
        m_openError = tbRpl.errorMessage();
}

Result<bool> TDMRPL::JeZaznamKlicDatum(const QString &klic, const QDate &datum)
{
    // The plan's own cursor, not one of its own: a day posted in a
    // transaction that is still open must be found.
    const QString index = tbRpl.indexName();
    const Bookmark at = tbRpl.bookmark();
    const QString byKeyAndDate = QStringLiteral("IndexKLICDATUM");
    if (index != byKeyAndDate && !tbRpl.setIndex(byKeyAndDate))
        return tbRpl.failure();
    const bool found = tbRpl.findKey({datum, klic});
    const bool failed = tbRpl.readFailed();
    const Failure why = tbRpl.failure();
    if (index != byKeyAndDate)
        tbRpl.setIndex(index);
    if (at != 0)
        tbRpl.gotoBookmark(at);
    if (failed)
        return why;
    return found;
}

} // namespace vardex
