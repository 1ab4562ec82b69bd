#pragma once

#include "canvas/logo/logo_document.h"

#include <QGraphicsItem>
#include <QPixmapCache>
#include <functional>

namespace vm {

class LogoRenderer;

// One stage element in the editor's scene. Selected, it shows a frame with
// corner handles that resize and a top handle that rotates; what the mouse
// did is handed on when the button is released. A locked element takes no
// clicks (they reach what lies below); a hidden one is not shown.
class ElementItem : public QGraphicsItem {
public:
    struct Hooks {
        // While the selection is dragged: how far the mouse is from where it was pressed.
        std::function<void(const QPointF& distance, Qt::KeyboardModifiers)> dragged;
        std::function<void()> moved;                         // after a drag of the selection
        std::function<void(ElementItem&)> transformed;       // after a resize or rotation
        std::function<void(ElementItem&)> editRequested;     // double click on a text
        std::function<bool()> frameShown;
    };

    ElementItem(const LogoElement& element, LogoRenderer& renderer, const Hooks& hooks);
    ~ElementItem() override;

    const LogoElement& element() const { return element_; }
    quint64 id() const { return element_.id; }
    QSizeF boxSize() const { return element_.size; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;

private:
    enum class Drag { None, Move, Resize, Rotate };
    QRectF handleRect(int corner) const;
    QPointF rotateHandle() const;
    void setBoxSize(const QSizeF& size);
    QRectF contentRect() const;
    void drawContent(QPainter& painter);

    LogoElement element_;
    LogoRenderer& renderer_;
    Hooks hooks_;
    Drag drag_ = Drag::None;
    int corner_ = 0;
    QPixmapCache::Key picture_;
    QTransform pictureShape_;
    QSizeF pictureSize_;
    QPointF picturePhase_;
    QPointF picturePos_;
};

} // namespace vm
