#pragma once

#include "attendance/ShiftDatabase.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;

namespace vardex {

class FileChooser;
class GridCursor;
class OperatorMessages;
class RecordNavigator;
class TVXDM;
class TableGridModel;

// "Databáze časových průběhů směn": the shifts in a grid with a navigator,
// a search by name, the night template, and the export and import of the
// table. While a record is edited, a double click on "Odpracovat"
// recomputes the required time, on "Noc" toggles crossing midnight, and on
// a section opens the section window on it. In selection mode
// ("Výběr z databáze …") nothing can be edited and "Vybrat" (or a double
// click) picks the current shift.
class TSELSME : public QDialog
{
    Q_OBJECT
public:
    TSELSME(TVXDM &vx, OperatorMessages &messages, FileChooser &files, bool selectionMode = false,
            QWidget *parent = nullptr);
    ~TSELSME() override;

    // The selection mode shown modally: the shift picked, else nothing.
    static std::optional<ChosenShift> choose(TVXDM &vx, OperatorMessages &messages,
                                             FileChooser &files, QWidget *parent);

    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }
    QLineEdit *searchBox() const { return m_search; }
    QPushButton *nightButton() const { return m_night; }
    QPushButton *exportButton() const { return m_export; }
    QPushButton *importButton() const { return m_import; }
    QPushButton *chooseButton() const { return m_choose; }
    const std::optional<ChosenShift> &chosen() const { return m_chosen; }

public Q_SLOTS:
    // A double click on a cell, as the grid reports it.
    void cellDoubleClicked(const QModelIndex &index);
    void chooseCurrent();
    // Escape and "Přerušit": a record still edited is posted first.
    void reject() override;

private:
    ShiftDatabase m_db;
    bool m_selection;
    std::optional<ChosenShift> m_chosen;
    QTableView *m_grid = nullptr;
    TableGridModel *m_model = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QLineEdit *m_search = nullptr;
    QPushButton *m_night = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_choose = nullptr;
};

} // namespace vardex
