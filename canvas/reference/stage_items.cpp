#include "canvas/reference/stage_items.h"

#include "canvas/logo/element_paint.h"
#include "canvas/logo/logo_renderer.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QtMath>

namespace vm {

namespace {
constexpr double handleSize = 8;
constexpr double rotateDistance = 22;
const QColor frameColor(19, 121, 206);
} // namespace

ElementItem::ElementItem(const LogoElement& element, LogoRenderer& renderer, const Hooks& hooks)
    : element_(element), renderer_(renderer), hooks_(hooks)
{
    setFlags(ItemIsSelectable | ItemIsMovable);
    setPos(element.position);
    setTransformOriginPoint(element.size.width() / 2, element.size.height() / 2);
    setRotation(element.rotation);
}

QRectF ElementItem::boundingRect() const
{
    // Outlines and shadows may reach past the box; handles always do.
    const double margin = std::max(handleSize, paintMargin(element_));
    return QRectF(QPointF(0, 0), element_.size).adjusted(-margin, -margin - rotateDistance, margin, margin);
}

QPainterPath ElementItem::shape() const
{
    QPainterPath path;
    path.addRect(QRectF(QPointF(0, 0), element_.size));
    if (isSelected()) {
        for (int corner = 0; corner < 4; ++corner)
            path.addRect(handleRect(corner));
        path.addEllipse(rotateHandle(), handleSize, handleSize);
    }
    return path;
}

QRectF ElementItem::handleRect(int corner) const
{
    const QPointF point(corner % 2 ? element_.size.width() : 0, corner / 2 ? element_.size.height() : 0);
    return QRectF(point - QPointF(handleSize / 2, handleSize / 2), QSizeF(handleSize, handleSize));
}

QPointF ElementItem::rotateHandle() const { return QPointF(element_.size.width() / 2, -rotateDistance); }

void ElementItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    renderer_.drawContent(*painter, element_, QRectF(QPointF(0, 0), element_.size));
    if (!isSelected() || (hooks_.frameShown && !hooks_.frameShown()))
        return;
    painter->save();
    painter->setPen(QPen(frameColor, 0, Qt::DashLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(QPointF(0, 0), element_.size));
    painter->setPen(QPen(frameColor, 0));
    painter->drawLine(QPointF(element_.size.width() / 2, 0), rotateHandle());
    painter->setBrush(Qt::white);
    for (int corner = 0; corner < 4; ++corner)
        painter->drawRect(handleRect(corner));
    painter->setBrush(frameColor);
    painter->drawEllipse(rotateHandle(), handleSize / 2, handleSize / 2);
    painter->restore();
}

void ElementItem::setBoxSize(const QSizeF& size)
{
    prepareGeometryChange();
    element_.size = size;
    setTransformOriginPoint(size.width() / 2, size.height() / 2);
}

void ElementItem::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    drag_ = Drag::Move;
    if (isSelected() && event->button() == Qt::LeftButton) {
        if (QLineF(event->pos(), rotateHandle()).length() <= handleSize) {
            drag_ = Drag::Rotate;
            event->accept();
            return;
        }
        for (int corner = 0; corner < 4; ++corner) {
            if (handleRect(corner).adjusted(-2, -2, 2, 2).contains(event->pos())) {
                drag_ = Drag::Resize;
                corner_ = corner;
                event->accept();
                return;
            }
        }
    }
    QGraphicsItem::mousePressEvent(event);
}

void ElementItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (drag_ == Drag::Rotate) {
        const QPointF centre = mapToScene(transformOriginPoint());
        const QPointF toMouse = event->scenePos() - centre;
        setRotation(qRadiansToDegrees(std::atan2(toMouse.y(), toMouse.x())) + 90);
        return;
    }
    if (drag_ == Drag::Resize) {
        // The opposite corner stays where it is on the stage.
        const int opposite = 3 - corner_;
        const QPointF anchorLocal(opposite % 2 ? element_.size.width() : 0, opposite / 2 ? element_.size.height() : 0);
        const QPointF anchorScene = mapToScene(anchorLocal);
        const QPointF mouse = event->pos();
        QSizeF size(std::abs(mouse.x() - anchorLocal.x()), std::abs(mouse.y() - anchorLocal.y()));
        size = size.expandedTo(QSizeF(4, 4));
        setBoxSize(size);
        const QPointF newAnchor(opposite % 2 ? size.width() : 0, opposite / 2 ? size.height() : 0);
        setPos(pos() + anchorScene - mapToScene(newAnchor));
        return;
    }
    QGraphicsItem::mouseMoveEvent(event);
}

void ElementItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    const Drag finished = std::exchange(drag_, Drag::None);
    if (finished == Drag::Resize || finished == Drag::Rotate) {
        element_.rotation = rotation();
        if (hooks_.transformed)
            hooks_.transformed(*this);
        return;
    }
    QGraphicsItem::mouseReleaseEvent(event);
    if (hooks_.moved)
        hooks_.moved();
}

void ElementItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event)
{
    if (element_.kind == ElementKind::Text && hooks_.editRequested)
        hooks_.editRequested(*this);
    else
        QGraphicsItem::mouseDoubleClickEvent(event);
}

} // namespace vm
