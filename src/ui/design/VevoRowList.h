#pragma once

#include <QWidget>

class QVBoxLayout;
class VevoAppearance;

// A hairline between rows.
class VevoDivider final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoDivider)

public:
    explicit VevoDivider(VevoAppearance &appearance, QWidget *parent = nullptr);
    ~VevoDivider() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    VevoAppearance &m_appearance;
};

// Rows stacked in a column with a divider between each two.
class VevoRowList final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VevoRowList)

public:
    explicit VevoRowList(VevoAppearance &appearance, QWidget *parent = nullptr);
    ~VevoRowList() override;

    void addRow(QWidget *row);
    int rowCount() const { return m_rows; }

private:
    VevoAppearance &m_appearance;
    QVBoxLayout *m_column;
    int m_rows = 0;
};
