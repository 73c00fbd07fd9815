#include "admin/ui/RecordNavigator.h"

#include "platform/OperatorMessages.h"
#include "tables/RowReader.h"
#include "tables/Table.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace vardex {

QList<RecordNavigator::Button> RecordNavigator::allButtons()
{
    return {First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel};
}

QList<RecordNavigator::Button> RecordNavigator::withoutInsert()
{
    QList<Button> b = allButtons();
    b.removeAll(Insert);
    return b;
}

QList<RecordNavigator::Button> RecordNavigator::movingOnly()
{
    return {First, Prior, Next, Last};
}

RecordNavigator::RecordNavigator(Table &table, OperatorMessages &messages,
                                 const QList<Button> &shown, QWidget *parent)
    : QWidget(parent), m_table(table), m_messages(messages), m_shown(shown)
{
    static const QStyle::StandardPixmap icons[ButtonCount] = {
        QStyle::SP_MediaSkipBackward,      QStyle::SP_MediaSeekBackward,
        QStyle::SP_MediaSeekForward,       QStyle::SP_MediaSkipForward,
        QStyle::SP_FileDialogNewFolder,    QStyle::SP_TrashIcon,
        QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogApplyButton,
        QStyle::SP_DialogCancelButton};
    static const char *const texts[ButtonCount] = {"|<", "<", ">", ">|", "+", "−", "▲", "✓", "✗"};
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(this);
        const QIcon icon = style()->standardIcon(icons[i]);
        if (icon.isNull())
            b->setText(QString::fromUtf8(texts[i]));
        else
            b->setIcon(icon);
        connect(b, &QToolButton::clicked, this, [this, i] { press(Button(i)); });
        layout->addWidget(b);
        b->setVisible(m_shown.contains(Button(i)));
        m_buttons[size_t(i)] = b;
    }
    // A read that failed (here or in the grid) is told once the action that
    // met it is over, never in the middle of painting.
    connect(
        &m_table, &Table::readError, this,
        [this](const QString &message) { m_messages.error(message); }, Qt::QueuedConnection);
    updateButtons();
}

void RecordNavigator::setHints(const QStringList &hints)
{
    QList<Button> shown = m_shown;
    std::sort(shown.begin(), shown.end());
    for (qsizetype i = 0; i < shown.size() && i < hints.size(); ++i) {
        m_buttons[size_t(shown[i])]->setToolTip(hints[i]);
        m_buttons[size_t(shown[i])]->setStatusTip(hints[i]);
    }
}

void RecordNavigator::press(Button b)
{
    if (!m_shown.contains(b) || !m_buttons[size_t(b)]->isEnabled())
        return;
    switch (b) {
    case First:
        m_table.first();
        break;
    case Prior:
        m_table.prior();
        break;
    case Next:
        m_table.next();
        break;
    case Last:
        m_table.last();
        break;
    case Insert:
        // A refused insert (a pending edit that cannot be posted) has been
        // told by the table's post-error handler, or is told here.
        if (!m_table.insert() && !m_table.errorMessage().isEmpty())
            m_messages.error(m_table.errorMessage());
        break;
    case Delete:
        if (m_messages.askOkCancel(QStringLiteral("Smazat záznam?")) == Answer::Ok &&
            !m_table.remove() && !m_table.errorMessage().isEmpty())
            m_messages.error(m_table.errorMessage());
        break;
    case Edit:
        m_table.edit();
        break;
    case Post:
        // A refused post is told by the table's post-error handler, or here.
        if (!m_table.post() && !m_table.errorMessage().isEmpty())
            m_messages.error(m_table.errorMessage());
        break;
    case Cancel:
        m_table.cancel();
        break;
    case ButtonCount:
        return;
    }
    updateButtons();
    emit acted();
}

std::pair<bool, bool> RecordNavigator::neighbours()
{
    // The record being inserted is shown after the stored ones.
    if (m_table.state() == TableState::Insert)
        return {!m_table.isEmpty(), false};
    if (m_table.isEmpty())
        return {false, false};
    // One record on either side, read by the stored record's place in the
    // order (an edited record has not moved yet). A read that fails leaves
    // the buttons in use: the move meets the failure and tells it.
    RowReader &reader = m_table.reader();
    RowReader::ReadScope scope(reader);
    const Result<std::optional<Row>> row = reader.byId(m_table.bookmark(), true);
    if (!row || !*row)
        return {true, true};
    const Result<Rows> before = reader.before(**row, 1);
    const Result<Rows> after = reader.after(**row, 1);
    return {!before || !before->empty(), !after || !after->empty()};
}

void RecordNavigator::updateButtons()
{
    const TableState state = m_table.state();
    const bool browsing = state == TableState::Browse;
    const bool editing = state == TableState::Edit || state == TableState::Insert;
    const bool any = m_table.isOpen() && !m_table.isEmpty();
    const auto [hasPrior, hasNext] = m_table.isOpen() ? neighbours() : std::pair{false, false};
    m_buttons[First]->setEnabled(hasPrior);
    m_buttons[Prior]->setEnabled(hasPrior);
    m_buttons[Next]->setEnabled(hasNext);
    m_buttons[Last]->setEnabled(hasNext);
    m_buttons[Insert]->setEnabled(m_table.isOpen() && browsing);
    m_buttons[Delete]->setEnabled(any && browsing);
    m_buttons[Edit]->setEnabled(any && browsing);
    m_buttons[Post]->setEnabled(editing);
    m_buttons[Cancel]->setEnabled(editing);
    emit updated();
}

} // namespace vardex
