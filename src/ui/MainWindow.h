#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class TarnholdModel;

// Tarnhold's one window: the selected section with the status line, the
// View menu that switches sections and the Game menu.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(TarnholdModel &model, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the window in front of the others, restoring it when minimised.
    void bringToFront();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createViewMenu();
    void createGameMenu();
    void updateSection();
    void updateStatus();
    void updateLaunchAction();

    TarnholdModel &m_model;
    QLabel *m_sectionTitle;
    QLabel *m_statusTitle;
    QAction *m_launchAction = nullptr;
    bool m_hasRefreshed = false;
};
