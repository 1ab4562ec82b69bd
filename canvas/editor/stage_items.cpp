#include "canvas/editor/stage_items.h"

#include "canvas/logo/element_paint.h"
#include "canvas/logo/logo_renderer.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPaintDevice>
#include <QPixmapCache>
#include <QtMath>

namespace vm {

namespace {
constexpr double handleSize = 8;
constexpr double rotateDistance = 22;
// Beyond this many device pixels an element is drawn directly rather than kept as a picture.
constexpr double largestPicture = 2000.0 * 2000.0;
const QColor frameColor(19, 121, 206);
} // namespace

ElementItem::ElementItem(const LogoElement& element, LogoRenderer& renderer, const Hooks& hooks)
    : element_(element), renderer_(renderer), hooks_(hooks)
{
    if (element.locked)
        setAcceptedMouseButtons(Qt::NoButton);
    else
        setFlags(ItemIsSelectable | ItemIsMovable);
    setVisible(!element.hidden);
    setPos(element.position);
    setTransformOriginPoint(element.size.width() / 2, element.size.height() / 2);
    setRotation(element.rotation);
}

ElementItem::~ElementItem() { QPixmapCache::remove(picture_); }

// The box and what may be drawn beside it: smoothed edges, an outline, a shadow.
QRectF ElementItem::contentRect() const
{
    const double margin = 2 + paintMargin(element_);
    return QRectF(QPointF(0, 0), element_.size).adjusted(-margin, -margin, margin, margin);
}

// Only a selected element needs room for its handles: the smaller the bounds,
// the fewer elements a drag has to draw again.
QRectF ElementItem::boundingRect() const
{
    const QRectF content = contentRect();
    if (!isSelected())
        return content;
    const QRectF handles = QRectF(QPointF(0, 0), element_.size).adjusted(-handleSize, -handleSize - rotateDistance, handleSize, handleSize);
    return content.united(handles);
}

QVariant ElementItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemSelectedChange)
        prepareGeometryChange();
    return QGraphicsItem::itemChange(change, value);
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
    drawContent(*painter);
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

// The element as a picture exactly as the view shows it (scaled, turned and
// at its place between pixels), drawn once and then only copied: moving a
// selection over a thousand elements copies pictures instead of laying out
// texts and rendering symbols every frame.
void ElementItem::drawContent(QPainter& painter)
{
    const QRectF box(QPointF(0, 0), element_.size);
    const QTransform& world = painter.worldTransform();
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1;
    // The world transform without its translation, in device pixels.
    const QTransform shape = QTransform(world.m11(), world.m12(), world.m21(), world.m22(), 0, 0) * QTransform::fromScale(ratio, ratio);
    const QRect pixels = shape.mapRect(contentRect()).toAlignedRect().adjusted(0, 0, 1, 1);
    if (world.type() == QTransform::TxProject || double(pixels.width()) * pixels.height() > largestPicture) {
        painter.save();
        renderer_.drawContent(painter, element_, box);
        painter.restore();
        return;
    }
    const QPointF origin = world.map(QPointF(0, 0)) * ratio;
    const QPointF phase(origin.x() - std::floor(origin.x()), origin.y() - std::floor(origin.y()));
    QPixmap picture;
    bool stale = pictureShape_ != shape || pictureSize_ != element_.size || !QPixmapCache::find(picture_, &picture);
    // While the element is dragged its picture is only carried along; at rest
    // it is drawn again for its exact place between pixels.
    if (!stale && pos() == picturePos_ && phase != picturePhase_)
        stale = true;
    if (stale) {
        QImage image(pixels.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter drawing(&image);
        drawing.setRenderHints(painter.renderHints());
        drawing.translate(phase - pixels.topLeft());
        drawing.setTransform(shape, true);
        renderer_.drawContent(drawing, element_, box);
        drawing.end();
        picture = QPixmap::fromImage(std::move(image));
        QPixmapCache::remove(picture_);
        picture_ = QPixmapCache::insert(picture);
        pictureShape_ = shape;
        pictureSize_ = element_.size;
        picturePhase_ = phase;
        picturePos_ = pos();
    }
    const QPointF corner = origin - picturePhase_ + pixels.topLeft();
    const QTransform placed = world;
    painter.setWorldTransform(QTransform());
    picture.setDevicePixelRatio(ratio);
    painter.drawPixmap(QPointF(std::round(corner.x()), std::round(corner.y())) / ratio, picture);
    painter.setWorldTransform(placed);
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
    // The editor moves the whole selection, so that it can snap it as one.
    if (drag_ == Drag::Move && hooks_.dragged && (event->buttons() & Qt::LeftButton)) {
        hooks_.dragged(event->scenePos() - event->buttonDownScenePos(Qt::LeftButton), event->modifiers());
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
