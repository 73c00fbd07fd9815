#include "unitops/ui/TFrmMon.h"

#include "accessdata/TDB0DM.h"
#include "admin/ui/TFrmSelU.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "unitops/ui/TKEYALA.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>

namespace vardex {

namespace {

template <typename W> W *named(W *widget, const char *name, const char *hint = nullptr)
{
    widget->setObjectName(QLatin1String(name));
    if (hint) {
        widget->setToolTip(QString::fromUtf8(hint));
        widget->setStatusTip(QString::fromUtf8(hint));
    }
    return widget;
}

QLabel *picture(QStyle *style, QStyle::StandardPixmap which, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(style->standardIcon(which).pixmap(24, 24));
    return label;
}

} // namespace

TFrmMon::TFrmMon(TDB0DM &db, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_db(db),
      m_monitor(db)
{
    setWindowTitle(QStringLiteral("Monitorování systému"));
    setObjectName(QStringLiteral("TFrmMon"));
    setModal(true);
    resize(760, 480);

    m_laAdr = named(new QLabel(this), "laAdr");
    m_laNazev = named(new QLabel(this), "laNazev");
    m_meMon = named(new QPlainTextEdit(this), "meMon");
    m_meMon->setReadOnly(true);
    m_meMon->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The monitor runs for hours: the log keeps no undo history.
    m_meMon->setUndoRedoEnabled(false);
    m_meMon->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto *gbMon = named(new QGroupBox(QStringLiteral("Perioda"), this), "gbMon");
    m_tbMonPer = named(new QSlider(Qt::Horizontal, gbMon), "tbMonPer",
                       "nastavení periody dotazování jednotek");
    m_tbMonPer->setRange(EventMonitor::MinPeriodS, EventMonitor::MaxPeriodS);
    m_tbMonPer->setTickPosition(QSlider::TicksBelow);
    m_tbMonPer->setPageStep(1);
    m_laPeriody = named(new QLabel(gbMon), "laPeriody");
    m_image1 = named(picture(style(), QStyle::SP_DialogApplyButton, gbMon), "Image1");
    m_image2 = named(picture(style(), QStyle::SP_BrowserReload, gbMon), "Image2");
    m_image2->hide();
    auto *periodLayout = new QHBoxLayout(gbMon);
    periodLayout->addWidget(m_tbMonPer, 1);
    periodLayout->addWidget(m_laPeriody);
    periodLayout->addWidget(m_image1);
    periodLayout->addWidget(m_image2);

    m_btJednotky =
        named(new QPushButton(QStringLiteral("Jednotky"), this), "btJednotky", "výběr jednotek");
    m_btStart =
        named(new QPushButton(QStringLiteral("Start"), this), "btStart", "zahájit monitorování");
    m_btPrerus = named(new QPushButton(QStringLiteral("Přerušit"), this), "btPrerus",
                       "přerušit monitorování (potom lze zpětně prohlížet události)");
    m_btStop = named(new QPushButton(QStringLiteral("Konec"), this), "btStop", "ukončit funkci");
    m_checkBox1 = named(new QCheckBox(QStringLiteral("klíče hledat"), this), "CheckBox1");
    m_checkBox1->setChecked(db.searchedKeyAlarm);
    m_button1 = named(new QPushButton(QStringLiteral("Určit"), this), "Button1");

    auto *unitRow = new QHBoxLayout;
    unitRow->addWidget(m_laAdr);
    unitRow->addWidget(m_laNazev, 1);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(m_checkBox1);
    searchRow->addWidget(m_button1);
    auto *side = new QVBoxLayout;
    side->addWidget(gbMon);
    side->addLayout(searchRow);
    side->addStretch();
    for (QPushButton *b : {m_btJednotky, m_btStart, m_btPrerus, m_btStop})
        side->addWidget(b);
    auto *main = new QVBoxLayout;
    main->addLayout(unitRow);
    main->addWidget(m_meMon, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(main, 1);
    layout->addLayout(side);
    makeButtonsPlain(this);

    chooseUnits = [this] {
        TFrmSelU units(m_db, this);
        units.exec();
    };
    showSearchedKeys = [this] {
        TKEYALA keys(m_db, this);
        keys.exec();
    };

    connect(&m_monitor, &EventMonitor::lineAdded, m_meMon, &QPlainTextEdit::appendPlainText);
    connect(&m_monitor, &EventMonitor::logCleared, m_meMon, &QPlainTextEdit::clear);
    connect(&m_monitor, &EventMonitor::buttonsChanged, this, &TFrmMon::showButtons);
    connect(&m_monitor, &EventMonitor::busyChanged, this, &TFrmMon::showBusy);
    connect(&m_monitor, &EventMonitor::periodChanged, this, [this](int ms, const QString &text) {
        m_monTimer.setInterval(ms);
        m_laPeriody->setText(text);
    });
    connect(&m_monitor, &EventMonitor::unitShown, this,
            [this](const QString &address, const QString &name) {
                m_laAdr->setText(address);
                m_laNazev->setText(name);
            });
    // Told once the port has delivered the reply, not inside its delivery.
    connect(
        &m_monitor, &EventMonitor::failed, this,
        [this](const QString &message) { m_db.messages().error(message); }, Qt::QueuedConnection);
    connect(m_tbMonPer, &QSlider::valueChanged, &m_monitor, &EventMonitor::tbMonPerChange);
    connect(m_btJednotky, &QPushButton::clicked, this, &TFrmMon::btJednotkyClick);
    connect(m_btStart, &QPushButton::clicked, &m_monitor, &EventMonitor::btStartClick);
    connect(m_btPrerus, &QPushButton::clicked, &m_monitor, &EventMonitor::btPrerusClick);
    connect(m_btStop, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_checkBox1, &QCheckBox::toggled, &m_monitor, &EventMonitor::CheckBox1Click);
    connect(m_button1, &QPushButton::clicked, this, [this] { showSearchedKeys(); });
    connect(&m_monTimer, &QTimer::timeout, &m_monitor, &EventMonitor::monTimerTimer);

    m_tbMonPer->setValue(EventMonitor::MinPeriodS);
    m_monitor.FormShow();
    // The timer runs all the time; its ticks do nothing while stopped.
    m_monTimer.start();
}

TFrmMon::~TFrmMon() = default;

void TFrmMon::btJednotkyClick()
{
    if (!m_monitor.canChooseUnits())
        return;
    chooseUnits();
    m_monitor.unitsChosen();
}

void TFrmMon::showButtons()
{
    m_btJednotky->setEnabled(m_monitor.canChooseUnits());
    m_btStart->setEnabled(m_monitor.canStart());
    m_btPrerus->setEnabled(m_monitor.canInterrupt());
    m_btStop->setEnabled(m_monitor.canClose());
}

void TFrmMon::showBusy(bool busy)
{
    m_image1->setVisible(!busy);
    m_image2->setVisible(busy);
}

void TFrmMon::reject()
{
    if (m_monitor.canClose())
        QDialog::reject();
}

void TFrmMon::mousePressEvent(QMouseEvent *event)
{
    // A click on the window's background chooses the units, as "Jednotky".
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr)
        btJednotkyClick();
    QDialog::mousePressEvent(event);
}

void TFrmMon::hideEvent(QHideEvent *event)
{
    m_monitor.FormHide();
    QDialog::hideEvent(event);
}

} // namespace vardex
