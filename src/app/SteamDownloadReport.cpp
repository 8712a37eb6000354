#include "app/SteamDownloadReport.h"

#include "app/PrintableText.h"
#include "app/TerminalInput.h"
#include "base/OperationState.h"
#include "setup/SteamDownload.h"

#include <QCoroSignal>
#include <QIODevice>

namespace {

using Kind = SteamSessionPhase::Kind;

// The Steam card's titles for a run that goes on.
QString runningTitle(Kind kind)
{
    switch (kind) {
    case Kind::downloading:
        return QStringLiteral("Downloading Zero Hour");
    case Kind::validating:
        return QStringLiteral("Verifying game files");
    default:
        return QStringLiteral("Connecting to Steam");
    }
}

} // namespace

SteamDownloadReport::SteamDownloadReport(SteamDownload &steam, OperationState &operation, TerminalInput &input,
                                         QIODevice &out, QIODevice &err, bool terminal, QObject *parent)
    : QObject(parent)
    , m_steam(steam)
    , m_operation(operation)
    , m_input(input)
    , m_out(out)
    , m_err(err)
    , m_terminal(terminal)
    , m_line(out)
{
    connect(&m_interrupts, &InterruptWatch::interrupted, this, &SteamDownloadReport::interrupt);
    connect(&m_input, &TerminalInput::inputEnded, this, &SteamDownloadReport::inputEnded);
}

SteamDownloadReport::~SteamDownloadReport() = default;

QCoro::Task<int> SteamDownloadReport::follow(std::function<void()> start)
{
    m_start = std::move(start);
    m_operation.setErrorMessage(std::nullopt);
    if (m_steam.steamAccount().trimmed().isEmpty()) {
        connect(&m_input, &TerminalInput::lineEntered, this, &SteamDownloadReport::startRun, Qt::SingleShotConnection);
        m_input.requestLine(QStringLiteral("Steam account name (the login, not the display name): "), false);
    } else {
        startRun();
    }
    while (!m_status)
        co_await qCoro(this, &SteamDownloadReport::ended);
    co_return *m_status;
}

void SteamDownloadReport::startRun()
{
    if (m_running || m_status)
        return;
    if (!m_input.isWaiting() && m_steam.steamAccount().trimmed().isEmpty())
        m_steam.setSteamAccount(m_input.takeLine());
    m_running = true;
    m_start();
    // The account and SteamCMD are checked before anything runs.
    if (const std::optional<QString> refusal = m_operation.errorMessage()) {
        m_err.write("tarnhold: " + printable(*refusal).toUtf8() + '\n');
        end(1);
        return;
    }
    connect(&m_input, &TerminalInput::lineEntered, this, &SteamDownloadReport::credentialEntered);
    for (const auto changed : {&SteamDownload::steamSessionPhaseChanged, &SteamDownload::steamDownloadProgressChanged,
                               &SteamDownload::steamAwaitsApprovalChanged})
        connect(&m_steam, changed, this, &SteamDownloadReport::show);
    show();
}

void SteamDownloadReport::show()
{
    const SteamSessionPhase phase = m_steam.steamSessionPhase();
    const bool asks =
        phase.kind() == Kind::password || (phase.kind() == Kind::guardCode && !m_steam.steamAwaitsApproval());
    if (!asks && m_input.isWaiting())
        m_input.cancelRequest();
    switch (phase.kind()) {
    case Kind::password:
    case Kind::guardCode:
        if (m_input.isWaiting())
            return;
        m_line.close();
        if (asks) {
            m_input.requestLine(phase.kind() == Kind::password ? QStringLiteral("Steam password: ")
                                                               : QStringLiteral("Current Steam Guard code: "),
                                true);
        } else if (!m_approvalShown) {
            m_approvalShown = true;
            m_out.write("Approve the sign-in or enter the current Steam Guard code. The code is not stored.\n");
        }
        return;
    case Kind::complete:
        m_line.close();
        end(0);
        return;
    case Kind::failed:
        m_line.close();
        m_err.write("tarnhold: " + printable(phase.failureText()).toUtf8() + '\n');
        end(m_interruption != 0 ? 128 + m_interruption : 1);
        return;
    case Kind::idle:
        return;
    case Kind::connecting:
    case Kind::downloading:
    case Kind::validating:
        showRunning();
        return;
    }
}

void SteamDownloadReport::showRunning()
{
    const Kind kind = m_steam.steamSessionPhase().kind();
    const QString title = runningTitle(kind);
    if (m_terminal) {
        const bool measured = kind == Kind::downloading || kind == Kind::validating;
        m_line.draw(progressLine(title, measured ? std::optional(m_steam.steamDownloadProgress()) : std::nullopt,
                                 std::nullopt));
    } else if (title != m_shownTitle) {
        m_out.write(title.toUtf8() + '\n');
    }
    m_shownTitle = title;
}

void SteamDownloadReport::credentialEntered()
{
    m_steam.submitSteamCredential(m_input.takeLine());
    // An empty line is no answer: the question stands.
    show();
}

void SteamDownloadReport::inputEnded()
{
    // Nobody is left to answer SteamCMD.
    if (m_running)
        m_steam.cancelSteamDownload(true);
    else
        startRun();
}

void SteamDownloadReport::interrupt(int number)
{
    m_interruption = number;
    m_input.cancelRequest();
    if (m_running) {
        m_steam.cancelSteamDownload(true);
        return;
    }
    m_line.close();
    end(128 + number);
}

void SteamDownloadReport::end(int status)
{
    if (m_status)
        return;
    m_status = status;
    m_input.cancelRequest();
    // Once the download's other listeners have heard the same change: the
    // setup moves on when the game's files are ready.
    QMetaObject::invokeMethod(this, &SteamDownloadReport::ended, Qt::QueuedConnection);
}
