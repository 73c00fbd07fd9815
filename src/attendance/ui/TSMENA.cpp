#include "attendance/ui/TSMENA.h"

#include "attendance/ui/TSELSME.h"
#include "attendance/ui/TUSEKS.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vardex {

namespace {

// A caption that acts when clicked.
QPushButton *clickableLabel(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("text-align: left; text-decoration: underline;"));
    return button;
}

} // namespace

TSMENA::TSMENA(const DayShift &day, const QString &name, bool nameRequired, TVXDM &vx,
               OperatorMessages &messages, FileChooser &files, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_editor(day, name, nameRequired), m_vx(vx), m_messages(messages), m_files(files)
{
    setWindowTitle(QStringLiteral("Časový průběh směny"));
    setObjectName(QStringLiteral("TSMENA"));
    m_name = new QLineEdit(this);
    m_name->setMaxLength(17);
    for (int which : {1, 2}) {
        auto *button = new QPushButton(this);
        button->setStyleSheet(QStringLiteral("text-align: left;"));
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QString(30, u'0')));
        m_sections[size_t(which - 1)] = button;
        connect(button, &QPushButton::clicked, this, [this, which] { editSection(which); });
    }
    m_required = new QLineEdit(this);
    m_required->setMaxLength(5);
    m_requiredLabel = clickableLabel(QStringLiteral("Odpracovat"), this);
    m_crossingLabel = clickableLabel(QStringLiteral("Noc"), this);
    m_crossing = new QCheckBox(this);
    m_crossing->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_crossing->setFocusPolicy(Qt::NoFocus);

    const std::pair<ShiftTemplate, const char *> templates[] = {
        {ShiftTemplate::Clear, "Nulovat"},
        {ShiftTemplate::Free, "Vzor volná"},
        {ShiftTemplate::Night, "Vzor noční"},
        {ShiftTemplate::Morning, "Vzor ranní"},
        {ShiftTemplate::Afternoon, "Vzor odpolední"},
    };
    auto *templateRow = new QHBoxLayout;
    for (const auto &[which, caption] : templates) {
        auto *button = new QPushButton(QString::fromUtf8(caption), this);
        m_templates[size_t(which)] = button;
        templateRow->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, which] {
            m_editor.applyTemplate(which);
            showDay();
        });
    }
    m_fromList = new QPushButton(QStringLiteral("Podle seznamu"), this);
    m_done = new QPushButton(QStringLiteral("Hotovo"), this);
    auto *cancel = new QPushButton(QStringLiteral("Přerušit"), this);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Název směny "), this), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("První úsek směny"), this), 1, 0);
    grid->addWidget(m_sections[0], 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Druhý úsek směny"), this), 2, 0);
    grid->addWidget(m_sections[1], 2, 1);
    grid->addWidget(m_requiredLabel, 3, 0);
    grid->addWidget(m_required, 3, 1, Qt::AlignLeft);
    grid->addWidget(m_crossingLabel, 4, 0);
    grid->addWidget(m_crossing, 4, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_fromList);
    buttons->addStretch();
    buttons->addWidget(m_done);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(templateRow);
    layout->addLayout(buttons);

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_editor.setName(text);
        m_done->setEnabled(m_editor.canFinish());
    });
    connect(m_required, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_editor.setRequiredText(text);
        m_done->setEnabled(m_editor.canFinish());
    });
    connect(m_requiredLabel, &QPushButton::clicked, this, [this] {
        m_editor.recomputeRequired();
        showDay();
    });
    connect(m_crossingLabel, &QPushButton::clicked, this, [this] {
        m_editor.toggleCrossing();
        showDay();
    });
    connect(m_fromList, &QPushButton::clicked, this, [this] {
        if (const std::optional<ChosenShift> chosen =
                TSELSME::choose(m_vx, m_messages, m_files, this)) {
            m_editor.take(*chosen);
            showDay();
        }
    });
    connect(m_done, &QPushButton::clicked, this, [this] {
        if (m_editor.canFinish())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showDay();
}

bool TSMENA::editShift(DayShift &day, QString &name, bool nameRequired, TVXDM &vx,
                       OperatorMessages &messages, FileChooser &files, QWidget *parent)
{
    TSMENA dialog(day, name, nameRequired, vx, messages, files, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    day = dialog.editor().day();
    name = dialog.editor().name();
    return true;
}

void TSMENA::editSection(int which)
{
    if (const std::optional<ShiftSection> section =
            TUSEKS::editSection(m_editor.section(which), this)) {
        m_editor.setSection(which, *section);
        showDay();
    }
}

void TSMENA::showDay()
{
    m_name->setText(m_editor.name());
    for (int which : {1, 2})
        m_sections[size_t(which - 1)]->setText(m_editor.sectionText(which));
    m_required->setText(m_editor.requiredText());
    m_crossing->setChecked(m_editor.day().crosses());
    m_done->setEnabled(m_editor.canFinish());
}

} // namespace vardex
