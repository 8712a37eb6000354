#pragma once

#include <QString>

// The logs of a game session: Wine's output of the session in "game.log",
// and copies of earlier sessions' logs kept beside it, never pruned. Each
// throws a UserFacingError at the first step that fails.
namespace SessionLogs {

// Where the running session's Wine output goes.
QString sessionLog();
// The log the online client writes itself.
QString clientLog();

// Copies file into the logs folder as prefix, "-", its modification time
// ("yyyyMMdd-HHmmss", local time) and ".log". An empty file, or one whose
// archive exists already, is left alone; the source is never moved, so an
// unchanged file archived twice leaves one copy.
void archiveLog(const QString &file, const QString &prefix);
// Archives the client's log, when there is one, as "velmora".
void archiveVelmoraLog();
// Before a launch: the client's log archived, and the last session's log
// archived as "launcher" and removed.
void rotateSessionLogs();

} // namespace SessionLogs
