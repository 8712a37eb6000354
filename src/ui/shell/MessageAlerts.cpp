#include "ui/shell/MessageAlerts.h"

#include "app/TarnholdModel.h"
#include "ui/shell/AlertPresenter.h"

#include <QPointer>

MessageAlerts::MessageAlerts(TarnholdModel &model, AlertPresenter &presenter, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_presenter(presenter)
{
    connect(&m_model, &TarnholdModel::errorMessageChanged, this, &MessageAlerts::showNext);
    connect(&m_model, &TarnholdModel::noticeMessageChanged, this, &MessageAlerts::showNext);
    showNext();
}

MessageAlerts::~MessageAlerts() = default;

void MessageAlerts::showNext()
{
    if (m_showing)
        return;
    const std::optional<QString> error = m_model.errorMessage();
    const Kind kind = error ? Kind::error : Kind::notice;
    const std::optional<QString> message = error ? error : m_model.noticeMessage();
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
    if (kind == Kind::error && m_model.errorMessage() == shown)
        m_model.setErrorMessage(std::nullopt);
    if (kind == Kind::notice && m_model.noticeMessage() == shown)
        m_model.setNoticeMessage(std::nullopt);
    showNext();
}
