#pragma once

#include <QString>

// The state of one SteamCMD run. Only `failed` carries a text: the sentence
// the Steam card shows.
class SteamSessionPhase final
{
public:
    enum class Kind { failed, idle, connecting, password, guardCode, downloading, validating, complete };

    SteamSessionPhase(Kind kind = Kind::idle)
        : m_kind(kind)
    {}
    static SteamSessionPhase failed(QString text) { return SteamSessionPhase(Kind::failed, std::move(text)); }

    Kind kind() const { return m_kind; }
    const QString &failureText() const { return m_failureText; }

    bool operator==(const SteamSessionPhase &) const = default;

private:
    SteamSessionPhase(Kind kind, QString text)
        : m_kind(kind)
        , m_failureText(std::move(text))
    {}

    Kind m_kind;
    QString m_failureText;
};
