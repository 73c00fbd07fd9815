#pragma once

#include "tables/Table.h"

#include <QList>
#include <QObject>

namespace vardex {

// The zones and objects data module: zones, the objects the units serve and
// the keys with their presence. Opens its tables when created.
class TDMOBJ : public QObject
{
    Q_OBJECT
public:
    explicit TDMOBJ(const QString &workDir, QObject *parent = nullptr);
    ~TDMOBJ() override;

    Table tbZony;
    Table tbObjekty;
    Table tbKlice;

    // Empty when every table opened; else the first table's error, which the
    // start sequence reports.
    const QString &openError() const { return m_openError; }

    // Zone numbers collected for the overview monitor (at most 128, no repeats).
    QList<int> seznamZon;
    void NulujSeznamZon() { seznamZon.clear(); }
    void PridatCisloZony(int zona);

private:
    bool seedOuterZone();

    QString m_openError;
};

} // namespace vardex
