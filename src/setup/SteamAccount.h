#pragma once

#include <QString>

// The account name SteamCMD signs in with, or why the typed text cannot be
// one.
struct SteamAccountCheck
{
    // The typed text without white space around it.
    QString name;
    // The sentence that refuses the name; empty when it can be used.
    QString refusal;

    bool isUsable() const { return refusal.isEmpty(); }
};

// Steam login names are at most 64 letters, marks, digits and underscores.
// An empty name is refused with emptyNameRefusal: the embedded download and
// the Terminal fallback ask for the name in words of their own.
SteamAccountCheck checkSteamAccount(const QString &typed, const QString &emptyNameRefusal);
