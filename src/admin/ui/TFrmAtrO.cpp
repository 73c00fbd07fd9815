#include "admin/ui/TFrmAtrO.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

const KeyKind kKinds[] = {KeyKind::Independent, KeyKind::Employee, KeyKind::Vehicle};
const char *const kKindNames[] = {"samostatný klíč", "klíč zaměstnance", "klíč vozidla"};

} // namespace

TFrmAtrO::TFrmAtrO(const AttributeRequest &request, QWidget *parent)
    : QDialog(parent), m_request(request)
{
    setWindowTitle(QStringLiteral("Atribut oprávnění pro vybranou hardwarovou jednotku"));
    setObjectName(QStringLiteral("TFrmAtrO"));
    const AttributeChoice choice = attributeChoice(request.form, request.attribute);
    const int inputs = request.form == AttributeForm::Doors     ? 4
                       : request.form == AttributeForm::Barrier ? 2
                                                                : 0;
    auto *layout = new QVBoxLayout(this);
    auto *forWhat = new QGroupBox(QStringLiteral("Platí pro"), this);
    auto *forLayout = new QVBoxLayout(forWhat);
    for (int i = 0; i < 4; ++i) {
        m_inputs[size_t(i)] = new QCheckBox(request.inputNames[size_t(i)], forWhat);
        m_inputs[size_t(i)]->setChecked(choice.inputs[size_t(i)]);
        m_inputs[size_t(i)]->setVisible(i < inputs);
        forLayout->addWidget(m_inputs[size_t(i)]);
    }
    forWhat->setVisible(inputs > 0);
    layout->addWidget(forWhat);

    m_kindGroup = new QGroupBox(QStringLiteral("Druh klíče"), this);
    auto *kindLayout = new QVBoxLayout(m_kindGroup);
    auto *kinds = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_kinds[size_t(i)] = new QRadioButton(QString::fromUtf8(kKindNames[i]), m_kindGroup);
        kinds->addButton(m_kinds[size_t(i)]);
        m_kinds[size_t(i)]->setChecked(choice.keyKind == kKinds[i]);
        kindLayout->addWidget(m_kinds[size_t(i)]);
    }
    m_kindGroup->setVisible(request.form == AttributeForm::Barrier);
    layout->addWidget(m_kindGroup);

    m_cancel = new QPushButton(QStringLiteral("přerušit"), this);
    m_confirm = new QPushButton(QStringLiteral("potvrdit"), this);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_confirm, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_confirm);
    layout->addLayout(buttons);
}

quint8 TFrmAtrO::attribute() const
{
    AttributeChoice choice;
    for (int i = 0; i < 4; ++i)
        choice.inputs[size_t(i)] = m_inputs[size_t(i)]->isChecked();
    for (int i = 0; i < 3; ++i)
        if (m_kinds[size_t(i)]->isChecked())
            choice.keyKind = kKinds[i];
    return attributeOf(m_request.form, choice, m_request.attribute);
}

std::optional<quint8> TFrmAtrO::choose(const AttributeRequest &request, QWidget *parent)
{
    TFrmAtrO dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.attribute();
}

} // namespace vardex
