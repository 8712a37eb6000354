#pragma once

#include <QWidget>

class BusyOverlay;
class SectionPlaceholder;
class Sidebar;
class TarnholdModel;
class VevoAnimation;
class VevoAppearance;

// The window's content: the sidebar (an icon rail in narrow windows), the
// selected section beside it, and the busy overlay above both.
class ContentView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContentView)

public:
    // The detail area never gets narrower than this.
    static constexpr int detailMinimumWidth = 520;

    ContentView(TarnholdModel &model, VevoAppearance &appearance, QWidget *parent = nullptr);
    ~ContentView() override;

    // Follows the window into and out of full screen.
    void setFullScreen(bool fullScreen);
    Sidebar *sidebar() const { return m_sidebar; }
    BusyOverlay *overlay() const { return m_overlay; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void followWidth();

    VevoAppearance &m_appearance;
    Sidebar *m_sidebar;
    SectionPlaceholder *m_detail;
    BusyOverlay *m_overlay;
    VevoAnimation *m_sidebarWidth = nullptr;
};
