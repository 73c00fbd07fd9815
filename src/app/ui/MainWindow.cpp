#include "app/ui/MainWindow.h"

#include "app/Application.h"
#include "app/MenuItems.h"
#include "platform/OperatorMessages.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace vardex {

MainWindow::MainWindow(Application &app, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setWindowTitle(QStringLiteral("Základní menu"));
    setObjectName(QStringLiteral("TVXMAIN"));

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *heading1 = new QLabel(QStringLiteral("Systém řízení a kontroly vstupu"), central);
    auto *heading2 = new QLabel(applicationTitle(), central);
    QFont big = heading1->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    heading1->setFont(big);
    heading2->setFont(big);
    for (QLabel *l : {heading1, heading2}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }

    auto *pictures = new QHBoxLayout;
    m_start = new QPushButton(central);
    m_start->setObjectName(QStringLiteral("StartPicture"));
    m_start->setToolTip(QStringLiteral("START PROGRAMU"));
    m_start->setStatusTip(QStringLiteral("START PROGRAMU"));
    m_start->setMinimumSize(260, 200);
    m_start->setFlat(true);
    const QString dir = app.workDir() + QLatin1Char('/');
    const QPixmap logo(dir + QStringLiteral("logo.bmp"));
    if (!logo.isNull()) {
        m_start->setIcon(QIcon(logo));
        m_start->setIconSize(logo.size().boundedTo(QSize(400, 300)));
    } else {
        // Without a logo the picture is empty but still starts the program.
        m_start->setText(QStringLiteral("START PROGRAMU"));
    }
    connect(m_start, &QPushButton::clicked, this, &MainWindow::startProgram);
    pictures->addWidget(m_start, 1);
    m_photo = new QLabel(central);
    const QPixmap photo(dir + QStringLiteral("foto.bmp"));
    if (!photo.isNull())
        m_photo->setPixmap(photo.scaled(QSize(320, 240), Qt::KeepAspectRatio));
    pictures->addWidget(m_photo);
    layout->addLayout(pictures, 1);
    setCentralWidget(central);
    resize(900, 600);

    statusBar()->showMessage(QString());
    buildMenu();
    refreshMenu();
}

void MainWindow::buildMenu()
{
    QMenu *menu = nullptr;
    for (const MenuItemDef &item : mainMenuItems()) {
        if (item.action == MenuAction::TopLevel) {
            menu = menuBar()->addMenu(item.caption);
            menu->setObjectName(item.name);
            menu->menuAction()->setStatusTip(item.hint);
            menu->setToolTipsVisible(true);
            m_actions.insert(item.name, menu->menuAction());
            continue;
        }
        if (!menu)
            continue;
        if (item.action == MenuAction::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction *a = menu->addAction(item.caption);
        a->setObjectName(item.name);
        a->setStatusTip(item.hint);
        const QString name = item.name;
        connect(a, &QAction::triggered, this, [this, name] { trigger(name); });
        m_actions.insert(item.name, a);
    }
}

void MainWindow::refreshMenu()
{
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it)
        it.value()->setEnabled(m_app.menu.isShownEnabled(it.key()));
}

void MainWindow::registerWindow(const QString &menuItem, std::function<void()> open)
{
    m_openers.insert(menuItem, std::move(open));
}

void MainWindow::startProgram()
{
    // The start runs once: the picture goes away whatever the outcome.
    QApplication::processEvents();
    m_start->hide();
    m_photo->setMinimumWidth(m_start->width());
    const StartOutcome outcome = m_app.start();
    refreshMenu();
    if (outcome == StartOutcome::NoHome)
        quitProgram();
}

void MainWindow::trigger(const QString &menuItem)
{
    const MenuItemDef *item = findMenuItem(menuItem);
    if (!item || !m_app.menu.isUsable(menuItem))
        return;
    if (item->action == MenuAction::Quit) {
        quitProgram();
        return;
    }
    const auto opener = m_openers.find(menuItem);
    if (opener == m_openers.end()) {
        m_app.messages().information(QStringLiteral("Funkce není v této verzi k dispozici."));
        return;
    }
    (*opener)();
    if (item->reevaluates) {
        m_app.PosouditMoznosti();
        refreshMenu();
    }
}

void MainWindow::quitProgram()
{
    m_quitting = true;
    m_app.quit();
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window has no close box; it ends only through "&Konec".
    if (m_quitting)
        event->accept();
    else
        event->ignore();
}

} // namespace vardex
