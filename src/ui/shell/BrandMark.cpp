#include "ui/shell/BrandMark.h"

#include "ui/design/VevoIcons.h"

#include <QPainter>

BrandMark::BrandMark(int size, QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(size, size);
}

BrandMark::~BrandMark() = default;

void BrandMark::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Vevo::paintBrandMark(painter, rect());
}
