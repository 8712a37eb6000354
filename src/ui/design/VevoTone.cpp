#include "ui/design/VevoTone.h"

#include "ui/design/VevoColors.h"

namespace Vevo {

const VevoRole &ink(VevoTone tone)
{
    switch (tone) {
    case VevoTone::accent:
        return liveInk;
    case VevoTone::ok:
        return okInk;
    case VevoTone::warn:
        return warn;
    case VevoTone::danger:
        return danger;
    case VevoTone::info:
        return info;
    case VevoTone::neutral:
        break;
    }
    return textMuted;
}

const VevoRole &wash(VevoTone tone)
{
    switch (tone) {
    case VevoTone::accent:
        return liveWash;
    case VevoTone::ok:
        return okWash;
    case VevoTone::warn:
        return warnWash;
    case VevoTone::danger:
        return dangerWash;
    case VevoTone::info:
        return infoWash;
    case VevoTone::neutral:
        break;
    }
    return fill;
}

} // namespace Vevo
