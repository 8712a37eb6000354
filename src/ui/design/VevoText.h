#pragma once

#include <QWidget>

class VevoAppearance;
struct VevoRole;

// A run of text in a colour role. A single line elides with "…" when the
// room runs out rather than overflowing; a wrapping one grows in height.
class VevoText final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoText)

public:
    VevoText(VevoAppearance &appearance, const QString &text, const VevoRole &role, int pixelSize,
             QFont::Weight weight = QFont::Normal, QWidget *parent = nullptr);
    ~VevoText() override;

    QString text() const { return m_text; }
    void setText(const QString &text);
    void setRole(const VevoRole &role);
    bool isWrapping() const { return m_wrapping; }
    void setWrapping(bool wrapping);
    void setHorizontalAlignment(Qt::Alignment alignment);
    // The text as painted at the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return m_wrapping; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    VevoAppearance &m_appearance;
    QString m_text;
    const VevoRole *m_role;
    bool m_wrapping = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};
