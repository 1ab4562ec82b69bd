#pragma once

#include "canvas/editing/snapping.h"

#include <QGraphicsView>
#include <functional>

namespace vm {

class LogoEditor;

// The stage as the editor shows it: the logo's background on a desk, zoom
// (Ctrl+wheel, fit, 100%), panning with the middle button or Space and drag,
// the snapping guides of a drag, and the arrow keys that nudge the selection.
class StageView : public QGraphicsView {
public:
    StageView(QGraphicsScene* scene, LogoEditor& editor, QWidget* parent);

    static constexpr double minimumZoom = 0.1;
    static constexpr double maximumZoom = 16;
    double zoom() const { return zoom_; }
    // About the centre of the view; clamped to the range above.
    void setZoom(double zoom);
    void zoomIn() { setZoom(zoom_ * zoomStep); }
    void zoomOut() { setZoom(zoom_ / zoomStep); }
    // The whole stage in view, as large as it goes.
    void fitStage();
    std::function<void()> zoomChanged;

    void setGuides(const QList<SnapGuide>& guides);
    const QList<SnapGuide>& guides() const { return guides_; }

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static constexpr double zoomStep = 1.25;
    void applyZoom(double zoom);
    void updateGuideArea(const QList<SnapGuide>& guides);
    bool typing() const;

    LogoEditor& editor_;
    double zoom_ = 1;
    QList<SnapGuide> guides_;
    bool spaceHeld_ = false;
    bool panning_ = false;
    QPoint panFrom_;
};

} // namespace vm
