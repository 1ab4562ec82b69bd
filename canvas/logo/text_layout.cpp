#include "canvas/logo/text_layout.h"

#include <QTransform>
#include <QtMath>

namespace vm {

namespace {

struct SetGlyph {
    char32_t character;
    double x;       // start of its advance on the line
    double advance;
};

struct Line {
    std::vector<SetGlyph> glyphs;
    double width = 0;
};

// Advances and kerning asked of the font once per character and pair.
class Metrics {
public:
    explicit Metrics(const GlyphSource& glyphs) : glyphs_(glyphs) {}
    double advance(char32_t character)
    {
        auto found = advances_.constFind(character);
        if (found == advances_.constEnd())
            found = advances_.insert(character, glyphs_.advance(character));
        return *found;
    }
    double kerning(char32_t left, char32_t right)
    {
        const quint64 pair = (quint64(left) << 32) | right;
        auto found = kernings_.constFind(pair);
        if (found == kernings_.constEnd())
            found = kernings_.insert(pair, glyphs_.kerning(left, right));
        return *found;
    }

private:
    const GlyphSource& glyphs_;
    QHash<char32_t, double> advances_;
    QHash<quint64, double> kernings_;
};

Line setLine(const QString& text, const LogoElement& element, Metrics& metrics)
{
    Line line;
    const QList<uint> characters = text.toUcs4();
    line.glyphs.reserve(size_t(characters.size()));
    double x = 0;
    for (qsizetype index = 0; index < characters.size(); ++index) {
        const char32_t character = characters[index];
        const double advance = metrics.advance(character);
        line.glyphs.push_back({character, x, advance});
        x += advance;
        if (index + 1 < characters.size())
            x += metrics.kerning(character, characters[index + 1]) + element.letterSpacing;
    }
    line.width = std::max(0.0, x);
    return line;
}

QTransform placement(const PlacedGlyph& glyph)
{
    QTransform at;
    at.translate(glyph.origin.x(), glyph.origin.y());
    at.rotate(glyph.angle);
    at.translate(-glyph.shift, 0);
    return at;
}

// Glyphs [first, last) where the layout placed them, before the box moves them.
QPainterPath placedOutline(const TextLayout& layout, size_t first, size_t last)
{
    QPainterPath outline;
    for (size_t index = first; index < std::min(last, layout.glyphs.size()); ++index) {
        const PlacedGlyph& glyph = layout.glyphs[index];
        outline.addPath(placement(glyph).map(layout.shapes.value(glyph.character)));
    }
    return outline;
}

} // namespace

QPainterPath TextLayout::outline(size_t first, size_t last) const
{
    QPainterPath path = placedOutline(*this, first, last);
    path.translate(-topLeft.x(), -topLeft.y());
    return path;
}

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
    Metrics metrics(glyphs);
    std::vector<Line> lines;
    double widest = 0;
    // Whatever put a longer text in the element, no more of it is set.
    for (const QString& line : withinTextLimit(shownText(text)).split(QLatin1Char('\n'))) {
        lines.push_back(setLine(line, text, metrics));
        widest = std::max(widest, lines.back().width);
    }

    // Every glyph's cell (its advance by the line's height) counts towards the
    // box, so the box does not jump while letters with other shapes are typed.
    TextLayout layout;
    QRectF cells;
    const auto place = [&](const PlacedGlyph& placed, double advance) {
        const QRectF cell = placement(placed).mapRect(QRectF(0, -ascent, std::max(advance, 0.0), ascent + descent));
        cells = cells.isNull() ? cell : cells.united(cell);
        auto shape = layout.shapes.constFind(placed.character);
        if (shape == layout.shapes.constEnd())
            shape = layout.shapes.insert(placed.character, glyphs.outline(placed.character));
        if (!shape->isEmpty())
            layout.glyphs.push_back(placed);
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
        for (const SetGlyph& glyph : line.glyphs) {
            PlacedGlyph placed{glyph.character, QPointF(start + glyph.x, baseline)};
            if (radius != 0) {
                // The middle of the glyph's advance sits on the circle, turned
                // with it; the line's middle stays at the top (or bottom) of it.
                const double along = glyph.x + glyph.advance / 2 - line.width / 2;
                const double angle = along / radius;
                const QPointF centre(widest / 2, baseline + radius);
                placed.origin = QPointF(centre.x() + radius * std::sin(angle), centre.y() - radius * std::cos(angle));
                placed.angle = qRadiansToDegrees(angle);
                placed.shift = glyph.advance / 2;
            }
            place(placed, glyph.advance);
        }
    }
    QRectF ink;
    for (size_t first = 0; first < layout.glyphs.size(); first += TextLayout::glyphsPerBatch) {
        const QRectF batch = placedOutline(layout, first, first + TextLayout::glyphsPerBatch).boundingRect();
        ink = ink.united(batch);
    }
    const QRectF bounds = cells.united(ink);
    layout.topLeft = bounds.topLeft();
    layout.size = QSizeF(std::max(1.0, bounds.width()), std::max(1.0, bounds.height()));
    return layout;
}

} // namespace vm
