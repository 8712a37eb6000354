#include "setup/SteamRunEnd.h"

namespace {

// steamcmd.sh refuses to run from a folder that another user owns.
constexpr int foreignOwnerStatus = 7;
constexpr int signInRejectedStatus = 5;

// The sentence for an end that says more than its status code, if any.
std::optional<QString> explainedFailure(const SteamRunEnd &end)
{
    if (end.status == signInRejectedStatus)
        return QStringLiteral("Steam rejected the sign-in. Check the account name, password and Steam Guard approval, "
                              "then retry.");
    if (end.reportedFailure == SteamReportedFailure::noSubscription)
        return QStringLiteral("This Steam account does not own Zero Hour (Steam app 2732960). Sign in with the account "
                              "that bought it, then retry.");
    if (end.reportedFailure == SteamReportedFailure::diskNotWritable)
        return QStringLiteral("SteamCMD could not write the game files: the disk is full or the download folder is not "
                              "writable. Free some space, then retry; the partial download was kept.");
    if (end.status == foreignOwnerStatus)
        return QStringLiteral("SteamCMD refused to run because its folder belongs to another user. Move Tarnhold’s "
                              "SteamCMD folder to the Trash, return to the previous step to download it again, then "
                              "retry.");
    return std::nullopt;
}

SteamSessionPhase phaseAfterRun(const SteamRunEnd &end, const QString &stoppedAdvice)
{
    if (end.status == 0 && end.gameIsComplete)
        return SteamSessionPhase::Kind::complete;
    if (const std::optional<QString> explained = explainedFailure(end))
        return SteamSessionPhase::failed(*explained);
    return SteamSessionPhase::failed(QStringLiteral("SteamCMD stopped with code ") + QString::number(end.status)
                                     + QStringLiteral(". The partial download was kept; ") + stoppedAdvice);
}

} // namespace

SteamSessionPhase phaseAfterEmbeddedRun(const SteamSessionPhase &current, const SteamRunEnd &end)
{
    const SteamSessionPhase after = phaseAfterRun(end, QStringLiteral("retry or use the Terminal fallback."));
    if (current.kind() == SteamSessionPhase::Kind::failed && after.kind() != SteamSessionPhase::Kind::complete)
        return current;
    return after;
}

SteamSessionPhase phaseAfterTerminalRun(const SteamRunEnd &end)
{
    if (end.status == -1)
        return SteamSessionPhase::failed(QStringLiteral("The Terminal window was closed before SteamCMD finished. The "
                                                        "partial download was kept; retry to continue."));
    return phaseAfterRun(end, QStringLiteral("retry to continue."));
}
