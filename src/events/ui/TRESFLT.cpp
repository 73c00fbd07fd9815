#include "events/ui/TRESFLT.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

template <typename W> W *hinted(W *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
    return widget;
}

} // namespace

TRESFLT::TRESFLT(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Nastavení filtru událostí v systému"));
    setObjectName(QStringLiteral("TRESFLT"));

    auto *byResult = new QGroupBox(QStringLiteral("Podle výsledku"), this);
    auto *resultLayout = new QVBoxLayout(byResult);
    const char *const kinds[][2] = {{"povoleno", "vybrat událost povoleno"},
                                    {"ilegální", "vybrat událost nepovoleno"},
                                    {"neotevřeno", "vybrat událost neotevřeno"},
                                    {"nezavřeno", "vybrat událost nezavřeno"}};
    for (int k = 0; k < ResultFilter::KindCount; ++k) {
        m_kinds[k] = hinted(new QCheckBox(QString::fromUtf8(kinds[k][0]), byResult),
                            QString::fromUtf8(kinds[k][1]));
        resultLayout->addWidget(m_kinds[k]);
    }
    auto *detail = hinted(new QGroupBox(QStringLiteral("Upřesnění"), byResult),
                          QStringLiteral("(pro závorovou jednotku)"));
    m_ordinary = new QRadioButton(QStringLiteral("běžná událost"), detail);
    m_pairs = new QRadioButton(QStringLiteral("dvojice událostí"), detail);
    m_ordinary->setChecked(true);
    auto *detailLayout = new QVBoxLayout(detail);
    detailLayout->addWidget(m_ordinary);
    detailLayout->addWidget(m_pairs);
    resultLayout->addWidget(detail);
    resultLayout->addStretch();

    auto *byPlace = new QGroupBox(QStringLiteral("Podle místa události"), this);
    auto *placeLayout = new QGridLayout(byPlace);
    for (int p = 0; p < ResultFilter::PlaceCount; ++p) {
        const bool input = p >= 8;
        m_places[p] =
            hinted(new QCheckBox(QStringLiteral("%1%2")
                                     .arg(input ? QStringLiteral("IN") : QStringLiteral("TM"))
                                     .arg(p % 8),
                                 byPlace),
                   input ? QStringLiteral("aktivita na snímači")
                         : QStringLiteral("čtení klíče na snímači"));
        placeLayout->addWidget(m_places[p], p % 8, input ? 1 : 0);
    }

    m_cancel = new QPushButton(QStringLiteral("Přerušit"), this);
    m_done = new QPushButton(QStringLiteral("Hotovo"), this);
    m_cancel->setAutoDefault(false);
    m_done->setDefault(true);
    auto *groups = new QHBoxLayout;
    groups->addWidget(byResult);
    groups->addWidget(byPlace);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_done);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    for (QCheckBox *box : m_kinds)
        connect(box, &QCheckBox::toggled, this, &TRESFLT::updateDone);
    for (QCheckBox *box : m_places)
        connect(box, &QCheckBox::toggled, this, &TRESFLT::updateDone);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    updateDone();
}

std::optional<QString> TRESFLT::choose(QWidget *parent)
{
    TRESFLT dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.filter().text();
}

ResultFilter TRESFLT::filter() const
{
    ResultFilter f;
    for (int k = 0; k < ResultFilter::KindCount; ++k)
        f.kinds[k] = m_kinds[k]->isChecked();
    f.pairs = m_pairs->isChecked();
    for (int p = 0; p < ResultFilter::PlaceCount; ++p)
        f.places[p] = m_places[p]->isChecked();
    return f;
}

void TRESFLT::updateDone()
{
    m_done->setEnabled(filter().complete());
}

} // namespace vardex
