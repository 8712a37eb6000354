#include "setup/SteamAccount.h"

#include <QList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

constexpr qsizetype longestName = 64;

// Counted as a person reads them, so a letter written with a combining mark
// counts once.
qsizetype characterCount(const QString &text)
{
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (boundaries.toNextBoundary() != -1)
        ++count;
    return count;
}

bool isAccountCharacter(char32_t character)
{
    return QChar::isLetterOrNumber(character) || QChar::isMark(character) || character == U'_';
}

} // namespace

SteamAccountCheck checkSteamAccount(const QString &typed, const QString &emptyNameRefusal)
{
    SteamAccountCheck check{typed.trimmed(), {}};
    const QList<uint> characters = check.name.toUcs4();
    if (check.name.isEmpty())
        check.refusal = emptyNameRefusal;
    else if (characterCount(check.name) > longestName || !std::ranges::all_of(characters, isAccountCharacter))
        check.refusal = QStringLiteral("Steam account names may contain letters, numbers and underscores only.");
    return check;
}
