#pragma once

#include "ui/design/VevoAccessible.h"

#include <QWidget>

class VevoAppearance;

// A section whose header (chevron, optional icon, title, optional subtitle)
// shows or hides the content below it. Clicking the header, Space or Return toggles it.
class VevoDisclosure final : public QWidget, public VevoAccessibleValue
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoDisclosure)

public:
    // Takes ownership of the content.
    VevoDisclosure(VevoAppearance &appearance, const QString &title, QWidget *content, QWidget *parent = nullptr);
    ~VevoDisclosure() override;

    QString title() const { return m_title; }
    QString subtitle() const { return m_subtitle; }
    void setSubtitle(const QString &subtitle);
    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    QWidget *content() const { return m_content; }
    bool isExpanded() const { return m_expanded; }
    void setExpanded(bool expanded);
    void toggle() { setExpanded(!m_expanded); }

    QAccessible::Role accessibleRole() const override { return QAccessible::Button; }
    QString accessibleValue() const override;

    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void expandedChanged(bool expanded);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int headerHeight() const;
    // Where the title begins: after the chevron, and after the icon if any.
    int titleStart() const;
    void placeContent();
    QFont titleFont() const;
    QFont subtitleFont() const;

    VevoAppearance &m_appearance;
    QString m_title;
    QString m_subtitle;
    QString m_symbol;
    QWidget *m_content;
    bool m_expanded = false;
};
