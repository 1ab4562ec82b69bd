#include "canvas/logo/text_layout.h"

#include <QTransform>
#include <QtMath>

namespace vm {

namespace {

struct PlacedGlyph {
    char32_t character;
    double x;       // start of its advance on the line
    double advance;
};

struct Line {
    std::vector<PlacedGlyph> glyphs;
    double width = 0;
};

Line setLine(const QString& text, const LogoElement& element, const GlyphSource& glyphs)
{
    Line line;
    const QList<uint> characters = text.toUcs4();
    double x = 0;
    for (qsizetype index = 0; index < characters.size(); ++index) {
        const char32_t character = characters[index];
        const double advance = glyphs.advance(character);
        line.glyphs.push_back({character, x, advance});
        x += advance;
        if (index + 1 < characters.size())
            x += glyphs.kerning(character, characters[index + 1]) + element.letterSpacing;
    }
    line.width = std::max(0.0, x);
    return line;
}

} // namespace

QString shownText(const LogoElement& text)
{
    switch (text.textCase) {
    case TextCase::Upper: return text.text.toUpper();
    case TextCase::Lower: return text.text.toLower();
    case TextCase::AsTyped: break;
    }
    return text.text;
}

TextLayout layoutText(const LogoElement& text, const GlyphSource& glyphs)
{
    const double ascent = glyphs.ascent();
    const double descent = glyphs.descent();
    const double lineStep = glyphs.lineSpacing() * text.lineSpacing;
    std::vector<Line> lines;
    double widest = 0;
    for (const QString& line : shownText(text).split(QLatin1Char('\n'))) {
        lines.push_back(setLine(line, text, glyphs));
        widest = std::max(widest, lines.back().width);
    }

    // Every glyph's cell (its advance by the line's height) counts towards the
    // box, so the box does not jump while letters with other shapes are typed.
    QPainterPath outline;
    QRectF cells;
    const auto place = [&](const QTransform& at, const PlacedGlyph& glyph) {
        outline.addPath(at.map(glyphs.outline(glyph.character)));
        const QRectF cell = at.mapRect(QRectF(0, -ascent, std::max(glyph.advance, 0.0), ascent + descent));
        cells = cells.isNull() ? cell : cells.united(cell);
    };
    const double radius = text.arcRadius;
    for (size_t index = 0; index < lines.size(); ++index) {
        const Line& line = lines[index];
        const double baseline = ascent + double(index) * lineStep;
        const double factor = text.alignment == TextAlignment::Left ? 0 : text.alignment == TextAlignment::Centre ? 0.5 : 1;
        const double start = (widest - line.width) * factor;
        if (line.glyphs.empty()) {
            const QRectF cell(start, baseline - ascent, 0, ascent + descent);
            cells = cells.isNull() ? cell : cells.united(cell);
        }
        for (const PlacedGlyph& glyph : line.glyphs) {
            QTransform at;
            if (radius == 0) {
                at.translate(start + glyph.x, baseline);
            } else {
                // The middle of the glyph's advance sits on the circle, turned
                // with it; the line's middle stays at the top (or bottom) of it.
                const double along = glyph.x + glyph.advance / 2 - line.width / 2;
                const double angle = along / radius;
                const QPointF centre(widest / 2, baseline + radius);
                at.translate(centre.x() + radius * std::sin(angle), centre.y() - radius * std::cos(angle));
                at.rotate(qRadiansToDegrees(angle));
                at.translate(-glyph.advance / 2, 0);
            }
            place(at, glyph);
        }
    }
    const QRectF bounds = cells.united(outline.boundingRect());
    TextLayout layout;
    layout.outline = outline.translated(-bounds.topLeft());
    layout.size = QSizeF(std::max(1.0, bounds.width()), std::max(1.0, bounds.height()));
    return layout;
}

} // namespace vm
