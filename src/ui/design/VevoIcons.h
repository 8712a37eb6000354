#pragma once

#include <QString>

class QColor;
class QPainter;
class QRectF;

// The icons the screens ask for by symbol name, and Tarnhold's brand mark,
// drawn as vectors so they stay sharp at any size and pixel density.
namespace Vevo {

// True when the symbol name has an icon.
bool hasIcon(const QString &symbol);
// Draws the symbol's icon into the rectangle in the given colour, alpha
// included (a translucent colour or painter blends the icon as a whole).
// Unknown symbols draw nothing.
void paintIcon(QPainter &painter, const QRectF &rect, const QString &symbol, const QColor &color);
// Draws the brand mark, a square badge, into the rectangle.
void paintBrandMark(QPainter &painter, const QRectF &rect);

} // namespace Vevo
