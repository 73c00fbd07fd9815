#include "attendance/ui/TUSEKS.h"

#include "timecal/HourMinute.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vardex {

namespace {

using Part = SectionEditor::Part;

size_t at(Part part)
{
    return part == Part::Mandatory ? 0 : 1;
}

// A part as a bar on an axis from 00:00 to 24:00, with a tick every six
// hours.
class PartBar : public QWidget
{
public:
    PartBar(QColor color, QWidget *parent) : QWidget(parent), m_color(color)
    {
        setMinimumSize(240, 18);
    }
    void setPart(quint16 start, quint16 end)
    {
        m_start = start;
        m_end = end;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect area = rect().adjusted(0, 0, -1, -1);
        p.fillRect(area, palette().base());
        const auto x = [&](quint16 word) {
            return area.left() + area.width() * (HourOf(word) * 60 + MinuteOf(word)) / (24 * 60);
        };
        if (!IsPartEmpty(m_start, m_end))
            p.fillRect(
                QRect(QPoint(x(m_start), area.top() + 3), QPoint(x(m_end), area.bottom() - 3)),
                m_color);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(area);
        for (int hour = 6; hour < 24; hour += 6)
            p.drawLine(x(MakeHourMinute(hour, 0)), area.top(), x(MakeHourMinute(hour, 0)),
                       area.top() + 4);
    }

private:
    QColor m_color;
    quint16 m_start = 0;
    quint16 m_end = 0;
};

} // namespace

TUSEKS::TUSEKS(const ShiftSection &section, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_editor(section)
{
    setWindowTitle(QStringLiteral("Úprava časového úseku"));
    setObjectName(QStringLiteral("TUSEKS"));
    m_apply = new QPushButton(QStringLiteral("Použít"), this);
    m_apply->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Přerušit"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(partBox(Part::Mandatory, QStringLiteral("Povinná část")));
    layout->addWidget(partBox(Part::Optional, QStringLiteral("Nepovinná část")));
    layout->addLayout(buttons);
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    showSection();
}

std::optional<ShiftSection> TUSEKS::editSection(const ShiftSection &section, QWidget *parent)
{
    TUSEKS dialog(section, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.section();
}

QSpinBox *TUSEKS::counter(Part part, int index) const
{
    return m_counters[at(part)][size_t(index)];
}

QLabel *TUSEKS::partLabel(Part part) const
{
    return m_texts[at(part)];
}

QWidget *TUSEKS::partBox(Part part, const QString &title)
{
    auto *box = new QGroupBox(title, this);
    auto *grid = new QGridLayout(box);
    const QString captions[] = {QStringLiteral("Od:"), QStringLiteral("Do:")};
    for (int i = 0; i < 4; ++i) {
        auto *spin = new QSpinBox(box);
        spin->setRange(0, i % 2 == 0 ? 23 : 59);
        spin->setWrapping(false);
        m_counters[at(part)][size_t(i)] = spin;
        if (i % 2 == 0)
            grid->addWidget(new QLabel(captions[i / 2], box), i / 2, 0);
        grid->addWidget(spin, i / 2, 1 + i % 2);
        connect(spin, &QSpinBox::valueChanged, this,
                [this, part, i](int value) { counterChanged(part, i, value); });
    }
    m_texts[at(part)] = new QLabel(box);
    m_bars[at(part)] =
        new PartBar(part == Part::Mandatory ? QColor(0, 0, 160) : QColor(0, 160, 0), box);
    grid->addWidget(m_texts[at(part)], 0, 3);
    grid->addWidget(m_bars[at(part)], 2, 0, 1, 4);
    return box;
}

void TUSEKS::counterChanged(Part part, int index, int value)
{
    switch (index) {
    case 0:
        m_editor.setStartHour(part, value);
        break;
    case 1:
        m_editor.setStartMinute(part, value);
        break;
    case 2:
        m_editor.setEndHour(part, value);
        break;
    default:
        m_editor.setEndMinute(part, value);
        break;
    }
    showSection();
}

void TUSEKS::showSection()
{
    for (Part part : {Part::Mandatory, Part::Optional}) {
        const quint16 start = m_editor.start(part);
        const quint16 end = m_editor.end(part);
        const int values[] = {HourOf(start), MinuteOf(start), HourOf(end), MinuteOf(end)};
        for (size_t i = 0; i < 4; ++i) {
            QSpinBox *spin = m_counters[at(part)][i];
            const QSignalBlocker quiet(spin);
            spin->setValue(values[i]);
        }
        m_texts[at(part)]->setText(m_editor.partText(part));
        static_cast<PartBar *>(m_bars[at(part)])->setPart(start, end);
    }
}

} // namespace vardex
