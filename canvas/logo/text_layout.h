#pragma once

#include "canvas/logo/glyph_source.h"
#include "canvas/logo/logo_document.h"

#include <QPainterPath>
#include <QRectF>

namespace vm {

// A text set glyph by glyph: its outlines with the top left of its cells at
// (0, 0) and the size of the box it needs at its font size.
struct TextLayout {
    QPainterPath outline;
    QSizeF size{1, 1};
};

// The characters as the text shows them (its case applied).
QString shownText(const LogoElement& text);

// Lines split at '\n', letters advanced by the font, its kerning and the
// letter spacing, lines aligned against the widest. A non-zero arc radius
// bends every line round a circle of that radius: positive arches the line
// up with the centre below (the top of a badge), negative sags it with the
// centre above (the bottom of a badge); letters stay readable left to right.
TextLayout layoutText(const LogoElement& text, const GlyphSource& glyphs);

} // namespace vm
