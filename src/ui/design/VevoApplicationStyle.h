#pragma once

class VevoAppearance;

namespace Vevo {

// Dresses the standard widgets Tarnhold still uses (menus, message boxes,
// scroll bars, tooltips) in the design's font and colours, and keeps their
// colours following the appearance. Inter is the interface font where it is
// installed, except on macOS, which keeps its system font.
void styleApplication(VevoAppearance &appearance);

} // namespace Vevo
