#include "FuzzRequire.h"
#include "content/RankedMapRelease.h"
#include "content/TransferErrors.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

bool isLowercaseHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
}

// Only the letters A to F count as the capitals of hexadecimal digits.
QChar lowerHexLetter(QChar c)
{
    return c >= u'A' && c <= u'F' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

} // namespace

// GitHub's answer names the commit whose identifier becomes part of folder
// and file names: whatever it holds must give 40 lowercase hexadecimal
// digits, spelling the "sha" it names, or be refused with a sentence for the
// user.
FUZZ_TARGET(bytes)
{
    try {
        const QString commit = decodeGitHubCommit(bytes);
        FUZZ_REQUIRE(commit.size() == 40);
        FUZZ_REQUIRE(std::ranges::all_of(commit, isLowercaseHexDigit));
        const QString named = QJsonDocument::fromJson(bytes).object().value(QLatin1StringView("sha")).toString();
        FUZZ_REQUIRE(named.size() == commit.size());
        FUZZ_REQUIRE(std::ranges::equal(named, commit, {}, lowerHexLetter));
    } catch (const GitHubCommitError &error) {
        FUZZ_REQUIRE(!error.description().isEmpty());
    } catch (const CorruptFileError &error) {
        FUZZ_REQUIRE(!error.description().isEmpty());
    }
}
