#pragma once

#include "canvas/logo/glyph_source.h"

#include <QPainterPath>
#include <QSizeF>
#include <QString>

namespace vm {

// A text set from a GlyphSource line by line, left-aligned from the top: the
// first baseline at the ascent, each next one a line spacing lower, glyphs
// placed by their advances and the kerning between neighbours.
QPainterPath glyphTextOutline(const GlyphSource& glyphs, const QString& text);
// The box glyphTextOutline fills: the widest line by the lines' height.
QSizeF glyphTextSize(const GlyphSource& glyphs, const QString& text);

} // namespace vm
