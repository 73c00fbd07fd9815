#pragma once

#include <QWidget>

#include <QList>
#include <QStringList>

#include <array>
#include <utility>

class QToolButton;

namespace vardex {

class OperatorMessages;
class Table;

// A row of buttons that moves through a table and edits its current record:
// first, prior, next, last, insert, delete, edit, post, cancel; a window
// shows the ones it offers. Each button is enabled when its action makes
// sense in the table's state; after every action `acted` is emitted so the
// window can show the result.
class RecordNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, ButtonCount };

    // Every button but insert.
    static QList<Button> withoutInsert();
    static QList<Button> allButtons();
    // First, prior, next, last: moving only.
    static QList<Button> movingOnly();

    RecordNavigator(Table &table, OperatorMessages &messages,
                    const QList<Button> &shown = withoutInsert(), QWidget *parent = nullptr);

    QToolButton *button(Button b) const { return m_buttons[size_t(b)]; }
    // The hints of the shown buttons, in the order of `Button`.
    void setHints(const QStringList &hints);

public Q_SLOTS:
    void press(vardex::RecordNavigator::Button b);
    // Enables the buttons for the table's state and position.
    void updateButtons();

Q_SIGNALS:
    void acted();
    // The buttons follow the table again: a window enables its own buttons
    // alike.
    void updated();

private:
    // Whether records lie before and after the current one.
    std::pair<bool, bool> neighbours();

    Table &m_table;
    OperatorMessages &m_messages;
    std::array<QToolButton *, ButtonCount> m_buttons{};
    QList<Button> m_shown;
};

} // namespace vardex
