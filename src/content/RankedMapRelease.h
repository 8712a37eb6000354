#pragma once

#include "base/UserFacingError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The ranked maps' repository publishes its maps in release folders; these
// helpers pick the maps Tarnhold installs out of an unpacked copy of it.

// The release folders below "release", the newest sets first: where a map
// is in several, the first one wins.
QStringList rankedMapReleaseDirectories();

// Holiday, casino and similar novelty maps are not part of the ranked pool.
bool isExcludedRankedMap(const QString &name);

// An answer of GitHub's commit endpoint that names no commit.
class GitHubCommitError final : public UserFacingError
{
public:
    GitHubCommitError()
        : UserFacingError(QStringLiteral("The data couldn’t be read because it isn’t in the correct format."))
    {}
};

// The commit identifier of GitHub's answer for one commit, lowercased. Throws
// GitHubCommitError when the answer is not a JSON object with a text "sha",
// and CorruptFileError when that text is not 40 hexadecimal digits: it
// becomes part of folder and file names.
QString decodeGitHubCommit(const QByteArray &answer);

// The first folder named exactly name (letter case counts) in a depth-first
// walk below root that skips hidden items and linked folders; absent when
// nothing matches or root cannot be read.
std::optional<QString> findDirectory(const QString &name, const QString &root);

// How many map folders sit directly in folder; absent when it cannot be
// listed.
std::optional<qint64> countMapFolders(const QString &folder);

// The map folders to install from an unpacked release folder, in release
// folder order and then listing order: excluded maps left out, and of maps
// whose names differ at most in letter case only the first. Absent when a
// release folder that exists cannot be listed.
std::optional<QStringList> selectRankedMaps(const QString &release);
