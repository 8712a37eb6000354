#include "FuzzRequire.h"
#include "content/RankedMapRelease.h"
#include "content/TransferErrors.h"

#include <algorithm>

// GitHub's answer names the commit whose identifier becomes part of folder
// and file names: whatever it holds must give 40 lowercase hexadecimal
// digits or be refused with a sentence for the user.
FUZZ_TARGET(bytes)
{
    try {
        const QString commit = decodeGitHubCommit(bytes);
        FUZZ_REQUIRE(commit.size() == 40);
        FUZZ_REQUIRE(
            std::ranges::all_of(commit, [](QChar c) { return QStringLiteral("0123456789abcdef").contains(c); }));
    } catch (const GitHubCommitError &error) {
        FUZZ_REQUIRE(!error.description().isEmpty());
    } catch (const CorruptFileError &error) {
        FUZZ_REQUIRE(!error.description().isEmpty());
    }
}
