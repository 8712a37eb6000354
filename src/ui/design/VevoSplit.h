#pragma once

#include <QLayout>

// Two columns side by side: the first item added leads, the second trails.
// They share the width evenly, except that the leading column never gets
// less than minLeading; the trailing one takes the rest. When the room is
// too small for minLeading, the spacing and the trailing column's minimum,
// the trailing column moves below the leading one and both take the full
// width, rather than squeezing either into an unreadable sliver.
class VevoSplit final : public QLayout
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoSplit)

public:
    static constexpr int defaultMinLeading = 320;

    explicit VevoSplit(QWidget *parent = nullptr);
    ~VevoSplit() override;

    int minLeading() const { return m_minLeading; }
    void setMinLeading(int minLeading);
    // How the shorter column lines up against the taller one: AlignTop,
    // AlignVCenter or AlignBottom.
    Qt::Alignment verticalAlignment() const { return m_verticalAlignment; }
    void setVerticalAlignment(Qt::Alignment alignment);

    void addItem(QLayoutItem *item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem *itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Lays the items out in rect when asked to, and returns the height used.
    int arrange(const QRect &rect, bool apply) const;
    QList<QLayoutItem *> shownItems() const;

    QList<QLayoutItem *> m_items;
    int m_minLeading = defaultMinLeading;
    Qt::Alignment m_verticalAlignment = Qt::AlignTop;
};
