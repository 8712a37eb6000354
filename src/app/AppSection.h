#pragma once

#include <QString>

#include <array>

// The sidebar sections, in the order they are listed and numbered.
enum class AppSection { home, setup, maps, updates, settings };

inline constexpr std::array allAppSections{AppSection::home, AppSection::setup, AppSection::maps, AppSection::updates,
                                           AppSection::settings};

QString title(AppSection section);
