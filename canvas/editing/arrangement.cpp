#include "canvas/editing/arrangement.h"

#include "canvas/logo/logo_document.h"

#include <QTransform>
#include <algorithm>
#include <numeric>

namespace vm {

QList<QPointF> alignOffsets(const QList<QRectF>& boxes, Alignment alignment, const QRectF& reference)
{
    QList<QPointF> offsets;
    offsets.reserve(boxes.size());
    for (const QRectF& box : boxes) {
        switch (alignment) {
        case Alignment::Left: offsets.append({reference.left() - box.left(), 0}); break;
        case Alignment::HorizontalCentre: offsets.append({reference.center().x() - box.center().x(), 0}); break;
        case Alignment::Right: offsets.append({reference.right() - box.right(), 0}); break;
        case Alignment::Top: offsets.append({0, reference.top() - box.top()}); break;
        case Alignment::VerticalCentre: offsets.append({0, reference.center().y() - box.center().y()}); break;
        case Alignment::Bottom: offsets.append({0, reference.bottom() - box.bottom()}); break;
        }
    }
    return offsets;
}

QList<QPointF> distributeOffsets(const QList<QRectF>& boxes, Qt::Orientation orientation)
{
    QList<QPointF> offsets(boxes.size(), QPointF());
    if (boxes.size() < 3)
        return offsets;
    const bool across = orientation == Qt::Horizontal;
    const auto start = [across](const QRectF& box) { return across ? box.left() : box.top(); };
    const auto length = [across](const QRectF& box) { return across ? box.width() : box.height(); };
    const auto centre = [across](const QRectF& box) { return across ? box.center().x() : box.center().y(); };

    // Left to right (top to bottom) by centre; equal centres keep their order.
    QList<int> order(boxes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return centre(boxes[a]) < centre(boxes[b]); });

    const QRectF& first = boxes[order.front()];
    const QRectF& last = boxes[order.back()];
    double covered = 0;
    for (const QRectF& box : boxes)
        covered += length(box);
    const double span = start(last) + length(last) - start(first);
    const double gap = (span - covered) / (boxes.size() - 1);

    double next = start(first) + length(first) + gap;
    for (int index = 1; index + 1 < order.size(); ++index) {
        const QRectF& box = boxes[order[index]];
        const double shift = next - start(box);
        offsets[order[index]] = across ? QPointF(shift, 0) : QPointF(0, shift);
        next += length(box) + gap;
    }
    return offsets;
}

QRectF visualBounds(const LogoElement& element)
{
    const QRectF box = element.box();
    if (element.rotation == 0)
        return box;
    const QPointF centre = box.center();
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(element.rotation);
    turn.translate(-centre.x(), -centre.y());
    return turn.mapRect(box);
}

QPointF nudgeStep(int key, bool shift)
{
    const double step = shift ? 10 : 1;
    switch (key) {
    case Qt::Key_Left: return {-step, 0};
    case Qt::Key_Right: return {step, 0};
    case Qt::Key_Up: return {0, -step};
    case Qt::Key_Down: return {0, step};
    default: return {};
    }
}

} // namespace vm
