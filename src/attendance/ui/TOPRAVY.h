#pragma once

#include "attendance/MonthCorrections.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vardex {

// "OPRAVY": the computed values of a worker's month, one row per day; a
// click on a cell of an editable column opens its edit field. A corrected
// time recomputes the row's total and balance; on closing every day of
// the month is recomputed.
class TOPRAVY : public QDialog
{
    Q_OBJECT
public:
    TOPRAVY(MonthResults &results, int year, int month, const QString &title,
            QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }
    QGroupBox *editPanel() const { return m_panel; }
    QLineEdit *editField() const { return m_field; }
    QPushButton *storeButton() const { return m_store; }

public Q_SLOTS:
    void cellClicked(int row, int column);
    // "Hotovo" of the edit field.
    void store();
    void done(int result) override;

private:
    void fillRow(int row);

    MonthCorrections m_sheet;
    int m_row = -1;
    int m_column = -1;
    QTableWidget *m_grid = nullptr;
    QGroupBox *m_panel = nullptr;
    QLabel *m_columnTitle = nullptr;
    QLineEdit *m_field = nullptr;
    QPushButton *m_store = nullptr;
};

} // namespace vardex
