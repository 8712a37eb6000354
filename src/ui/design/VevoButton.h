#pragma once

#include "ui/design/VevoMetrics.h"

#include <QAbstractButton>

class VevoAnimation;
class VevoAppearance;
struct VevoRole;

enum class VevoButtonKind { primary, secondary, outline, ghost, destructive, dangerQuiet };

// A push button drawn by kind and size. Pressing shrinks it slightly and
// releasing springs it back, unless the system asks for reduced motion.
class VevoButton final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoButton)

public:
    VevoButton(VevoAppearance &appearance, const QString &title, VevoButtonKind kind = VevoButtonKind::secondary,
               VevoControlSize size = VevoControlSize::md, QWidget *parent = nullptr);
    ~VevoButton() override;

    VevoButtonKind kind() const { return m_kind; }
    void setKind(VevoButtonKind kind);
    VevoControlSize controlSize() const { return m_size; }
    void setControlSize(VevoControlSize size);
    // A full-width button takes all the room its layout offers.
    bool isFullWidth() const { return m_fullWidth; }
    void setFullWidth(bool fullWidth);
    // Icons before and after the title, by symbol name; empty for none.
    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    QString trailingSymbol() const { return m_trailingSymbol; }
    void setTrailingSymbol(const QString &symbol);

    // The scale the button is drawn at: 1 at rest, smaller while pressed.
    double pressScale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void animatePress(bool pressed);
    QFont labelFont() const;
    int iconSize() const;
    // The width the icons and the gaps beside them take from the title.
    int iconRoom() const;
    // Hovered or held down, and enabled.
    bool isActive() const;
    const VevoRole *background() const;
    const VevoRole &foreground() const;
    const VevoRole *border() const;

    VevoAppearance &m_appearance;
    VevoAnimation *m_press;
    VevoButtonKind m_kind;
    VevoControlSize m_size;
    QString m_symbol;
    QString m_trailingSymbol;
    bool m_fullWidth = false;
};
