#pragma once

#include <QWidget>

class VevoAppearance;
class VevoInfoLine;

// A setting: its title and detail on the left, the control that changes it
// on the right. The texts give way (eliding) before the control does.
class VevoSettingRow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoSettingRow)

public:
    VevoSettingRow(VevoAppearance &appearance, const QString &title, const QString &detail, QWidget *accessory,
                   QWidget *parent = nullptr);
    ~VevoSettingRow() override;

    VevoInfoLine *texts() const { return m_texts; }
    QWidget *accessory() const { return m_accessory; }

private:
    VevoInfoLine *m_texts;
    QWidget *m_accessory;
};
