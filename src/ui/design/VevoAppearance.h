#pragma once

#include "ui/design/VevoRole.h"

#include <QObject>

class Platform;

// Whether the interface is drawn dark or light, and whether it may animate.
// Follows the system: whenever the application palette changes (which is
// how a change of theme reaches Qt 6.4 on macOS) or the platform reports a
// change of its own, it asks the platform again and announces a new scheme
// so widgets repaint with it, or a new motion preference so loops stop or
// start.
class VevoAppearance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoAppearance)

public:
    // The platform must outlive the appearance; only one appearance at a
    // time watches it.
    explicit VevoAppearance(Platform &platform, QObject *parent = nullptr);
    ~VevoAppearance() override;

    VevoScheme scheme() const { return m_scheme; }
    QColor color(const VevoRole &role) const { return role.color(m_scheme); }
    bool reducedMotion() const { return m_reducedMotion; }

    // Asks the platform for the current preferences; emits schemeChanged or
    // reducedMotionChanged for each that differs from the one in effect.
    void refresh();

    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    void schemeChanged(VevoScheme scheme);
    void reducedMotionChanged(bool reducedMotion);

private:
    Platform &m_platform;
    VevoScheme m_scheme;
    bool m_reducedMotion;
};
