#include "ui/MainWindow.h"

#include "app/TarnholdModel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

MainWindow::MainWindow(TarnholdModel &model, QWidget *parent)
    : QMainWindow(parent)
    , m_model(model)
    , m_sectionTitle(new QLabel)
    , m_statusTitle(new QLabel)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Tarnhold"));
    setMinimumSize(880, 600);
    resize(1100, 720);

    m_sectionTitle->setObjectName(QStringLiteral("sectionTitle"));
    QFont titleFont = m_sectionTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    m_sectionTitle->setFont(titleFont);
    m_statusTitle->setObjectName(QStringLiteral("statusTitle"));

    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(32, 32, 32, 32);
    layout->addWidget(m_sectionTitle);
    layout->addWidget(m_statusTitle);
    layout->addStretch();
    setCentralWidget(content);

    createViewMenu();
    createGameMenu();

    connect(&m_model, &TarnholdModel::selectedSectionChanged, this, &MainWindow::updateSection);
    // The status title is derived from all of these.
    for (const auto signal :
         {&TarnholdModel::isGameRunningChanged, &TarnholdModel::isBusyChanged, &TarnholdModel::activityChanged,
          &TarnholdModel::releaseChanged, &TarnholdModel::stateChanged, &TarnholdModel::componentsChanged})
        connect(&m_model, signal, this, &MainWindow::updateStatus);
    for (const auto signal : {&TarnholdModel::isBusyChanged, &TarnholdModel::componentsChanged,
                              &TarnholdModel::stateChanged, &TarnholdModel::isGameRunningChanged})
        connect(&m_model, signal, this, &MainWindow::updateLaunchAction);
    connect(&m_model, &TarnholdModel::activationRequested, this, &MainWindow::bringToFront);

    updateSection();
    updateStatus();
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
    if (m_hasRefreshed)
        return;
    m_hasRefreshed = true;
    // Runs detached; the model catches everything inside it.
    m_model.refresh();
}

void MainWindow::createViewMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("View"));
    menu->setObjectName(QStringLiteral("viewMenu"));
    int digit = 1;
    for (const AppSection section : allAppSections) {
        QAction *action = menu->addAction(title(section));
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
    QAction *updatesAction = menu->addAction(QStringLiteral("Check for Updates"));
    updatesAction->setObjectName(QStringLiteral("checkForUpdatesAction"));
    updatesAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    // Runs detached; the check reports its own failures.
    connect(updatesAction, &QAction::triggered, this, [this] { m_model.checkForUpdates(true); });
    // Readiness depends on files on disk that change without a signal.
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateLaunchAction);
}

void MainWindow::updateSection()
{
    m_sectionTitle->setText(title(m_model.selectedSection()));
}

void MainWindow::updateStatus()
{
    m_statusTitle->setText(m_model.statusTitle());
}

void MainWindow::updateLaunchAction()
{
    m_launchAction->setEnabled(m_model.isReady() && !m_model.isBusy());
}
