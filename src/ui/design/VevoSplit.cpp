#include "ui/design/VevoSplit.h"

#include "ui/design/VevoLayoutItem.h"
#include "ui/design/VevoMetrics.h"

#include <QtDebug>

VevoSplit::VevoSplit(QWidget *parent)
    : QLayout(parent)
{
    setSpacing(Vevo::Space::xl);
}

VevoSplit::~VevoSplit()
{
    qDeleteAll(m_items);
}

void VevoSplit::setMinLeading(int minLeading)
{
    m_minLeading = minLeading;
    invalidate();
}

void VevoSplit::setVerticalAlignment(Qt::Alignment alignment)
{
    m_verticalAlignment = alignment & Qt::AlignVertical_Mask;
    invalidate();
}

void VevoSplit::addItem(QLayoutItem *item)
{
    if (m_items.size() == 2) {
        qWarning("VevoSplit holds a leading and a trailing item only; ignoring another");
        delete item;
        return;
    }
    m_items.append(item);
    invalidate();
}

QLayoutItem *VevoSplit::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

int VevoSplit::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize VevoSplit::sizeHint() const
{
    const QList<QLayoutItem *> items = shownItems();
    QSize size(0, 0);
    if (items.size() == 2) {
        const QSize leading = items.first()->sizeHint();
        const QSize trailing = items.last()->sizeHint();
        size = QSize(std::max(leading.width(), m_minLeading) + std::max(0, spacing()) + trailing.width(),
                     std::max(leading.height(), trailing.height()));
    } else if (items.size() == 1) {
        size = items.first()->sizeHint();
    }
    return size.grownBy(contentsMargins());
}

QSize VevoSplit::minimumSize() const
{
    // Stacked, each column only needs its own minimum width.
    QSize size(0, 0);
    for (const QLayoutItem *item : shownItems())
        size = size.expandedTo(item->minimumSize());
    return size.grownBy(contentsMargins());
}

void VevoSplit::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int VevoSplit::arrange(const QRect &rect, bool apply) const
{
    const QMargins margins = contentsMargins();
    const QRect area = rect.marginsRemoved(margins);
    const QList<QLayoutItem *> items = shownItems();
    const int gap = std::max(0, spacing());
    int height = 0;
    if (items.size() == 2 && area.width() >= m_minLeading + gap + items.last()->minimumSize().width()) {
        QLayoutItem *leading = items.first();
        QLayoutItem *trailing = items.last();
        // Even halves, except that the leading column keeps minLeading and a
        // trailing column that cannot grow (a fixed side panel) leaves the
        // rest to the leading one.
        const int room = area.width() - gap;
        const int share = room - std::max(m_minLeading, room - room / 2);
        const int trailingWidth =
            std::max(trailing->minimumSize().width(), std::min(share, trailing->maximumSize().width()));
        const int leadingWidth = room - trailingWidth;
        const int leadingHeight = Vevo::itemHeight(*leading, leadingWidth);
        const int trailingHeight = Vevo::itemHeight(*trailing, trailingWidth);
        height = std::max(leadingHeight, trailingHeight);
        if (apply) {
            const auto top = [&](int itemHeight) {
                if (m_verticalAlignment & Qt::AlignBottom)
                    return area.y() + height - itemHeight;
                if (m_verticalAlignment & Qt::AlignVCenter)
                    return area.y() + (height - itemHeight) / 2;
                return area.y();
            };
            leading->setGeometry(QRect(area.x(), top(leadingHeight), leadingWidth, leadingHeight));
            trailing->setGeometry(
                QRect(area.x() + leadingWidth + gap, top(trailingHeight), trailingWidth, trailingHeight));
        }
    } else {
        for (QLayoutItem *item : items) {
            const int itemHeight = Vevo::itemHeight(*item, area.width());
            if (apply)
                item->setGeometry(QRect(area.x(), area.y() + height, area.width(), itemHeight));
            height += itemHeight + gap;
        }
        height = std::max(0, height - gap);
    }
    return height + margins.top() + margins.bottom();
}

QList<QLayoutItem *> VevoSplit::shownItems() const
{
    QList<QLayoutItem *> items;
    for (QLayoutItem *item : m_items) {
        if (!item->isEmpty())
            items.append(item);
    }
    return items;
}
