#include "canvas/logo/raw_font_glyphs.h"

namespace vm {

quint32 RawFontGlyphs::glyphIndex(char32_t character) const
{
    const QList<quint32> indexes = font_.glyphIndexesForString(QString::fromUcs4(&character, 1));
    return indexes.isEmpty() ? 0 : indexes.first();
}

QPainterPath RawFontGlyphs::outline(char32_t character) const
{
    QPainterPath path = font_.pathForGlyph(glyphIndex(character));
    path.setFillRule(Qt::WindingFill);
    return path;
}

double RawFontGlyphs::advance(char32_t character) const
{
    const QList<QPointF> advances = font_.advancesForGlyphIndexes(QList<quint32>{glyphIndex(character)});
    return advances.isEmpty() ? 0 : advances.first().x();
}

double RawFontGlyphs::kerning(char32_t left, char32_t right) const
{
    // The kerned advance of the left glyph in the pair, less its own.
    const QList<quint32> pair{glyphIndex(left), glyphIndex(right)};
    const QList<QPointF> kerned = font_.advancesForGlyphIndexes(pair, QRawFont::KernedAdvances);
    const QList<QPointF> plain = font_.advancesForGlyphIndexes(pair);
    return kerned.size() == 2 && plain.size() == 2 ? kerned.first().x() - plain.first().x() : 0;
}

} // namespace vm
