#pragma once

#include <QDialog>

class QLineEdit;
class QModelIndex;
class QTableView;

namespace vardex {

class GridCursor;
class RecordNavigator;
class TDB0DM;
class TableGridModel;

// "Určení identifikačního klíče": picks one key holder. The caller shows it
// modally and afterwards reads the access-control data module's chosen key,
// which is empty unless a row was double-clicked.
class TFrmSelK : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSelK(TDB0DM &db, QWidget *parent = nullptr);
    ~TFrmSelK() override;

    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }
    QLineEdit *searchBox() const { return m_search; }

public Q_SLOTS:
    void searchChanged(const QString &text);
    // Chooses the row's key and closes the dialog.
    void rowDoubleClicked(const QModelIndex &index);

private:
    TDB0DM &m_db;
    TableGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QLineEdit *m_search = nullptr;
};

} // namespace vardex
