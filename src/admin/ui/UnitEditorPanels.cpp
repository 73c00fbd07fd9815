#include "admin/ui/UnitEditorPanels.h"

#include "accessdata/UnitCatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vardex {

namespace {

QSpinBox *counter(QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(kCounterMin, kCounterMax);
    return box;
}

} // namespace

// --- type selector

UnitTypeSelector::UnitTypeSelector(QWidget *parent)
    : QGroupBox(QStringLiteral("Určení typu jednotky"), parent)
{
    m_list = new QListWidget(this);
    for (quint8 type : UnitDatabase::newUnitTypes())
        m_list->addItem(NazevTypu(type));
    m_list->setFixedHeight(m_list->sizeHintForRow(0) * (m_list->count() + 1));
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { pick(m_list->row(item)); });
    m_cancel = new QPushButton(QStringLiteral("Přerušit"), this);
    connect(m_cancel, &QPushButton::clicked, this, &UnitTypeSelector::cancelled);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
}

void UnitTypeSelector::pick(int row)
{
    const auto &types = UnitDatabase::newUnitTypes();
    if (row >= 0 && row < int(types.size()))
        emit picked(types[size_t(row)]);
}

// --- panels

EditorPanel::EditorPanel(const QString &title, QWidget *parent) : QGroupBox(title, parent)
{
    m_body = new QWidget(this);
    m_done = new QPushButton(QStringLiteral("Hotovo"), this);
    m_cancel = new QPushButton(QStringLiteral("Přerušit"), this);
    connect(m_done, &QPushButton::clicked, this, &EditorPanel::finished);
    connect(m_cancel, &QPushButton::clicked, this, &EditorPanel::cancelled);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_done);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_body);
    layout->addLayout(buttons);
}

MaskPanel::MaskPanel(const QString &title, QWidget *parent) : EditorPanel(title, parent)
{
    auto *layout = new QGridLayout(body());
    for (int i = 0; i < 8; ++i) {
        m_boxes[size_t(i)] = new QCheckBox(body());
        layout->addWidget(m_boxes[size_t(i)], i % 4, i / 4);
    }
}

void MaskPanel::load(const MaskEditorData &data)
{
    const std::array<bool, 8> bits = maskBits(data.mask);
    for (int i = 0; i < 8; ++i) {
        m_boxes[size_t(i)]->setText(data.captions[size_t(i)]);
        m_boxes[size_t(i)]->setChecked(bits[size_t(i)]);
    }
}

quint8 MaskPanel::mask() const
{
    std::array<bool, 8> bits{};
    for (int i = 0; i < 8; ++i)
        bits[size_t(i)] = m_boxes[size_t(i)]->isChecked();
    return maskFromBits(bits);
}

UseMaskPanel::UseMaskPanel(QWidget *parent)
    : EditorPanel(QStringLiteral("Vnější vstupy do objektu"), parent)
{
    auto *layout = new QVBoxLayout(body());
    for (int i = 0; i < 4; ++i) {
        m_boxes[size_t(i)] = new QCheckBox(body());
        layout->addWidget(m_boxes[size_t(i)]);
    }
}

void UseMaskPanel::load(const UseMaskEditorData &data)
{
    setTitle(data.layout.caption);
    const std::array<bool, 8> bits = maskBits(data.mask);
    for (int i = 0; i < 4; ++i) {
        QCheckBox *box = m_boxes[size_t(i)];
        box->setText(data.captions[size_t(i)]);
        box->setChecked(bits[size_t(i)]);
        box->setVisible(i < data.layout.shownBoxes);
    }
}

std::array<bool, 4> UseMaskPanel::boxes() const
{
    std::array<bool, 4> b{};
    for (int i = 0; i < 4; ++i)
        b[size_t(i)] = m_boxes[size_t(i)]->isChecked();
    return b;
}

DoorTimePanel::DoorTimePanel(QWidget *parent)
    : EditorPanel(QStringLiteral("Doba otevření dveří"), parent)
{
    m_slider = new QSlider(Qt::Horizontal, body());
    m_slider->setRange(kDoorTimeMin, kDoorTimeMax);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setMinimumWidth(200);
    m_number = new QLineEdit(body());
    m_number->setReadOnly(true);
    m_number->setMaximumWidth(m_number->fontMetrics().averageCharWidth() * 5);
    connect(m_slider, &QSlider::valueChanged, m_number,
            [this](int value) { m_number->setText(QString::number(value)); });
    auto *layout = new QHBoxLayout(body());
    layout->addWidget(m_slider);
    layout->addWidget(m_number);
}

void DoorTimePanel::load(int seconds)
{
    m_slider->setValue(seconds);
    m_number->setText(QString::number(m_slider->value()));
}

int DoorTimePanel::seconds() const
{
    return m_slider->value();
}

DoorParametersPanel::DoorParametersPanel(QWidget *parent)
    : EditorPanel(QStringLiteral("Parametry dveří"), parent)
{
    auto *layout = new QGridLayout(body());
    layout->addWidget(new QLabel(QStringLiteral("Otevření"), body()), 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Čekání"), body()), 0, 2);
    for (int i = 0; i < 4; ++i) {
        m_captions[size_t(i)] = new QLabel(body());
        m_opening[size_t(i)] = counter(body());
        m_waiting[size_t(i)] = counter(body());
        layout->addWidget(m_captions[size_t(i)], i + 1, 0);
        layout->addWidget(m_opening[size_t(i)], i + 1, 1);
        layout->addWidget(m_waiting[size_t(i)], i + 1, 2);
    }
}

void DoorParametersPanel::load(const std::array<QString, 4> &inputNames,
                               const DoorParameters &parameters)
{
    for (int i = 0; i < 4; ++i) {
        m_captions[size_t(i)]->setText(inputNames[size_t(i)]);
        m_opening[size_t(i)]->setValue(parameters.opening[size_t(i)]);
        m_waiting[size_t(i)]->setValue(parameters.waiting[size_t(i)]);
    }
}

DoorParameters DoorParametersPanel::parameters() const
{
    DoorParameters p;
    for (int i = 0; i < 4; ++i) {
        p.opening[size_t(i)] = m_opening[size_t(i)]->value();
        p.waiting[size_t(i)] = m_waiting[size_t(i)]->value();
    }
    return p;
}

BarrierParametersPanel::BarrierParametersPanel(QWidget *parent)
    : EditorPanel(QStringLiteral("Parametry závor"), parent)
{
    auto *layout = new QGridLayout(body());
    layout->addWidget(new QLabel(QStringLiteral("Otevření"), body()), 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Čekání"), body()), 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("Typ závory"), body()), 0, 3);
    for (int i = 0; i < 2; ++i) {
        m_captions[size_t(i)] = new QLabel(body());
        m_opening[size_t(i)] = counter(body());
        m_waiting[size_t(i)] = counter(body());
        auto *types = new QComboBox(body());
        for (const BarrierTypeChoice &choice : barrierTypes())
            types->addItem(choice.text);
        // Shown when the stored code is none of the list's.
        types->setPlaceholderText(QStringLiteral("???"));
        m_types[size_t(i)] = types;
        layout->addWidget(m_captions[size_t(i)], i + 1, 0);
        layout->addWidget(m_opening[size_t(i)], i + 1, 1);
        layout->addWidget(m_waiting[size_t(i)], i + 1, 2);
        layout->addWidget(types, i + 1, 3);
    }
}

void BarrierParametersPanel::load(const std::array<QString, 2> &inputNames,
                                  const BarrierParameters &parameters)
{
    for (int i = 0; i < 2; ++i) {
        const BarrierInput &in = parameters.inputs[size_t(i)];
        m_captions[size_t(i)]->setText(inputNames[size_t(i)]);
        m_opening[size_t(i)]->setValue(in.opening);
        m_waiting[size_t(i)]->setValue(in.waiting);
        m_types[size_t(i)]->setCurrentIndex(in.typeIndex);
    }
}

BarrierParameters BarrierParametersPanel::parameters() const
{
    BarrierParameters p;
    for (int i = 0; i < 2; ++i) {
        BarrierInput &in = p.inputs[size_t(i)];
        in.opening = m_opening[size_t(i)]->value();
        in.waiting = m_waiting[size_t(i)]->value();
        in.typeIndex = m_types[size_t(i)]->currentIndex();
    }
    return p;
}

} // namespace vardex
