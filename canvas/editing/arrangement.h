#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

namespace vm {

struct LogoElement;

enum class Alignment { Left, HorizontalCentre, Right, Top, VerticalCentre, Bottom };

// How far each box moves so that its edge or centre meets the reference's.
QList<QPointF> alignOffsets(const QList<QRectF>& boxes, Alignment alignment, const QRectF& reference);

// How far each box moves so that the gaps between neighbours are equal; the
// outermost two stay where they are. Fewer than three boxes do not move.
QList<QPointF> distributeOffsets(const QList<QRectF>& boxes, Qt::Orientation orientation);

// The rectangle an element covers on the stage once turned about its centre.
QRectF visualBounds(const LogoElement& element);

// The step an arrow key moves the selection: one stage unit, ten with Shift.
// Null for any other key.
QPointF nudgeStep(int key, bool shift);

} // namespace vm
