#pragma once

#include <QWidget>

class VevoAppearance;
struct VevoRole;

// One icon, square, in a colour role; follows the appearance.
class VevoSymbol final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoSymbol)

public:
    VevoSymbol(VevoAppearance &appearance, const QString &symbol, const VevoRole &role, int size,
               QWidget *parent = nullptr);
    ~VevoSymbol() override;

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    void setRole(const VevoRole &role);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    VevoAppearance &m_appearance;
    QString m_symbol;
    const VevoRole *m_role;
};
