#include "app/ui/HelpViewer.h"

#include "app/Application.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vardex {

namespace {

QString unavailable(const QString &reason)
{
    return QStringLiteral("Nápověda není k dispozici: ") + reason;
}

} // namespace

HelpViewer::HelpViewer(QWidget *parent) : QDialog(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Nápověda – ") + applicationTitle());
    setAttribute(Qt::WA_DeleteOnClose);

    m_browser = new QTextBrowser(this);
    // The manual is local; a link out of it is not followed.
    m_browser->setOpenExternalLinks(false);

    auto *back = new QPushButton(QStringLiteral("Zpět"), this);
    auto *forward = new QPushButton(QStringLiteral("Vpřed"), this);
    auto *close = new QPushButton(QStringLiteral("Zavřít"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
    resize(760, 560);
    makeButtonsPlain(this);
}

bool HelpViewer::openTopic(const QString &helpDir, const QString &topic, QString *error)
{
    const HelpPage page = findHelpPage(helpDir, topic);
    if (!page.ok) {
        if (error)
            *error = page.error;
        return false;
    }
    m_browser->setSearchPaths({helpDir});
    m_browser->setSource(QUrl::fromLocalFile(page.path));
    return true;
}

HelpViewer *HelpViewer::showTopic(const QString &helpDir, const QString &topic,
                                  OperatorMessages &messages, QWidget *parent)
{
    HelpViewer *viewer =
        parent ? parent->findChild<HelpViewer *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    const bool created = viewer == nullptr;
    if (created)
        viewer = new HelpViewer(parent);
    QString error;
    if (!viewer->openTopic(helpDir, topic, &error)) {
        if (created)
            delete viewer;
        messages.error(unavailable(error));
        return nullptr;
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

HelpViewer *HelpViewer::showHelp(OperatorMessages &messages, QWidget *parent,
                                 const QString &fallbackDir)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString helpDir = locateHelpDir(exeDir, fallbackDir);
    if (helpDir.isEmpty()) {
        messages.error(unavailable(
            QStringLiteral("chybí adresář %1").arg(QDir(exeDir).filePath(QStringLiteral("help")))));
        return nullptr;
    }
    return showTopic(helpDir, QString::fromUtf8(kHelpStartTopic), messages, parent);
}

} // namespace vardex
