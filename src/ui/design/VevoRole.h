#pragma once

#include "ui/design/OKLCH.h"

// The appearance a colour is drawn for.
enum class VevoScheme { dark, light };

// A colour role: one value for each appearance. Widgets keep the role, not
// the colour, and resolve it whenever they paint, so a change of appearance
// only needs a repaint.
struct VevoRole
{
    OKLCH dark;
    OKLCH light;

    constexpr const OKLCH &resolved(VevoScheme scheme) const { return scheme == VevoScheme::dark ? dark : light; }
    QColor color(VevoScheme scheme) const { return resolved(scheme).toColor(); }
};
