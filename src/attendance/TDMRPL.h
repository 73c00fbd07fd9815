#pragma once

#include "base/Result.h"
#include "tables/Table.h"

#include <QObject>

namespace vardex {

// The yearly plan data module: opens the yearly plan table when created.
class TDMRPL : public QObject
{
    Q_OBJECT
public:
    explicit TDMRPL(const QString &workDir, QObject *parent = nullptr);
    ~TDMRPL() override { tbRpl.close(); }

    Table tbRpl;

    // Whether the plan holds a day for that key number and date. Searched
    // under the key-and-date index; the cursor, its order and its place are
    // left as they were.
    Result<bool> JeZaznamKlicDatum(const QString &klic, const QDate &datum);

    // Empty when the table opened; else its error, which the start reports.
    const QString &openError() const { return m_openError; }

private:
    QString m_openError;
};

} // namespace vardex
