#pragma once

#include "attendance/PlanSources.h"

#include <QDialog>

class QTableWidget;

namespace vardex {

// The month plan of a worker as attendance processing uses it: one row per
// day of the month with its date, norm, night mark and the shift's bars.
class TTABROZ : public QDialog
{
    Q_OBJECT
public:
    TTABROZ(const PlannedMonth &month, const QString &title, QWidget *parent = nullptr);

    // Shows the month plan modally under `title` ("Rozpis: " + name).
    static void showMonthPlan(const PlannedMonth &month, const QString &title, QWidget *parent);

    QTableWidget *grid() const { return m_grid; }

private:
    QTableWidget *m_grid = nullptr;
};

} // namespace vardex
