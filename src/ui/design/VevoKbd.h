#pragma once

#include <QWidget>

class VevoAppearance;

// A keyboard key as shown in shortcut hints ("⌘", "Return").
class VevoKbd final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoKbd)

public:
    VevoKbd(VevoAppearance &appearance, const QString &text, QWidget *parent = nullptr);
    ~VevoKbd() override;

    QString text() const { return m_text; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont keyFont() const;

    VevoAppearance &m_appearance;
    QString m_text;
};
