#pragma once

#include <QString>

#include <optional>

// The desktop's light or dark preference as the freedesktop.org settings
// portal publishes it in "org.freedesktop.appearance color-scheme".
enum class ColorScheme { noPreference = 0, dark = 1, light = 2 };

// The value in what `gdbus call … Settings.Read` prints, for example
// "(<<uint32 1>>,)"; absent when the output holds no known value.
std::optional<ColorScheme> parseColorSchemeReply(const QString &output);

// The new value when a line of `gdbus monitor` announces a change of the
// colour scheme; absent for every other line.
std::optional<ColorScheme> parseColorSchemeChange(const QString &line);
