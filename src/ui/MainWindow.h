#pragma once

#include "ui/shell/AlertPresenter.h"

#include <QMainWindow>

#include <memory>

class ContentView;
class QAction;
class TarnholdModel;
class VevoAppearance;

// Tarnhold's one window: the sidebar and the selected section, the busy
// overlay, the alerts for errors and notices, the View menu that switches
// sections and the Game menu.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // Without a presenter, alerts are message boxes.
    MainWindow(TarnholdModel &model, VevoAppearance &appearance, std::unique_ptr<AlertPresenter> alerts = {},
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the window in front of the others, restoring it when minimised.
    void bringToFront();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startFirstRefresh();
    void createViewMenu();
    void createGameMenu();
    void updateLaunchAction();

    TarnholdModel &m_model;
    ContentView *m_content;
    std::unique_ptr<AlertPresenter> m_alertPresenter;
    QAction *m_launchAction = nullptr;
    bool m_hasShown = false;
    bool m_hasRefreshed = false;
};
