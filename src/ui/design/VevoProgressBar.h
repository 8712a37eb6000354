#pragma once

#include "ui/design/VevoAccessible.h"

#include <QWidget>

class VevoLoop;
class VevoAppearance;

// A rounded progress track. Determinate bars fill to their progress;
// indeterminate ones sweep a segment back and forth, or hold it still when
// the system asks for reduced motion.
class VevoProgressBar final : public QWidget, public VevoAccessibleValue
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoProgressBar)

public:
    explicit VevoProgressBar(VevoAppearance &appearance, QWidget *parent = nullptr);
    ~VevoProgressBar() override;

    double progress() const { return m_progress; }
    // Clamped to 0..1; anything that is not a number counts as 0.
    void setProgress(double progress);
    bool isIndeterminate() const { return m_indeterminate; }
    void setIndeterminate(bool indeterminate);
    int barHeight() const { return m_barHeight; }
    void setBarHeight(int height);

    bool isAnimating() const;

    QAccessible::Role accessibleRole() const override { return QAccessible::ProgressBar; }
    QString accessibleValue() const override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void announceValue();

    VevoAppearance &m_appearance;
    VevoLoop *m_sweep;
    double m_progress = 0;
    bool m_indeterminate = false;
    int m_barHeight = 6;
};
