#include "ui/shell/MessageAlerts.h"

#include "base/OperationState.h"
#include "ui/shell/AlertPresenter.h"

#include <QPointer>

MessageAlerts::MessageAlerts(OperationState &operation, AlertPresenter &presenter, QObject *parent)
    : QObject(parent)
    , m_operation(operation)
    , m_presenter(presenter)
{
    connect(&m_operation, &OperationState::errorMessageChanged, this, &MessageAlerts::showNext);
    connect(&m_operation, &OperationState::noticeMessageChanged, this, &MessageAlerts::showNext);
    showNext();
}

MessageAlerts::~MessageAlerts() = default;

void MessageAlerts::showNext()
{
    if (m_showing)
        return;
    const std::optional<QString> error = m_operation.errorMessage();
    const Kind kind = error ? Kind::error : Kind::notice;
    const std::optional<QString> message = error ? error : m_operation.noticeMessage();
    if (!message)
        return;
    m_showing = true;
    m_presenter.present(QStringLiteral("Tarnhold"), *message, [self = QPointer(this), kind, shown = *message] {
        if (self)
            self->dismiss(kind, shown);
    });
}

void MessageAlerts::dismiss(Kind kind, const QString &shown)
{
    m_showing = false;
    // A newer message that arrived while the alert was open is shown next,
    // not cleared unseen.
    if (kind == Kind::error && m_operation.errorMessage() == shown)
        m_operation.setErrorMessage(std::nullopt);
    if (kind == Kind::notice && m_operation.noticeMessage() == shown)
        m_operation.setNoticeMessage(std::nullopt);
    showNext();
}
