#include "setup/SteamConsole.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

// Longer than any sequence SteamCMD writes; an endless one is let through
// rather than held back for ever.
constexpr qsizetype longestHeldSequence = 64;

const QLatin1StringView approvalRequest("confirm the login in the steam mobile app");
const QLatin1StringView approvalWait("waiting for confirmation");

// Keeps the end of text, never half of a character written as two UTF-16
// units.
void keepLast(QString &text, qsizetype limit)
{
    if (text.size() <= limit)
        return;
    qsizetype cut = text.size() - limit;
    if (text.at(cut).isLowSurrogate())
        ++cut;
    text.remove(0, cut);
}

bool containsAny(const QString &text, std::initializer_list<QLatin1StringView> phrases)
{
    return std::ranges::any_of(phrases, [&text](QLatin1StringView phrase) { return text.contains(phrase); });
}

// True while the approval request or a "Waiting for confirmation..." line is
// the last thing SteamCMD said. A chunk may end part-way into the next wait
// line; anything else after them ("OK", the next step) ends the wait.
bool approvalIsLatest(const QString &recent)
{
    const QList<QStringView> lines = QStringView(recent).split(u'\n');
    for (qsizetype index = lines.size() - 1; index >= 0; --index) {
        const QStringView line = lines.at(index).trimmed();
        if (line.isEmpty())
            continue;
        const bool unfinishedWait =
            index == lines.size() - 1 && line.size() < approvalWait.size() && approvalWait.startsWith(line);
        if (unfinishedWait)
            continue;
        qsizetype end = line.size();
        while (end > 0 && (line.at(end - 1) == u'.' || line.at(end - 1) == u'…'))
            --end;
        return line.contains(approvalRequest) || line.first(end).endsWith(approvalWait);
    }
    return false;
}

// An overlong figure reads as infinite and is still a figure.
std::optional<double> decimal(const QString &digits)
{
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (ok || std::isinf(value))
        return value;
    return std::nullopt;
}

} // namespace

SteamConsole::SteamConsole(QString opening)
    : m_transcript(std::move(opening))
{}

SteamOutputEffect SteamConsole::consume(const QString &text)
{
    const QString chunk = withoutControlSequences(text);
    m_transcript += chunk;
    keepLast(m_transcript, transcriptLimit);
    m_parseBuffer += chunk;
    keepLast(m_parseBuffer, parseBufferLimit);
    return decide(chunk);
}

void SteamConsole::clearParseBuffer()
{
    m_parseBuffer.clear();
    m_awaitsApproval = false;
}

QString SteamConsole::withoutControlSequences(const QString &text)
{
    static const QRegularExpression sequence(QStringLiteral("\x1B\\[[0-9;?]*[ -/]*[@-~]"));
    static const QRegularExpression unfinished(QStringLiteral("\\A\x1B(?:\\[[0-9;?]*[ -/]*)?\\z"));
    QString joined = std::exchange(m_unfinishedSequence, {}) + text;
    const qsizetype lastEscape = joined.lastIndexOf(QChar(0x1B));
    if (lastEscape >= 0 && joined.size() - lastEscape <= longestHeldSequence
        && unfinished.match(joined.mid(lastEscape)).hasMatch()) {
        m_unfinishedSequence = joined.mid(lastEscape);
        joined.truncate(lastEscape);
    }
    return joined.remove(sequence);
}

// The recent output decides the phase, so a prompt keeps deciding it until
// a credential answers it; the first rule that matches wins.
SteamOutputEffect SteamConsole::decide(const QString &chunk)
{
    const QString recent = m_parseBuffer.toLower();
    rememberFailure(recent);
    const bool awaitedApproval = std::exchange(m_awaitsApproval, false);
    if (containsAny(recent, {QLatin1StringView("invalid password"), QLatin1StringView("login failure")}))
        return {SteamSessionPhase::failed(
                    QStringLiteral("Steam rejected the sign-in. Check the account name and password, then retry.")),
                {}};
    m_awaitsApproval = approvalIsLatest(recent);
    if (m_awaitsApproval
        || containsAny(recent, {QLatin1StringView("steam guard code"), QLatin1StringView("two-factor code"),
                                QLatin1StringView("two factor code"), QLatin1StringView("enter the current code")}))
        return {SteamSessionPhase::Kind::guardCode, {}};
    if (containsAny(recent, {QLatin1StringView("password:"), QLatin1StringView("enter your password")}))
        return {SteamSessionPhase::Kind::password, {}};

    SteamOutputEffect effect;
    if (containsAny(recent, {QLatin1StringView("validating"), QLatin1StringView("verifying"),
                             QLatin1StringView("fully installed")}))
        effect.phase = SteamSessionPhase::Kind::validating;
    else if (containsAny(recent, {QLatin1StringView("downloading"), QLatin1StringView("update state (0x61)")}))
        effect.phase = SteamSessionPhase::Kind::downloading;
    else if (awaitedApproval)
        // Approved on the phone: SteamCMD goes on signing in.
        effect.phase = SteamSessionPhase::Kind::connecting;
    effect.progress = steamProgress(chunk);
    if (effect.progress && *effect.progress < 1.0)
        effect.phase = SteamSessionPhase::Kind::downloading;
    return effect;
}

void SteamConsole::rememberFailure(const QString &recent)
{
    static const QRegularExpression unwritableState(QStringLiteral("state is 0x(?:202|602|606) after update job"));
    if (recent.contains(QLatin1StringView("(no subscription)")))
        m_reportedFailure = SteamReportedFailure::noSubscription;
    else if (unwritableState.match(recent).hasMatch())
        m_reportedFailure = SteamReportedFailure::diskNotWritable;
}

std::optional<double> steamProgress(const QString &text)
{
    // A percentage never starts right after a digit: the match that does
    // would also start one digit earlier. Saying so keeps a long run of
    // digits from being searched once for every digit in it.
    static const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral("progress:\\s*([0-9]+(?:\\.[0-9]+)?)"),
                           QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(QStringLiteral("(?<![0-9])([0-9]+(?:\\.[0-9]+)?)\\s*%"),
                           QRegularExpression::CaseInsensitiveOption),
    };
    for (const QRegularExpression &pattern : patterns) {
        QRegularExpressionMatch last;
        for (QRegularExpressionMatchIterator matches = pattern.globalMatch(text); matches.hasNext();)
            last = matches.next();
        if (!last.hasMatch())
            continue;
        if (const std::optional<double> percent = decimal(last.captured(1)))
            return std::clamp(*percent / 100.0, 0.0, 1.0);
    }
    return std::nullopt;
}
