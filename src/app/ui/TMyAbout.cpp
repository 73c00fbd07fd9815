#include "app/ui/TMyAbout.h"

#include "app/Application.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vardex {

TMyAbout::TMyAbout(QWidget *parent) : TMyAbout(readMemoryStatus(), parent)
{
}

TMyAbout::TMyAbout(const MemoryStatus &memory, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Anotace programu"));

    auto *title = new QLabel(applicationTitle(), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);

    auto *line1 = new QLabel(QStringLiteral("základní program pro práci "), this);
    auto *line2 = new QLabel(QStringLiteral("s hardwarovými jednotkami KVR-8"), this);

    auto *description = new QLabel(
        QStringLiteral("Program slouží ke správě jednoduchého systému jednotek KVR-8: "
                       "vede přehled identifikačních klíčů a jejich oprávnění k přístupu, "
                       "nastavuje jednotky, zjišťuje jejich stav, přebírá od nich události "
                       "a připravuje jednoduché výstupní sestavy."),
        this);
    description->setWordWrap(true);
    description->setFixedWidth(description->fontMetrics().averageCharWidth() * 55);

    // A machine whose memory cannot be read shows empty values rather than
    // a made-up number.
    m_total = new QLabel(memory.ok ? formatMemoryTotal(memory.totalBytes) : QString(), this);
    m_load = new QLabel(memory.ok ? formatMemoryLoad(memory.loadPercent) : QString(), this);
    m_total->setObjectName(QStringLiteral("memoryTotal"));
    m_load->setObjectName(QStringLiteral("memoryLoad"));
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_load->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto *grid = new QGridLayout(panel);
    grid->addWidget(new QLabel(QStringLiteral("Dostupná paměť"), panel), 0, 0);
    grid->addWidget(m_total, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Využití paměti"), panel), 1, 0);
    grid->addWidget(m_load, 1, 1);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(line1);
    layout->addWidget(line2);
    layout->addSpacing(8);
    layout->addWidget(description);
    layout->addSpacing(8);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TMyAbout::memoryTotalText() const
{
    return m_total->text();
}

QString TMyAbout::memoryLoadText() const
{
    return m_load->text();
}

void TMyAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace vardex
