#pragma once

#include "setup/SteamRunEnd.h"
#include "setup/SteamSessionPhase.h"

#include <QString>

#include <optional>

// What one chunk of SteamCMD's output changes in the session.
struct SteamOutputEffect
{
    std::optional<SteamSessionPhase> phase;
    std::optional<double> progress;
};

// SteamCMD's console as Tarnhold reads it: the transcript the user sees, the
// recent output its prompts are recognised in, and what it said about a
// failure. Output arrives in chunks cut at any point, prompts without a line
// feed.
class SteamConsole final
{
public:
    static constexpr qsizetype transcriptLimit = 16000;
    static constexpr qsizetype parseBufferLimit = 2000;

    // The transcript starts with opening; output follows it.
    explicit SteamConsole(QString opening = {});

    // Takes the next chunk and says what it changes.
    SteamOutputEffect consume(const QString &text);
    // A credential answered the prompt in the recent output, which must
    // not ask for it again.
    void clearParseBuffer();

    const QString &transcript() const { return m_transcript; }
    const QString &parseBuffer() const { return m_parseBuffer; }
    // SteamCMD waits for the sign-in to be approved on the phone and has
    // said nothing else since; there is no code to type.
    bool awaitsApproval() const { return m_awaitsApproval; }
    std::optional<SteamReportedFailure> reportedFailure() const { return m_reportedFailure; }

private:
    QString withoutControlSequences(const QString &text);
    SteamOutputEffect decide(const QString &chunk);
    void rememberFailure(const QString &recent);

    QString m_transcript;
    QString m_parseBuffer;
    // A control sequence cut off at the end of a chunk, kept until its end
    // arrives so no part of it reaches the transcript.
    QString m_unfinishedSequence;
    bool m_awaitsApproval = false;
    std::optional<SteamReportedFailure> m_reportedFailure;
};

// The progress fraction console text reports, 0 to 1: the last figure after
// "progress:", else the last percentage; absent when it has neither.
std::optional<double> steamProgress(const QString &text);
