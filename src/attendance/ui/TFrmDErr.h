#pragma once

#include <QDialog>

#include <functional>

class QTableView;

namespace vardex {

class TDB0DM;
class TVXDM;
class TableGridModel;

// "Chyby při vyhodnocení docházky": the error records of the worker being
// evaluated. "Hotovo" closes it and the computation is repeated; "Přerušit
// zpracování" empties the error table, which abandons the worker. The event
// table's order and filter are as the window found them when it closes.
class TFrmDErr : public QDialog
{
    Q_OBJECT
public:
    TFrmDErr(TDB0DM &db, TVXDM &vx, QWidget *parent = nullptr);
    ~TFrmDErr() override;

    // A double click on an error: its date (day and month of the error,
    // the processing year).
    std::function<void(const QDate &)> showDay;

    QTableView *grid() const { return m_grid; }

public Q_SLOTS:
    void abandon();

private:
    void rowDoubleClicked(int row);

    TDB0DM &m_db;
    TVXDM &m_vx;
    QTableView *m_grid = nullptr;
    TableGridModel *m_model = nullptr;
    QString m_eventsIndex;
    QString m_eventsFilter;
    bool m_eventsFiltered = false;
};

} // namespace vardex
