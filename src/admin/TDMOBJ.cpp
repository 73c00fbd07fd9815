#include "admin/TDMOBJ.h"

#include "admin/AdminSchemas.h"

namespace vardex {

TDMOBJ::TDMOBJ(const QString &workDir, QObject *parent)
    : QObject(parent), tbZony(tabZonSchema(), workDir), tbObjekty(tabObjSchema(), workDir),
      tbKlice(tabKeySchema(), workDir)
{
    for (Table *t : {&tbZony, &tbObjekty, &tbKlice}) {
        if (!t->open()) {
            m_openError = t->errorMessage();
            return;
        }
    }
    seedOuterZone();
}

TDMOBJ::~TDMOBJ()
{
    for (Table *t : {&tbZony, &tbObjekty, &tbKlice})
        t->close();
}

bool TDMOBJ::seedOuterZone()
{
    // An empty zone table gets the outer zone, which must be number 1.
    if (tbZony.recordCount() > 0)
        return true;
    for (const QVariantMap &record : tabZonInitialRecords()) {
        if (!tbZony.append())
            return false;
        for (auto it = record.begin(); it != record.end(); ++it)
            tbZony.setValue(it.key(), it.value());
        if (!tbZony.post()) {
            m_openError = tbZony.errorMessage();
            tbZony.cancel();
            return false;
        }
    }
    return true;
}

void TDMOBJ::PridatCisloZony(int zona)
{
    if (seznamZon.size() < 128 && !seznamZon.contains(zona))
        seznamZon.append(zona);
}

} // namespace vardex
