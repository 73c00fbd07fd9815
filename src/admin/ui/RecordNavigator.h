#pragma once

#include <QWidget>

#include <array>

class QToolButton;

namespace vardex {

class OperatorMessages;
class Table;

// A row of buttons that moves through a table and edits its current record:
// first, prior, next, last, delete, edit, post, cancel (no insert). Each
// button is enabled when its action makes sense in the table's state;
// after every action `acted` is emitted so the window can show the result.
class RecordNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Delete, Edit, Post, Cancel, ButtonCount };

    RecordNavigator(Table &table, OperatorMessages &messages, QWidget *parent = nullptr);

    QToolButton *button(Button b) const { return m_buttons[size_t(b)]; }
    void setHints(const std::array<QString, ButtonCount> &hints);

public Q_SLOTS:
    void press(vardex::RecordNavigator::Button b);
    // Enables the buttons for the table's state and position.
    void updateButtons();

Q_SIGNALS:
    void acted();

private:
    Table &m_table;
    OperatorMessages &m_messages;
    std::array<QToolButton *, ButtonCount> m_buttons{};
};

} // namespace vardex
