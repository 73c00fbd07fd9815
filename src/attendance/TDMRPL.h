#pragma once

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

    // Empty when the table opened; else its error, which the start reports.
    const QString &openError() const { return m_openError; }

private:
    QString m_openError;
};

} // namespace vardex
