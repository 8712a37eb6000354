#include "app/OperationReport.h"

#include "app/PrintableText.h"
#include "base/OperationState.h"

#include <QCoroSignal>
#include <QIODevice>

OperationReport::OperationReport(OperationState &operation, QIODevice &out, QIODevice &err, bool terminal,
                                 QObject *parent)
    : QObject(parent)
    , m_operation(operation)
    , m_out(out)
    , m_err(err)
    , m_terminal(terminal)
    , m_line(out)
{
    if (!m_terminal) {
        connect(&m_operation, &OperationState::activityChanged, this, &OperationReport::showActivity);
        return;
    }
    for (const auto changed :
         {&OperationState::activityChanged, &OperationState::progressChanged, &OperationState::progressDetailChanged,
          &OperationState::progressIsIndeterminateChanged, &OperationState::isBusyChanged})
        connect(&m_operation, changed, this, &OperationReport::redraw);
}

OperationReport::~OperationReport() = default;

QCoro::Task<int> OperationReport::follow(std::function<void()> start)
{
    m_operation.setErrorMessage(std::nullopt);
    m_operation.setNoticeMessage(std::nullopt);
    start();
    // Operations become busy before they first wait, so one that is idle now
    // has already ended, or was refused by a guard without starting.
    while (m_operation.isBusy())
        co_await qCoro(&m_operation, &OperationState::isBusyChanged);
    co_return conclude();
}

void OperationReport::showActivity()
{
    const QString activity = printable(m_operation.activity());
    if (activity == m_shownActivity)
        return;
    m_shownActivity = activity;
    m_out.write(activity.toUtf8() + '\n');
}

void OperationReport::redraw()
{
    // What the state shows before the operation begins is not its own.
    if (!m_operation.isBusy() && !m_line.isOpen())
        return;
    // Progress belongs to the running operation; a result stands alone.
    const bool measured = m_operation.isBusy() && !m_operation.progressIsIndeterminate();
    m_line.draw(progressLine(m_operation.activity(), measured ? std::optional(m_operation.progress()) : std::nullopt,
                             m_operation.progressDetail()));
}

int OperationReport::conclude()
{
    m_line.close();
    if (const std::optional<QString> notice = m_operation.noticeMessage())
        m_out.write(printable(*notice).toUtf8() + '\n');
    if (const std::optional<QString> error = m_operation.errorMessage()) {
        m_err.write("tarnhold: " + printable(*error).toUtf8() + '\n');
        return 1;
    }
    return 0;
}
