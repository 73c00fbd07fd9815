#pragma once

#include "unitops/StateQuery.h"

#include <QDialog>

class QLineEdit;
class QModelIndex;
class QTableView;

namespace vardex {

class TDB0DM;
class TableGridModel;

// "Čtení stavu hardwarových jednotek": a double click on a unit of the
// grid reads its state and opens the state window over this one.
class TFrmGetSta : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmGetSta(TDB0DM &db, QWidget *parent = nullptr);
    ~TFrmGetSta() override;

    StateQuery &query() { return m_query; }
    QTableView *grid() const { return m_grid; }
    QLineEdit *status() const { return m_status; }

    // Opens the state window of the buffer modally; the tests replace it.
    std::function<void(const QByteArray &stateBuffer)> showState;

public Q_SLOTS:
    void DBGrid1DblClick(const QModelIndex &index);

private:
    void stateReceived();

    StateQuery m_query;
    TableGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QLineEdit *m_status = nullptr;
};

} // namespace vardex
