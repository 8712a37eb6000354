#pragma once

#include "ui/shell/AlertPresenter.h"

#include <QStringList>

#include <functional>

// Alerts for UI tests: records what would be shown and lets the test dismiss
// the open one, as the user's click on "OK" would.
class RecordingAlerts final : public AlertPresenter
{
public:
    QStringList titles;
    QStringList messages;

    bool isOpen() const { return bool(m_dismiss); }

    void present(const QString &title, const QString &message, std::function<void()> dismissed) override
    {
        titles.append(title);
        messages.append(message);
        m_dismiss = std::move(dismissed);
    }

    void dismiss()
    {
        // Taken first: dismissing may present the next alert at once.
        const std::function<void()> dismissed = std::exchange(m_dismiss, {});
        dismissed();
    }

private:
    std::function<void()> m_dismiss;
};
