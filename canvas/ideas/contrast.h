#pragma once

#include <QColor>
#include <initializer_list>

namespace vm::ideas {

// Legibility of one colour on another, as the web's accessibility rules
// measure it: 1 (the same) to 21 (black on white).
double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);

// Of the candidates, the one that reads best on background.
QColor mostReadableOn(const QColor& background, std::initializer_list<QColor> candidates);

// A name or tagline needs at least this much against what it sits on.
inline constexpr double minimumTextContrast = 3.0;

} // namespace vm::ideas
