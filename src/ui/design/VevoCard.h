#pragma once

#include "ui/design/VevoMetrics.h"
#include "ui/design/VevoTone.h"

#include <QWidget>

class QVBoxLayout;
class VevoAppearance;

// What a card is drawn on: a wash of a tone, a surface raised above the
// canvas, or a well sunk into it.
enum class VevoSurface { tinted, raised, well };

// A panel with the panel radius holding a column of widgets.
class VevoCard final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoCard)

public:
    explicit VevoCard(VevoAppearance &appearance, VevoSurface surface = VevoSurface::raised,
                      int padding = Vevo::Space::lg, QWidget *parent = nullptr);
    ~VevoCard() override;

    VevoSurface surface() const { return m_surface; }
    void setSurface(VevoSurface surface, VevoTone tone = VevoTone::accent);
    QVBoxLayout *column() const { return m_column; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    VevoAppearance &m_appearance;
    QVBoxLayout *m_column;
    VevoSurface m_surface;
    VevoTone m_tone = VevoTone::accent;
};
