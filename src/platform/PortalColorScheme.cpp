#include "platform/PortalColorScheme.h"

#include <QRegularExpression>

namespace {

std::optional<ColorScheme> colorScheme(const QRegularExpressionMatch &match)
{
    if (!match.hasMatch())
        return std::nullopt;
    bool number = false;
    const uint value = match.captured(1).toUInt(&number);
    if (!number || value > static_cast<uint>(ColorScheme::light))
        return std::nullopt;
    return static_cast<ColorScheme>(value);
}

} // namespace

std::optional<ColorScheme> parseColorSchemeReply(const QString &output)
{
    // Read wraps the value in a second variant; the newer ReadOne does not.
    static const QRegularExpression reply(QStringLiteral(R"(^\(<{1,2}uint32 (\d)>{1,2},\)\s*$)"));
    return colorScheme(reply.match(output));
}

std::optional<ColorScheme> parseColorSchemeChange(const QString &line)
{
    static const QRegularExpression change(QStringLiteral(
        R"(org\.freedesktop\.portal\.Settings\.SettingChanged \('org\.freedesktop\.appearance', 'color-scheme', <uint32 (\d)>\)\s*$)"));
    return colorScheme(change.match(line));
}
