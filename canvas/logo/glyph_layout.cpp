#include "canvas/logo/glyph_layout.h"

#include <QStringList>

namespace vm {

namespace {
// Calls place(character, x) for each character of a line; returns the line's width.
template<typename Place>
double layLine(const GlyphSource& glyphs, const QString& line, Place place)
{
    double x = 0;
    char32_t previous = 0;
    for (const char32_t character : line.toUcs4()) {
        if (previous != 0)
            x += glyphs.kerning(previous, character);
        place(character, x);
        x += glyphs.advance(character);
        previous = character;
    }
    return x;
}
} // namespace

QPainterPath glyphTextOutline(const GlyphSource& glyphs, const QString& text)
{
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    double baseline = glyphs.ascent();
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        layLine(glyphs, line, [&](char32_t character, double x) {
            const QPainterPath glyph = glyphs.outline(character);
            if (!glyph.isEmpty())
                outline.addPath(glyph.translated(x, baseline));
        });
        baseline += glyphs.lineSpacing();
    }
    return outline;
}

QSizeF glyphTextSize(const GlyphSource& glyphs, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    double width = 0;
    for (const QString& line : lines)
        width = std::max(width, layLine(glyphs, line, [](char32_t, double) {}));
    const double height = glyphs.ascent() + glyphs.descent() + (lines.size() - 1) * glyphs.lineSpacing();
    return QSizeF(width, height);
}

} // namespace vm
