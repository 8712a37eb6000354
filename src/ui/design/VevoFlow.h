#pragma once

#include <QLayout>

// Items left to right at their preferred sizes, wrapping to a new row when
// the next one would overflow. Items in a row share its vertical centre. An
// item wider than the whole row gets a row of its own and is narrowed to fit.
class VevoFlow final : public QLayout
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoFlow)

public:
    explicit VevoFlow(QWidget *parent = nullptr);
    ~VevoFlow() override;

    // spacing() separates the items within a row; this separates the rows.
    int rowSpacing() const { return m_rowSpacing; }
    void setRowSpacing(int rowSpacing);

    void addItem(QLayoutItem *item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem *itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Lays the items out in rect when asked to, and returns the height used.
    int arrange(const QRect &rect, bool apply) const;

    QList<QLayoutItem *> m_items;
    int m_rowSpacing;
};
