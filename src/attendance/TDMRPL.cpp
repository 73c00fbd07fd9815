#include "attendance/TDMRPL.h"

#include "attendance/AttendanceSchemas.h"

namespace vardex {

TDMRPL::TDMRPL(const QString &workDir, QObject *parent)
    : QObject(parent), tbRpl(wkvrRplSchema(), workDir)
{
    if (!tbRpl.open())
        m_openError = tbRpl.errorMessage();
}

} // namespace vardex
