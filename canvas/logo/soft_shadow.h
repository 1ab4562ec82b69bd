#pragma once

#include <QImage>

namespace vm {

// The drawing's coverage blurred by radius pixels and painted in colour:
// a soft shadow to lay under it.
QImage softShadow(const QImage& drawing, double radius, const QColor& colour);

} // namespace vm
