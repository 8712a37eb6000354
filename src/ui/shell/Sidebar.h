#pragma once

#include <QWidget>

#include <array>

class TarnholdModel;
class SidebarItem;
class VevoAppearance;
class VevoStatusDot;
class VevoText;
class QHBoxLayout;
class QVBoxLayout;

// The navigation column: the brand, one item per section and the status of
// the installation. Collapsed, it is an icon rail.
class Sidebar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Sidebar)

public:
    // The column's two widths.
    static constexpr int railWidth = 68;
    static constexpr int sidebarWidth = 232;

    Sidebar(TarnholdModel &model, VevoAppearance &appearance, QWidget *parent = nullptr);
    ~Sidebar() override;

    bool isCollapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed);
    // Room left free at the top for the window controls of the title bar.
    void setFullScreen(bool fullScreen);
    int topInset() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *createBrandBlock(VevoAppearance &appearance);
    QWidget *createStatusFooter(VevoAppearance &appearance);
    void updateStatus();
    void updateSelection();
    void updateMargins();

    TarnholdModel &m_model;
    VevoAppearance &m_appearance;
    QVBoxLayout *m_column;
    QHBoxLayout *m_brandRow = nullptr;
    QVBoxLayout *m_footerColumn = nullptr;
    std::array<SidebarItem *, 5> m_items{};
    QList<QWidget *> m_titles;
    VevoStatusDot *m_statusDot = nullptr;
    VevoText *m_statusLine = nullptr;
    bool m_collapsed = false;
    bool m_fullScreen = false;
};
