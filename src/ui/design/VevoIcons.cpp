#include "ui/design/VevoIcons.h"

#include <QCache>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <utility>

namespace {

// The symbol names the screens ask for and the Lucide icon drawn for each.
constexpr std::pair<const char *, const char *> iconFiles[] = {
    {"house.fill", "house"},
    {"wrench.and.screwdriver.fill", "wrench"},
    {"wrench.and.screwdriver", "wrench"},
    {"map.fill", "map"},
    {"arrow.triangle.2.circlepath", "refresh-cw"},
    {"slider.horizontal.3", "sliders-horizontal"},
    {"play.fill", "play"},
    {"stop.fill", "square"},
    {"arrow.down.circle", "circle-arrow-down"},
    {"doc.text.magnifyingglass", "file-search"},
    {"checkmark.circle.fill", "circle-check"},
    {"exclamationmark.circle", "circle-alert"},
    {"person", "user"},
    {"lock.shield", "lock-keyhole"},
    {"checkmark.shield", "shield-check"},
    {"magnifyingglass", "search"},
    {"ellipsis", "ellipsis"},
    {"arrow.uturn.backward", "undo-2"},
    {"chevron.right", "chevron-right"},
    {"bolt.horizontal.circle", "zap"},
    {"checkmark", "check"},
    {"shippingbox", "package"},
    {"wineglass", "wine"},
    {"arrow.down.to.line", "hard-drive-download"},
    {"globe", "globe"},
    {"folder", "folder-open"},
};

QString iconPath(const QString &symbol)
{
    for (const auto &[name, file] : iconFiles) {
        if (symbol == QLatin1String(name))
            return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(file));
    }
    return {};
}

// Icons are painted in a handful of role colours, so a renderer per icon and
// colour is parsed once and kept; the bound stops a run of changing colours
// from growing the cache without end.
QSvgRenderer *iconRenderer(const QString &path, QRgb rgb)
{
    static QCache<std::pair<QString, QRgb>, QSvgRenderer> renderers(128);
    const std::pair key(path, rgb);
    if (QSvgRenderer *cached = renderers.object(key))
        return cached;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    // Qt SVG draws currentColor as black, so the colour goes into the text.
    auto *renderer = new QSvgRenderer(file.readAll().replace("currentColor", QColor(rgb).name().toLatin1()));
    renderer->setAspectRatioMode(Qt::KeepAspectRatio);
    renderers.insert(key, renderer);
    return renderer;
}

// Where the strokes of an icon meet they overlap. Drawn one by one at partial
// opacity each overlap would show darker, so a translucent drawing is
// flattened first, in a layer on the device's own pixel grid to stay sharp,
// and blended once.
void render(QPainter &painter, QSvgRenderer &renderer, const QRectF &rect, double opacity)
{
    if (opacity >= 1) {
        renderer.render(&painter, rect);
        return;
    }
    const QTransform device = painter.deviceTransform();
    const QRect pixels = device.mapRect(rect).toAlignedRect();
    if (pixels.isEmpty())
        return;
    QImage layer(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter flattened(&layer);
        flattened.setTransform(device * QTransform::fromTranslate(-pixels.left(), -pixels.top()));
        renderer.render(&flattened, rect);
    }
    // Lay the layer on the device pixel for pixel, whatever part of the
    // device transform the painter keeps outside its world transform.
    const QTransform beyondWorld = painter.worldTransform().inverted() * device;
    painter.save();
    painter.setWorldTransform(QTransform::fromTranslate(pixels.left(), pixels.top()) * beyondWorld.inverted());
    painter.setOpacity(opacity);
    painter.drawImage(QPointF(0, 0), layer);
    painter.restore();
}

} // namespace

namespace Vevo {

bool hasIcon(const QString &symbol)
{
    return !iconPath(symbol).isEmpty();
}

void paintIcon(QPainter &painter, const QRectF &rect, const QString &symbol, const QColor &color)
{
    const QString path = iconPath(symbol);
    if (path.isEmpty())
        return;
    if (QSvgRenderer *renderer = iconRenderer(path, color.rgb()))
        render(painter, *renderer, rect, painter.opacity() * color.alphaF());
}

void paintBrandMark(QPainter &painter, const QRectF &rect)
{
    // Parsed the first time the mark is shown, then shared.
    static QSvgRenderer mark(QStringLiteral(":/velmora-logo"));
    render(painter, mark, rect, painter.opacity());
}

} // namespace Vevo
