#pragma once

#include <QWidget>

// Velmora's mark at a fixed square size.
class BrandMark final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrandMark)

public:
    explicit BrandMark(int size, QWidget *parent = nullptr);
    ~BrandMark() override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
