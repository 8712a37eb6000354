#pragma once

#include <QWidget>

class VevoAppearance;
class VevoText;

// A small capitals label above a group, with an optional widget at its right.
class VevoSectionLabel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoSectionLabel)

public:
    VevoSectionLabel(VevoAppearance &appearance, const QString &text, QWidget *trailing = nullptr,
                     QWidget *parent = nullptr);
    ~VevoSectionLabel() override;

    VevoText *label() const { return m_label; }

private:
    VevoText *m_label;
};
