#include "unitops/ui/TKeyDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

template <typename W> W *named(W *widget, const char *name, const char *hint = nullptr)
{
    widget->setObjectName(QLatin1String(name));
    if (hint)
        widget->setToolTip(QString::fromUtf8(hint));
    return widget;
}

// Enter in a field must not press a button the operator did not mean.
QPushButton *plainButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TKeyDlg::TKeyDlg(TDB0DM &db, TVXDM &vx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_reading(db, vx)
{
    setWindowTitle(QStringLiteral("Předložte identifikační klíč"));
    setModal(true);

    auto *addressLabel = new QLabel(QStringLiteral("Adresa pro čtení"), this);
    m_upDown1 = named(new QSpinBox(this), "UpDown1", "Změna adresy čtecí jednotky");
    m_upDown1->setRange(0, 255);
    m_edAddr = named(new QLineEdit(this), "edAddr");
    m_edAddr->setReadOnly(true);
    m_edAddr->setMaxLength(2);
    m_edAddr->setFixedWidth(m_edAddr->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")));
    addressLabel->setBuddy(m_upDown1);
    m_imaOtaz = named(new QToolButton(this), "imaOtaz");
    m_imaOtaz->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    m_imaOtaz->setText(QStringLiteral("?"));
    m_imaOtaz->setAutoRaise(true);
    m_imaOtaz->setIconSize(QSize(32, 32));
    m_getKey = named(plainButton(QStringLiteral("Hotovo"), this), "getKey", "potvrdí čtení");
    m_btCanc = named(plainButton(QStringLiteral("Zrušit"), this), "btCanc", "přeruší čtení");

    m_manualEntry =
        named(new QGroupBox(QStringLiteral("Manuální vstup čísla klíče"), this), "manualEntry");
    auto *hexLabel = new QLabel(QStringLiteral("Zadejte 14 hexadekadických číslic"), m_manualEntry);
    m_edhexa = named(new QLineEdit(m_manualEntry), "edhexa");
    m_edhexa->setMaxLength(int(KeyTextLength));
    hexLabel->setBuddy(m_edhexa);
    m_speedButton1 =
        named(plainButton(QStringLiteral("OK"), m_manualEntry), "SpeedButton1", "potvrdí zadání");
    auto *manualRow = new QHBoxLayout;
    manualRow->addWidget(m_edhexa);
    manualRow->addWidget(m_speedButton1);
    auto *manualLayout = new QVBoxLayout(m_manualEntry);
    manualLayout->addWidget(hexLabel);
    manualLayout->addLayout(manualRow);
    m_manualEntry->hide();

    auto *addressRow = new QHBoxLayout;
    addressRow->addWidget(addressLabel);
    addressRow->addWidget(m_upDown1);
    addressRow->addWidget(m_edAddr);
    addressRow->addStretch();
    addressRow->addWidget(m_imaOtaz);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_getKey);
    buttons->addWidget(m_btCanc);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(addressRow);
    layout->addLayout(buttons);
    layout->addWidget(m_manualEntry);

    connect(&m_reading, &KeyReading::addressShown, m_edAddr, &QLineEdit::setText);
    connect(&m_reading, &KeyReading::waitingChanged, m_getKey,
            [this](bool waiting) { m_getKey->setEnabled(!waiting); });
    connect(&m_reading, &KeyReading::manualEntryChanged, this, [this](bool visible) {
        if (visible) {
            m_edhexa->clear();
            m_manualEntry->show();
            m_edhexa->setFocus();
        } else {
            m_manualEntry->hide();
        }
        adjustSize();
    });
    connect(&m_reading, &KeyReading::closeRequested, this,
            [this] { done(m_reading.key() ? Accepted : Rejected); });
    connect(m_upDown1, &QSpinBox::valueChanged, &m_reading, &KeyReading::UpDown1Click);
    connect(m_getKey, &QPushButton::clicked, &m_reading, &KeyReading::getKeyClick);
    connect(m_btCanc, &QPushButton::clicked, &m_reading, &KeyReading::btCancClick);
    connect(m_imaOtaz, &QToolButton::clicked, &m_reading, &KeyReading::imaOtazClick);
    connect(m_speedButton1, &QPushButton::clicked, this,
            [this] { m_reading.SpeedButton1Click(m_edhexa->text()); });
    connect(m_edhexa, &QLineEdit::returnPressed, m_speedButton1, &QPushButton::click);

    m_reading.FormCreate();
    m_upDown1->setValue(m_reading.address());
    m_getKey->setFocus();
}

void TKeyDlg::reject()
{
    m_reading.btCancClick();
}

void TKeyDlg::done(int result)
{
    m_reading.FormDestroy();
    QDialog::done(result);
}

} // namespace vardex
