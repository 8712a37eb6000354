#include "ui/MainWindow.h"

#include "app/TarnholdModel.h"
#include "base/OperationState.h"
#include "client/GameLauncher.h"
#include "client/UpdateChannel.h"
#include "ui/design/VevoMetrics.h"
#include "ui/shell/AlertPresenter.h"
#include "ui/shell/ContentView.h"
#include "ui/shell/MessageAlerts.h"
#include "ui/shell/WindowConfigurator.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

namespace {

// A window that is never exposed (started minimised, on a hidden desktop)
// still refreshes after this.
constexpr auto firstFrameLimit = std::chrono::seconds(1);

} // namespace

MainWindow::MainWindow(TarnholdModel &model, VevoAppearance &appearance, std::unique_ptr<AlertPresenter> alerts,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_model(model)
    , m_content(new ContentView(model, appearance))
    , m_alertPresenter(alerts ? std::move(alerts) : std::make_unique<MessageBoxAlertPresenter>(*this))
{
    new MessageAlerts(model.operation(), *m_alertPresenter, this);
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Tarnhold"));
    setMinimumSize(VevoWindow::minimumSize);
    resize(VevoWindow::defaultSize);
    setCentralWidget(m_content);

    createViewMenu();
    createGameMenu();

    connect(&m_model, &TarnholdModel::statusChanged, this, &MainWindow::updateLaunchAction);
    connect(&m_model, &TarnholdModel::activationRequested, this, &MainWindow::bringToFront);
    updateLaunchAction();
}

MainWindow::~MainWindow() = default;

void MainWindow::bringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_hasShown)
        return;
    m_hasShown = true;
    configureWindow(*this);
    // The refresh reads the disk and starts a request on this thread; the
    // first frame goes out before it.
    windowHandle()->installEventFilter(this);
    QTimer::singleShot(firstFrameLimit, this, &MainWindow::startFirstRefresh);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        // Queued: the expose paints the frame once this filter returns.
        QMetaObject::invokeMethod(this, &MainWindow::startFirstRefresh, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::startFirstRefresh()
{
    if (m_hasRefreshed)
        return;
    m_hasRefreshed = true;
    m_model.startRefresh();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        m_content->setFullScreen(isFullScreen());
}

void MainWindow::createViewMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("View"));
    menu->setObjectName(QStringLiteral("viewMenu"));
    int digit = 1;
    for (const AppSection section : allAppSections) {
        // An "&" in a title would become a mnemonic marker.
        QAction *action = menu->addAction(title(section).replace(u'&', QStringLiteral("&&")));
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + digit++)));
        connect(action, &QAction::triggered, this, [this, section] { m_model.setSelectedSection(section); });
    }
}

void MainWindow::createGameMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("Game"));
    menu->setObjectName(QStringLiteral("gameMenu"));
    m_launchAction = menu->addAction(QStringLiteral("Launch Velmora"));
    m_launchAction->setObjectName(QStringLiteral("launchAction"));
    m_launchAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    connect(m_launchAction, &QAction::triggered, this, [this] { m_model.launcher().launchGame(); });
    QAction *updatesAction = menu->addAction(QStringLiteral("Check for Updates"));
    updatesAction->setObjectName(QStringLiteral("checkForUpdatesAction"));
    updatesAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    // Runs detached; the check reports its own failures.
    connect(updatesAction, &QAction::triggered, this, [this] { m_model.updates().checkForUpdates(); });
    // Readiness depends on files on disk that change without a signal.
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateLaunchAction);
}

void MainWindow::updateLaunchAction()
{
    m_launchAction->setEnabled(m_model.isReady() && !m_model.operation().isBusy());
}
