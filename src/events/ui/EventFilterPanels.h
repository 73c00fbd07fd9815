#pragma once

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace vardex {

class FreeFilterList;

// "Ukázka nastavení filtrů": the texts of the five filter parts and, under
// "Souhrn", the filter the table is under; closed with "Hotovo".
class FilterOverviewPanel : public QWidget
{
    Q_OBJECT
public:
    explicit FilterOverviewPanel(QWidget *parent = nullptr);

    // The five parts' texts in their order, and the filter in force.
    void fill(const std::array<QString, 5> &parts, const QString &applied);

    QLabel *partText(int part) const { return m_parts[size_t(part)]; }
    QLabel *summaryText() const { return m_summary; }
    QPushButton *doneButton() const { return m_done; }

private:
    std::array<QLabel *, 5> m_parts{};
    QLabel *m_summary = nullptr;
    QPushButton *m_done = nullptr;
};

// "Seznam speciálních filtrů": an editable list of the operator's filter
// expressions kept in WKVRFLTR.TXT, with the fields they may name.
class FreeFilterPanel : public QWidget
{
    Q_OBJECT
public:
    FreeFilterPanel(FreeFilterList &list, QWidget *parent = nullptr);

    QString text() const;
    QComboBox *box() const { return m_box; }
    QPushButton *readButton() const { return m_read; }
    QPushButton *writeButton() const { return m_write; }
    QPushButton *clearButton() const { return m_clear; }
    QPushButton *selectButton() const { return m_select; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Shows the list again and enables reading when the file exists.
    void showList();
    // A double-click in the box: its text joins the list.
    void addText();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FreeFilterList &m_list;
    QComboBox *m_box = nullptr;
    QPushButton *m_read = nullptr;
    QPushButton *m_write = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_select = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace vardex
