#include "admin/ui/TFrmCasO.h"

#include "admin/ui/RecordNavigator.h"
#include "admin/ui/ScheduleChart.h"
#include "admin/ui/ScheduleComponentPanel.h"
#include "attendance/TVXDM.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

} // namespace

TFrmCasO::TFrmCasO(TVXDM &vx, OperatorMessages &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_editor(vx.tbCas, messages)
{
    setWindowTitle(QStringLiteral("Databáze časových rozvrhů pro přístupovou část systému"));
    setObjectName(QStringLiteral("TFrmCasO"));

    m_record = new QWidget(this);
    m_counter = new QLabel(m_record);
    m_name = new QLineEdit(m_record);
    m_name->setMaxLength(m_editor.table().schema().field(QStringLiteral("NAZEVROZVRHU"))->size);
    setHint(m_name, QStringLiteral("název (označení) rozvrhu"));
    auto *recordLayout = new QVBoxLayout(m_record);
    recordLayout->setContentsMargins(0, 0, 0, 0);
    recordLayout->addWidget(m_counter);
    recordLayout->addWidget(m_name);
    QFont fixed = font();
    fixed.setFamily(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    for (int k = 1; k <= ScheduleComponentCount; ++k) {
        auto *line = new QPushButton(m_record);
        line->setFont(fixed);
        line->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(componentText({0, 0, 0x7F})) +
                              16);
        line->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
        setHint(line, QStringLiteral("klepnutím určíte hodnotu složky"));
        connect(line, &QPushButton::clicked, this, [this, k] { lineClicked(k); });
        recordLayout->addWidget(line);
        m_lines[size_t(k - 1)] = line;
    }
    recordLayout->addStretch();

    m_chart = new ScheduleChart(true, this);
    auto *registerBox = new QGroupBox(QStringLiteral("Rejstřík rozvrhů"), this);
    m_register = new QListWidget(registerBox);
    setHint(m_register, QStringLiteral("použijte pro rychlé nalezení záznamu"));
    auto *registerLayout = new QVBoxLayout(registerBox);
    registerLayout->addWidget(m_register);
    m_navigator =
        new RecordNavigator(m_editor.table(), messages, RecordNavigator::allButtons(), this);
    m_navigator->setHints({QStringLiteral("Na první záznam "),
                           QStringLiteral("Na předcházející záznam"),
                           QStringLiteral("Na další záznam"), QStringLiteral("Na poslední záznam"),
                           QStringLiteral("Nový záznam"), QStringLiteral("Smazat záznam"),
                           QStringLiteral("Opravit záznam"), QStringLiteral("Potvrzení operace"),
                           QStringLiteral("Zrušení operace")});
    m_panel = new ScheduleComponentPanel(this);
    m_panel->hide();

    auto *right = new QVBoxLayout;
    right->addWidget(m_chart);
    right->addWidget(registerBox, 1);
    right->addWidget(m_panel, 1);
    right->addWidget(m_navigator, 0, Qt::AlignLeft);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_record);
    layout->addLayout(right, 1);
    makeButtonsPlain(this);

    connect(m_navigator, &RecordNavigator::acted, this, &TFrmCasO::afterAction);
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_editor.setName(text);
        applyPostRule();
    });
    connect(m_register, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { registerPicked(m_register->row(item)); });
    connect(m_panel, &ScheduleComponentPanel::startChanged, this, [this](int h, int m) {
        m_editor.setStart(h, m);
        showComponent();
    });
    connect(m_panel, &ScheduleComponentPanel::endChanged, this, [this](int h, int m) {
        m_editor.setEnd(h, m);
        showComponent();
    });
    connect(m_panel, &ScheduleComponentPanel::dayToggled, this, [this](int day, bool on) {
        m_editor.setDay(day, on);
        showComponent();
    });
    connect(m_panel, &ScheduleComponentPanel::applied, this, [this] {
        m_editor.applyComponent();
        closeComponent();
    });
    connect(m_panel, &ScheduleComponentPanel::discarded, this, [this] {
        m_editor.discardComponent();
        closeComponent();
    });

    m_editor.open();
    fillRegister();
    m_navigator->updateButtons();
    showRecord();
}

TFrmCasO::~TFrmCasO()
{
    // The parts of the window speak to the editor, which goes first: nothing
    // they say while they are taken down may reach it.
    for (QObject *child : findChildren<QObject *>())
        child->blockSignals(true);
}

void TFrmCasO::afterAction()
{
    m_editor.showCurrent();
    if (!m_editor.editing())
        fillRegister();
    showRecord();
}

void TFrmCasO::fillRegister()
{
    m_register->clear();
    const Result<QStringList> names = m_editor.names();
    if (!names)
        m_editor.messages().error(names.error());
    else
        m_register->addItems(*names);
}

void TFrmCasO::showRecord()
{
    const bool editing = m_editor.editing();
    const ScheduleBlock &block = m_editor.block();
    m_counter->setText(m_editor.counterText());
    m_name->setText(m_editor.name());
    m_name->setReadOnly(!editing);
    for (int k = 1; k <= ScheduleComponentCount; ++k) {
        line(k)->setText(componentText(block.component(k)));
        line(k)->setEnabled(m_editor.lineClickable(k));
    }
    m_chart->setBars(chartBars(block));
    m_register->setEnabled(!editing);
    applyPostRule();
}

void TFrmCasO::applyPostRule()
{
    m_navigator->button(RecordNavigator::Post)->setVisible(m_editor.postOffered());
}

void TFrmCasO::registerPicked(int row)
{
    if (m_editor.editing() || row < 0 || row >= m_register->count())
        return;
    m_editor.tbCasNejblizsiNazev(m_register->item(row)->text());
    m_navigator->updateButtons();
    showRecord();
}

void TFrmCasO::lineClicked(int k)
{
    if (!m_editor.beginComponent(k))
        return;
    m_navigator->setEnabled(false);
    m_record->setEnabled(false);
    m_register->parentWidget()->hide();
    m_panel->show();
    showComponent();
}

void TFrmCasO::showComponent()
{
    m_panel->load(m_editor.edited(), m_editor.endHourMinimum(), m_editor.endMinuteMinimum());
}

void TFrmCasO::closeComponent()
{
    m_panel->hide();
    m_register->parentWidget()->show();
    m_navigator->setEnabled(true);
    m_record->setEnabled(true);
    showRecord();
}

void TFrmCasO::reject()
{
    if (m_editor.componentOpen()) {
        m_editor.discardComponent();
        closeComponent();
        return;
    }
    if (m_editor.editing()) {
        // A schedule without a name or a component cannot be stored.
        if (!m_editor.postOffered()) {
            m_editor.table().cancel();
        } else if (!m_editor.table().post()) {
            if (!m_editor.table().errorMessage().isEmpty())
                m_editor.messages().error(m_editor.table().errorMessage());
            m_navigator->updateButtons();
            showRecord();
            return;
        }
    }
    QDialog::reject();
}

} // namespace vardex
