#pragma once

#include "canvas/logo/glyph_source.h"
#include "canvas/logo/logo_document.h"

#include <QHash>
#include <QPainterPath>
#include <QRectF>
#include <vector>

namespace vm {

// One glyph where the layout sets it: moved to origin, turned there by angle
// (degrees, clockwise) and moved back along its turned baseline by shift.
struct PlacedGlyph {
    char32_t character = 0;
    QPointF origin;
    double angle = 0;
    double shift = 0;
};

// A text set glyph by glyph, in the box of its cells with the top left at
// (0, 0), and the size of that box at its font size. Only the places of the
// glyphs are kept, with one outline per distinct character: a long text
// repeats few glyphs, and its outlines are put together a batch at a time.
struct TextLayout {
    std::vector<PlacedGlyph> glyphs; // those with ink, in text order
    QHash<char32_t, QPainterPath> shapes;
    QPointF topLeft; // of the box, where the glyphs are placed
    QSizeF size{1, 1};

    // Glyphs put together in one path: enough to fill in one go, few enough
    // that a path never holds a long text's every outline.
    static constexpr size_t glyphsPerBatch = 512;
    // The outlines of glyphs [first, last) in box coordinates.
    QPainterPath outline(size_t first, size_t last) const;
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
