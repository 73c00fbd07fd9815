#pragma once

#include "events/EventBrowser.h"
#include "events/FreeFilterList.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;

namespace vardex {

class FileChooser;
class FilterOverviewPanel;
class GridCursor;
class RecordNavigator;
class FreeFilterPanel;
class TableGridModel;

// "Přehled událostí v systému": the archive of events in a grid with
// translated codes, narrowed by the five filter parts or a free filter,
// sorted by an index, searched, printed to the report file and erased up
// to a day; the table tools of the event table open from here.
class TEVEDB : public QDialog
{
    Q_OBJECT
public:
    TEVEDB(TDB0DM &db, const QString &outputDir, FileChooser &files, QWidget *parent = nullptr);
    ~TEVEDB() override;

    EventBrowser &browser() { return m_browser; }
    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    QLabel *counter() const { return m_counter; }
    QToolButton *toggle(FilterPart part) const { return m_toggles[size_t(part)]; }
    QToolButton *freeToggle() const { return m_toggles[FilterPartCount]; }
    QToolButton *criterionButton(int part) const { return m_criteria[size_t(part)]; }
    QComboBox *sortSelector() const { return m_sort; }
    QLineEdit *searchBox() const { return m_search; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *eraseButton() const { return m_erase; }
    QPushButton *showFiltersButton() const { return m_showFilters; }
    QPushButton *utilitiesButton() const { return m_utilities; }
    FilterOverviewPanel *overviewPanel() const { return m_overview; }
    FreeFilterPanel *freePanel() const { return m_free; }

public Q_SLOTS:
    // "Určit kritérium výběru" of part 0..4, or 5 for the free filters.
    void chooseCriterion(int part);
    void toggled(int part, bool on);
    void sortChosen(int entry);
    void searchRequested();
    void printClicked();
    void eraseClicked();
    void showFiltersClicked();
    void utilitiesClicked();
    void readListClicked();
    void writeListClicked();
    void clearListClicked();
    void selectFreeClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Escape closes an open panel first.
    void reject() override;

private:
    // Shows a failure of the core, then the grid and the counter as they are.
    void report(const Result<void> &outcome);
    // Reads the rows and the counter again.
    void refresh();
    void showPanel(QWidget *panel);
    QString looked(const Result<QString> &text);

    TDB0DM &m_db;
    QString m_outputDir;
    FileChooser &m_files;
    EventBrowser m_browser;
    FreeFilterList m_list;
    bool m_lookupFailed = false;
    TableGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QLabel *m_counter = nullptr;
    std::array<QToolButton *, FilterPartCount + 1> m_toggles{};
    std::array<QToolButton *, FilterPartCount + 1> m_criteria{};
    QComboBox *m_sort = nullptr;
    QLabel *m_searchCaption = nullptr;
    QLineEdit *m_search = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_erase = nullptr;
    QPushButton *m_showFilters = nullptr;
    QPushButton *m_utilities = nullptr;
    FilterOverviewPanel *m_overview = nullptr;
    FreeFilterPanel *m_free = nullptr;
};

} // namespace vardex
