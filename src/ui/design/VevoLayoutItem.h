#pragma once

#include <QLayoutItem>

#include <algorithm>

namespace Vevo {

// The height a layout item takes at a width: what it needs there when its
// height follows its width, else its preferred height, within its limits.
inline int itemHeight(const QLayoutItem &item, int width)
{
    const int wanted = item.hasHeightForWidth() ? item.heightForWidth(width) : item.sizeHint().height();
    return std::max(item.minimumSize().height(), std::min(wanted, item.maximumSize().height()));
}

} // namespace Vevo
