#pragma once

#include <QString>

#include <functional>

class QWidget;

// Shows a message to the user and reports when it is dismissed. The window
// shows alerts only through this seam, so tests can answer them without a
// modal dialog.
class AlertPresenter
{
public:
    virtual ~AlertPresenter() = default;

    // At most one alert is open at a time; the caller waits for dismissed.
    virtual void present(const QString &title, const QString &message, std::function<void()> dismissed) = 0;
};

// Alerts as window-modal message boxes with one "OK" button of cancel role.
// They open without a nested event loop.
class MessageBoxAlertPresenter final : public AlertPresenter
{
public:
    explicit MessageBoxAlertPresenter(QWidget &window);

    void present(const QString &title, const QString &message, std::function<void()> dismissed) override;

private:
    QWidget &m_window;
};
