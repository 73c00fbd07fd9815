#include "events/ui/EventFilterPanels.h"

#include "events/FreeFilterList.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

template <typename W> W *hinted(W *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
    return widget;
}

QLabel *filterText(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setFrameShape(QFrame::StyledPanel);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    label->setMinimumWidth(420);
    return label;
}

} // namespace

FilterOverviewPanel::FilterOverviewPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnFiltry"));
    auto *group = new QGroupBox(QStringLiteral("Ukázka nastavení filtrů"), this);
    auto *grid = new QGridLayout(group);
    const char *const captions[] = {"Datum", "Čas", "Klíč", "Jednotka", "Výsledek"};
    for (int i = 0; i < 5; ++i) {
        m_parts[size_t(i)] = filterText(group);
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i]), group), i, 0);
        grid->addWidget(m_parts[size_t(i)], i, 1);
    }
    m_summary = filterText(group);
    grid->addWidget(new QLabel(QStringLiteral("Souhrn"), group), 5, 0);
    grid->addWidget(m_summary, 5, 1);
    m_done = new QPushButton(QStringLiteral("Hotovo"), group);
    grid->addWidget(m_done, 6, 1, Qt::AlignRight);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
}

void FilterOverviewPanel::fill(const std::array<QString, 5> &parts, const QString &applied)
{
    for (size_t i = 0; i < parts.size(); ++i)
        m_parts[i]->setText(parts[i]);
    m_summary->setText(applied);
}

FreeFilterPanel::FreeFilterPanel(FreeFilterList &list, QWidget *parent)
    : QWidget(parent), m_list(list)
{
    setObjectName(QStringLiteral("pnVolneFiltry"));
    auto *group = new QGroupBox(QStringLiteral("Seznam speciálních filtrů"), this);
    m_box = hinted(new QComboBox(group),
                   QStringLiteral("Text lze upravovat, případně vybrat existující.\n"
                                  "Dvojité poklepání uloží text do seznamu."));
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->lineEdit()->installEventFilter(this);
    m_read = new QPushButton(QStringLiteral("Čtení seznamu ze souboru"), group);
    m_write = new QPushButton(QStringLiteral("Zápis seznamu do souboru"), group);
    m_clear = new QPushButton(QStringLiteral("Smazat seznam filtrů"), group);
    m_select = new QPushButton(QStringLiteral("Vybrat"), group);
    m_cancel = new QPushButton(QStringLiteral("Přerušit"), group);

    // The fields a filter may name.
    auto *fields = new QGridLayout;
    const char *const rows[][3] = {{"AHWJ", "'XX'", "Adresa hardwarové jednotky (hex)"},
                                   {"CTM", "'XXXXXXXXXXXXXX'", "Číslo klíče (hex)"},
                                   {"CAS", "'HH:MM'", "Čas události "},
                                   {"DATUM", "'DD.MM.RRRR'", "Datum události "},
                                   {"RES", "'XX'", "Výsledek události"}};
    const char *const heads[] = {"název", "formát", "význam"};
    for (int c = 0; c < 3; ++c)
        fields->addWidget(
            new QLabel(QStringLiteral("<b>%1</b>").arg(QString::fromUtf8(heads[c])), group), 0, c);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            fields->addWidget(new QLabel(QString::fromUtf8(rows[r][c]), group), r + 1, c);

    auto *fileButtons = new QHBoxLayout;
    fileButtons->addWidget(m_read);
    fileButtons->addWidget(m_write);
    fileButtons->addWidget(m_clear);
    fileButtons->addStretch();
    fileButtons->addWidget(m_select);
    fileButtons->addWidget(m_cancel);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(fields);
    groupLayout->addWidget(m_box);
    groupLayout->addLayout(fileButtons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
}

QString FreeFilterPanel::text() const
{
    return m_box->currentText();
}

void FreeFilterPanel::showList()
{
    const QString typed = m_box->currentText();
    m_box->clear();
    m_box->addItems(m_list.expressions());
    m_box->setEditText(typed);
    m_read->setEnabled(m_list.fileExists());
}

void FreeFilterPanel::addText()
{
    if (m_list.add(m_box->currentText()))
        showList();
}

bool FreeFilterPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box->lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        addText();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vardex
