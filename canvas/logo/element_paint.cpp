#include "canvas/logo/element_paint.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace vm {

namespace {

// Corners of a regular polygon (or of a star, alternating with its inner
// corners) inscribed in the box's ellipse, the first one at the top.
QPainterPath starPath(const QRectF& box, int corners, double innerRatio)
{
    const int count = innerRatio < 1 ? corners * 2 : corners;
    QPolygonF polygon;
    for (int index = 0; index < count; ++index) {
        const double angle = -M_PI / 2 + 2 * M_PI * index / count;
        const double scale = (innerRatio < 1 && index % 2) ? innerRatio : 1.0;
        polygon << QPointF(box.center().x() + box.width() / 2 * scale * std::cos(angle),
                           box.center().y() + box.height() / 2 * scale * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

} // namespace

QPainterPath shapePath(const LogoElement& shape, const QRectF& box)
{
    QPainterPath path;
    switch (shape.shapeType) {
    case ShapeType::Rectangle: path.addRect(box); break;
    case ShapeType::RoundedRectangle: {
        const double radius = std::clamp(shape.cornerRadius, 0.0, std::min(box.width(), box.height()) / 2);
        path.addRoundedRect(box, radius, radius);
        break;
    }
    case ShapeType::Ellipse: path.addEllipse(box); break;
    case ShapeType::Line:
        path.moveTo(box.left(), box.center().y());
        path.lineTo(box.right(), box.center().y());
        break;
    case ShapeType::Polygon:
        return starPath(box, std::clamp(shape.sides, limits::minSides, limits::maxSides), 1);
    case ShapeType::Star:
        return starPath(box, std::clamp(shape.points, limits::minSides, limits::maxSides),
                        std::clamp(shape.innerRatio, limits::minInnerRatio, limits::maxInnerRatio));
    }
    return path;
}

QBrush fillBrush(const LogoElement& element, const QRectF& area)
{
    const Fill& fill = element.fill;
    if (!fill.isGradient())
        return QBrush(element.color);
    if (fill.kind == Fill::Kind::Radial) {
        // Out to the corners, so the last stop reaches all of the box.
        QRadialGradient gradient(area.center(), std::hypot(area.width(), area.height()) / 2);
        gradient.setStops(fill.stops);
        return QBrush(gradient);
    }
    // Along the angle, from the box's first corner the line meets to its last.
    const double angle = qDegreesToRadians(fill.angle);
    const QPointF direction(std::cos(angle), std::sin(angle));
    const double reach = std::abs(area.width() / 2 * direction.x()) + std::abs(area.height() / 2 * direction.y());
    QLinearGradient gradient(area.center() - direction * reach, area.center() + direction * reach);
    gradient.setStops(fill.stops);
    return QBrush(gradient);
}

double paintMargin(const LogoElement& element)
{
    double margin = element.strokeWidth;
    if (element.shadow.enabled)
        margin += std::max(std::abs(element.shadow.offset.x()), std::abs(element.shadow.offset.y())) + element.shadow.blur * 2;
    return margin;
}

} // namespace vm
