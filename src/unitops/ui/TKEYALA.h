#pragma once

#include "unitops/SearchedKeys.h"

#include <QDialog>

class QPushButton;
class QTableView;

namespace vardex {

class GridCursor;
class RecordNavigator;
class TDB0DM;
class TableGridModel;

// "Seznam hledaných klíčů": the searched keys with the holder's name, the
// message shown when the key is found and whether its alarm is on. A new
// row takes its key from the key selection dialog.
class TKEYALA : public QDialog
{
    Q_OBJECT
public:
    explicit TKEYALA(TDB0DM &db, QWidget *parent = nullptr);
    ~TKEYALA() override;

    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }
    QPushButton *allOn() const { return m_allOn; }
    QPushButton *allOff() const { return m_allOff; }

    // Runs the key selection dialog modally; the tests replace it.
    std::function<void()> chooseKey;

    // A row still edited is posted before the window closes.
    void reject() override;

private:
    // The navigator has begun a new row: its key is chosen, or it goes.
    void newRow();
    void switchAll(bool on);

    TDB0DM &m_db;
    SearchedKeys m_keys;
    TableGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QPushButton *m_allOn = nullptr;
    QPushButton *m_allOff = nullptr;
};

} // namespace vardex
