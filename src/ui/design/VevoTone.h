#pragma once

#include "ui/design/VevoRole.h"

// The meaning a control's colour carries.
enum class VevoTone { accent, ok, warn, danger, info, neutral };

namespace Vevo {

// The colour for text, icons and dots of a tone, and the translucent wash
// behind them.
const VevoRole &ink(VevoTone tone);
const VevoRole &wash(VevoTone tone);

} // namespace Vevo
