#pragma once

#include "canvas/logo/logo_document.h"

#include <QBrush>
#include <QPainterPath>

namespace vm {

// The outline of a shape filling box.
QPainterPath shapePath(const LogoElement& shape, const QRectF& box);

// The element's fill over area: its colour, or its gradient spanning area.
QBrush fillBrush(const LogoElement& element, const QRectF& area);

// How far the drawing may reach beyond the element's box (outline, shadow),
// in the box's own units.
double paintMargin(const LogoElement& element);

} // namespace vm
