#pragma once

#include "app/AppSection.h"

#include <QAbstractButton>

class VevoAppearance;

// One section in the sidebar: its icon and title, or the icon alone in the
// rail. The selected item is highlighted; the Updates item can carry a badge.
class SidebarItem final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SidebarItem)

public:
    SidebarItem(VevoAppearance &appearance, AppSection section, QWidget *parent = nullptr);
    ~SidebarItem() override;

    AppSection section() const { return m_section; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    bool isCollapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed);
    bool hasBadge() const { return m_badge; }
    void setBadge(bool badge);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateAccessibleName();
    void paintBadge(QPainter &painter, const QRectF &icon);

    VevoAppearance &m_appearance;
    AppSection m_section;
    bool m_selected = false;
    bool m_collapsed = false;
    bool m_badge = false;
};
