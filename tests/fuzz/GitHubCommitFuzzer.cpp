#include "FuzzRequire.h"
#include "base/UserFacingError.h"
#include "content/RankedMapRelease.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

// GitHub's answer names the commit whose identifier becomes part of folder
// and file names: whatever it holds must give 40 lowercase hexadecimal
// digits, spelling the "sha" it names, or be refused with a sentence for the
// user. (No character but A to F lowercases to a hexadecimal digit.)
FUZZ_TARGET(bytes)
{
    try {
        const QString commit = decodeGitHubCommit(bytes);
        FUZZ_REQUIRE(QRegularExpression(QStringLiteral("^[0-9a-f]{40}$")).match(commit).hasMatch());
        FUZZ_REQUIRE(QJsonDocument::fromJson(bytes).object().value(QLatin1StringView("sha")).toString().toLower()
                     == commit);
    } catch (const UserFacingError &error) {
        FUZZ_REQUIRE(!error.description().isEmpty());
    }
}
