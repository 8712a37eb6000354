#include "app/OperationReport.h"

#include "app/PrintableText.h"
#include "base/OperationState.h"

#include <QCoroSignal>
#include <QIODevice>

namespace {

constexpr int barWidth = 24;

} // namespace

OperationReport::OperationReport(OperationState &operation, QIODevice &out, QIODevice &err, bool terminal,
                                 QObject *parent)
    : QObject(parent)
    , m_operation(operation)
    , m_out(out)
    , m_err(err)
    , m_terminal(terminal)
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
    if (!m_operation.isBusy() && !m_lineOpen)
        return;
    m_out.write("\r" + progressLine().toUtf8() + "\033[K");
    m_lineOpen = true;
}

QString OperationReport::progressLine() const
{
    QString line = printable(m_operation.activity());
    // Progress belongs to the running operation; a result stands alone.
    if (m_operation.isBusy() && !m_operation.progressIsIndeterminate()) {
        const int percent = qBound(0, qRound(m_operation.progress() * 100), 100);
        const int filled = percent * barWidth / 100;
        line +=
            QStringLiteral(" %1% [%2%3]").arg(percent, 3).arg(QString(filled, u'#'), QString(barWidth - filled, u'-'));
    }
    if (const std::optional<QString> detail = m_operation.progressDetail())
        line += QStringLiteral(" · ") + printable(*detail);
    return line;
}

int OperationReport::conclude()
{
    if (m_lineOpen) {
        m_out.write("\n");
        m_lineOpen = false;
    }
    if (const std::optional<QString> notice = m_operation.noticeMessage())
        m_out.write(printable(*notice).toUtf8() + '\n');
    if (const std::optional<QString> error = m_operation.errorMessage()) {
        m_err.write("tarnhold: " + printable(*error).toUtf8() + '\n');
        return 1;
    }
    return 0;
}
