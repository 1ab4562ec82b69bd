#include "canvas/logo/raw_font_glyphs.h"

namespace vm {

RawFontGlyphSource::RawFontGlyphSource(const QFont& font) : font_(QRawFont::fromFont(font)) {}

quint32 RawFontGlyphSource::glyph(char32_t character) const
{
    if (!font_.isValid())
        return 0;
    const QString text = QString::fromUcs4(&character, 1);
    const QList<quint32> glyphs = font_.glyphIndexesForString(text);
    return glyphs.isEmpty() ? 0 : glyphs.first();
}

QPainterPath RawFontGlyphSource::outline(char32_t character) const
{
    const quint32 index = glyph(character);
    if (!index)
        return QPainterPath();
    // Overlapping contours of one glyph fill as one shape.
    QPainterPath path = font_.pathForGlyph(index);
    path.setFillRule(Qt::WindingFill);
    return path;
}

double RawFontGlyphSource::advance(char32_t character) const
{
    const quint32 index = glyph(character);
    if (!index)
        return 0;
    QPointF advance;
    font_.advancesForGlyphIndexes(&index, &advance, 1);
    return advance.x();
}

double RawFontGlyphSource::kerning(char32_t left, char32_t right) const
{
    const quint32 pair[2] = {glyph(left), glyph(right)};
    if (!pair[0] || !pair[1])
        return 0;
    QPointF plain[2];
    QPointF kerned[2];
    font_.advancesForGlyphIndexes(pair, plain, 2, QRawFont::SeparateAdvances);
    font_.advancesForGlyphIndexes(pair, kerned, 2, QRawFont::KernedAdvances);
    return kerned[0].x() - plain[0].x();
}

} // namespace vm
