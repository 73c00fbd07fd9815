#pragma once

#include "admin/KeyDatabase.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace vardex {

class FileChooser;
class GridCursor;
class RecordNavigator;
class TDB0DM;
class TVXDM;
class TableGridModel;

// "Databáze identifikačních klíčů": the key holders in an editable grid with
// a navigator, a search by name, the key read at a unit with its result
// panel, and the export and import of the table. While the result panel is
// shown, the rest of the window is out of use.
class TFrmKey : public QDialog
{
    Q_OBJECT
public:
    TFrmKey(TDB0DM &db, TVXDM &vx, FileChooser &files, QWidget *parent = nullptr);
    ~TFrmKey() override;

    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }
    QLineEdit *searchBox() const { return m_search; }
    QPushButton *readKeyButton() const { return m_readKey; }
    QPushButton *exportButton() const { return m_export; }
    QPushButton *importButton() const { return m_import; }
    QWidget *resultPanel() const { return m_panel; }
    QLineEdit *resultText() const { return m_keyText; }
    QPushButton *storeButton() const { return m_store; }
    QPushButton *closePanelButton() const { return m_closePanel; }
    const KeyPickLists &pickLists() const { return m_lists; }

    // The grid column of each field, in the order shown.
    static const QStringList &columnFields();

public Q_SLOTS:
    void searchChanged(const QString &text);
    // "číst klíč"
    void readKey();
    // "Uložit" and the second button of the result panel.
    void storeKey();
    void closePanel();
    void exportTable();
    void importTable();
    // Escape: closes the result panel when it is shown, as its second
    // button does; otherwise closes the window, a record still edited
    // posted first (a refused post keeps the window open).
    void reject() override;

private:
    void showPanel(bool show);

    KeyDatabase m_keys;
    KeyPickLists m_lists;
    QWidget *m_main = nullptr;
    QTableView *m_grid = nullptr;
    TableGridModel *m_model = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QLineEdit *m_search = nullptr;
    QPushButton *m_readKey = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_import = nullptr;
    QWidget *m_panel = nullptr;
    QLineEdit *m_keyText = nullptr;
    QPushButton *m_store = nullptr;
    QPushButton *m_closePanel = nullptr;
};

} // namespace vardex
