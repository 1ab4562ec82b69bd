#include "canvas/editor/stage_view.h"

#include "canvas/editing/arrangement.h"
#include "canvas/editing/logo_editor.h"
#include "canvas/look/editor_look.h"

#include <QGraphicsItem>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace vm {

namespace {
const QColor guideColour(232, 48, 122);
} // namespace

StageView::StageView(QGraphicsScene* scene, LogoEditor& editor, QWidget* parent) : QGraphicsView(scene, parent), editor_(editor)
{
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(editor_look::desk);
    setDragMode(QGraphicsView::RubberBandDrag);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    // A drag dirties many small spots; one rectangle around them repaints faster
    // than clipping every element to a ragged region.
    setViewportUpdateMode(BoundingRectViewportUpdate);
    // Every element restores what it changes on the painter.
    setOptimizationFlags(DontSavePainterState);
}

void StageView::drawBackground(QPainter* painter, const QRectF& rect)
{
    painter->fillRect(rect, editor_look::desk);
    const QRectF stage(QPointF(0, 0), editor_.document().stageSize);
    painter->fillRect(stage.translated(4, 4), QColor(0, 0, 0, 35));
    if (editor_.document().backgroundTransparent()) {
        // See-through, as image editors show it: light grey chequered with white.
        painter->fillRect(stage, QColor(214, 214, 214));
        painter->fillRect(stage, QBrush(Qt::white, Qt::Dense4Pattern));
    } else
        painter->fillRect(stage, editor_.document().background);
    painter->setPen(QPen(QColor(170, 190, 210), 0));
    painter->drawRect(stage);
}

void StageView::drawForeground(QPainter* painter, const QRectF& rect)
{
    if (guides_.isEmpty())
        return;
    painter->save();
    painter->setPen(QPen(guideColour, 0));
    for (const SnapGuide& guide : guides_) {
        if (guide.orientation == Qt::Vertical)
            painter->drawLine(QPointF(guide.position, rect.top()), QPointF(guide.position, rect.bottom()));
        else
            painter->drawLine(QPointF(rect.left(), guide.position), QPointF(rect.right(), guide.position));
    }
    painter->restore();
}

void StageView::setGuides(const QList<SnapGuide>& guides)
{
    if (guides == guides_)
        return;
    // Only the strips under the old and the new lines are drawn again.
    updateGuideArea(guides_);
    guides_ = guides;
    updateGuideArea(guides_);
}

void StageView::updateGuideArea(const QList<SnapGuide>& guides)
{
    for (const SnapGuide& guide : guides) {
        const QPoint at = mapFromScene(QPointF(guide.position, guide.position));
        const QRect strip = guide.orientation == Qt::Vertical ? QRect(at.x() - 2, 0, 5, viewport()->height())
                                                               : QRect(0, at.y() - 2, viewport()->width(), 5);
        viewport()->update(strip);
    }
}

void StageView::applyZoom(double zoom)
{
    zoom_ = std::clamp(zoom, minimumZoom, maximumZoom);
    setTransform(QTransform::fromScale(zoom_, zoom_));
    if (zoomChanged)
        zoomChanged();
}

void StageView::setZoom(double zoom)
{
    const ViewportAnchor anchor = transformationAnchor();
    setTransformationAnchor(AnchorViewCenter);
    applyZoom(zoom);
    setTransformationAnchor(anchor);
}

void StageView::fitStage()
{
    const QRectF stage = QRectF(QPointF(0, 0), editor_.document().stageSize).adjusted(-16, -16, 16, 16);
    const QSizeF room = viewport()->size();
    if (stage.isEmpty() || room.isEmpty())
        return;
    setZoom(std::min(room.width() / stage.width(), room.height() / stage.height()));
    centerOn(stage.center());
}

void StageView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    // The point under the mouse stays under it.
    const ViewportAnchor anchor = transformationAnchor();
    setTransformationAnchor(AnchorUnderMouse);
    applyZoom(zoom_ * std::pow(zoomStep, event->angleDelta().y() / 120.0));
    setTransformationAnchor(anchor);
    event->accept();
}

bool StageView::typing() const { return scene() && scene()->focusItem(); }

void StageView::keyPressEvent(QKeyEvent* event)
{
    if (typing()) {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat()) {
            spaceHeld_ = true;
            viewport()->setCursor(Qt::OpenHandCursor);
        }
        event->accept();
        return;
    }
    const QPointF step = nudgeStep(event->key(), event->modifiers() & Qt::ShiftModifier);
    if (!step.isNull() && !editor_.selection().isEmpty()) {
        editor_.nudgeSelected(step);
        event->accept();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void StageView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && spaceHeld_) {
        spaceHeld_ = false;
        if (!panning_)
            viewport()->unsetCursor();
        event->accept();
        return;
    }
    QGraphicsView::keyReleaseEvent(event);
}

void StageView::focusOutEvent(QFocusEvent* event)
{
    // A Space released elsewhere must not leave the view panning.
    spaceHeld_ = false;
    if (!panning_)
        viewport()->unsetCursor();
    QGraphicsView::focusOutEvent(event);
}

void StageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_)) {
        panning_ = true;
        panFrom_ = event->position().toPoint();
        viewport()->setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QGraphicsView::mousePressEvent(event);
}

void StageView::mouseMoveEvent(QMouseEvent* event)
{
    if (panning_) {
        const QPoint now = event->position().toPoint();
        const QPoint moved = now - panFrom_;
        panFrom_ = now;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
        event->accept();
        return;
    }
    QGraphicsView::mouseMoveEvent(event);
}

void StageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (panning_) {
        if (event->buttons() & (Qt::MiddleButton | Qt::LeftButton))
            return;
        panning_ = false;
        if (spaceHeld_)
            viewport()->setCursor(Qt::OpenHandCursor);
        else
            viewport()->unsetCursor();
        event->accept();
        return;
    }
    QGraphicsView::mouseReleaseEvent(event);
}

} // namespace vm
