#pragma once

#include "ui/design/VevoTone.h"

#include <QWidget>

class VevoAppearance;

// A small capsule with a label in the ink of its tone on the tone's wash,
// optionally led by a dot.
class VevoBadge final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoBadge)

public:
    VevoBadge(VevoAppearance &appearance, const QString &text, VevoTone tone = VevoTone::neutral,
              QWidget *parent = nullptr);
    ~VevoBadge() override;

    QString text() const { return m_text; }
    void setText(const QString &text);
    VevoTone tone() const { return m_tone; }
    void setTone(VevoTone tone);
    bool hasDot() const { return m_dot; }
    void setDot(bool dot);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont labelFont() const;
    // Where the label starts: after the padding, and after the dot if any.
    int labelStart() const;

    VevoAppearance &m_appearance;
    QString m_text;
    VevoTone m_tone;
    bool m_dot = false;
};
