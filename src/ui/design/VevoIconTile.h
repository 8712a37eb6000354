#pragma once

#include "ui/design/VevoTone.h"

#include <QWidget>

class VevoAppearance;

// An icon in a tone's ink on a rounded square of the tone's wash.
class VevoIconTile final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoIconTile)

public:
    VevoIconTile(VevoAppearance &appearance, const QString &symbol, VevoTone tone, int size = 32,
                 QWidget *parent = nullptr);
    ~VevoIconTile() override;

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    VevoTone tone() const { return m_tone; }
    void setTone(VevoTone tone);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    VevoAppearance &m_appearance;
    QString m_symbol;
    VevoTone m_tone;
};
