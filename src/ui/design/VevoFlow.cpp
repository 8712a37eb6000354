#include "ui/design/VevoFlow.h"

#include "ui/design/VevoLayoutItem.h"
#include "ui/design/VevoMetrics.h"

#include <utility>

VevoFlow::VevoFlow(QWidget *parent)
    : QLayout(parent)
    , m_rowSpacing(Vevo::Space::sm)
{
    setSpacing(Vevo::Space::sm);
}

VevoFlow::~VevoFlow()
{
    qDeleteAll(m_items);
}

void VevoFlow::setRowSpacing(int rowSpacing)
{
    m_rowSpacing = rowSpacing;
    invalidate();
}

void VevoFlow::addItem(QLayoutItem *item)
{
    m_items.append(item);
    invalidate();
}

QLayoutItem *VevoFlow::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

int VevoFlow::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize VevoFlow::sizeHint() const
{
    // Everything on one row.
    QSize size(0, 0);
    for (const QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        size = QSize(size.width() + (size.width() > 0 ? spacing() : 0) + hint.width(),
                     std::max(size.height(), hint.height()));
    }
    return size.grownBy(contentsMargins());
}

QSize VevoFlow::minimumSize() const
{
    // One item a row.
    QSize size(0, 0);
    for (const QLayoutItem *item : m_items) {
        if (!item->isEmpty())
            size = size.expandedTo(item->minimumSize());
    }
    return size.grownBy(contentsMargins());
}

void VevoFlow::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int VevoFlow::arrange(const QRect &rect, bool apply) const
{
    const QMargins margins = contentsMargins();
    const QRect area = rect.marginsRemoved(margins);
    const int room = std::max(0, area.width());
    const int gap = std::max(0, spacing());
    // The row being filled, placed once its height is known.
    QList<std::pair<QLayoutItem *, QRect>> row;
    int top = area.y();
    int rowHeight = 0;
    int x = 0;
    const auto finishRow = [&] {
        if (apply) {
            for (const auto &[item, place] : std::as_const(row))
                item->setGeometry(place.translated(area.x(), top + (rowHeight - place.height()) / 2));
        }
        top += rowHeight + m_rowSpacing;
        row.clear();
        rowHeight = 0;
        x = 0;
    };
    for (QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        const int width = std::min(item->sizeHint().width(), room);
        if (!row.isEmpty() && x + width > room)
            finishRow();
        const int height = Vevo::itemHeight(*item, width);
        row.append({item, QRect(x, 0, width, height)});
        rowHeight = std::max(rowHeight, height);
        x += width + gap;
    }
    if (!row.isEmpty())
        finishRow();
    const int used = std::max(0, top - area.y() - m_rowSpacing);
    return used + margins.top() + margins.bottom();
}
