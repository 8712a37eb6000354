#pragma once

#include <QObject>

#include <optional>

class AlertPresenter;
class OperationState;

// Shows the operation's error and notice messages as alerts titled "Tarnhold",
// one at a time, errors first. Dismissing an alert clears its message, so
// the same text does not come back on the next change.
class MessageAlerts final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageAlerts)

public:
    MessageAlerts(OperationState &operation, AlertPresenter &presenter, QObject *parent = nullptr);
    ~MessageAlerts() override;

private:
    enum class Kind { error, notice };

    void showNext();
    void dismiss(Kind kind, const QString &shown);

    OperationState &m_operation;
    AlertPresenter &m_presenter;
    bool m_showing = false;
};
