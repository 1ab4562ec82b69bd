#include "canvas/ideas/layout_parts.h"

#include "canvas/ideas/contrast.h"
#include "canvas/ideas/text_fit.h"

#include <algorithm>

namespace vm::ideas {

FillColours badgeColours(const Palette& palette)
{
    const QColor text = mostReadableOn(palette.accent, {palette.paper, palette.ink});
    if (contrastRatio(text, palette.accent) >= minimumTextContrast)
        return {palette.accent, text};
    return {palette.ink, palette.paper};
}

QColor markColour(const Palette& palette)
{
    return contrastRatio(palette.accent, palette.paper) >= 1.6 ? palette.accent : palette.ink;
}

Block nameBlock(const Design& design, double width, double maxFont, const QColor& colour, TextAlignment alignment)
{
    LogoElement name = makeText(design.name, design.nameStyle, colour, maxFont, alignment);
    name.name = role::name;
    fitText(name, QSizeF(width, maxFont * 1.5), maxFont);
    const QString twoLines = onTwoLines(design.name);
    if (twoLines != design.name.simplified() && name.fontSize < maxFont * 0.6) {
        LogoElement broken = makeText(twoLines, design.nameStyle, colour, maxFont, alignment);
        broken.name = role::name;
        broken.lineSpacing = 1;
        fitText(broken, QSizeF(width, maxFont * 2.6), maxFont * 0.85);
        if (broken.fontSize > name.fontSize * 1.15)
            name = broken;
    }
    name.position = QPointF(0, 0);
    return blockOf(name);
}

Block taglineBlock(const Design& design, double width, double fontSize, const QColor& colour, TextAlignment alignment)
{
    if (design.tagline.trimmed().isEmpty())
        return {};
    LogoElement tagline = makeText(design.tagline.simplified(), design.taglineStyle, colour, fontSize, alignment);
    tagline.name = role::tagline;
    fitText(tagline, QSizeF(width, fontSize * 1.5), fontSize);
    return blockOf(tagline);
}

Block symbolBlock(const QString& path, double side, const QColor& colour)
{
    LogoElement symbol;
    symbol.kind = ElementKind::Symbol;
    symbol.name = role::symbol;
    symbol.symbol = path;
    symbol.color = colour;
    symbol.size = QSizeF(side, side);
    return blockOf(symbol);
}

Block initialsBlock(const Design& design, const QSizeF& room, const QColor& colour)
{
    LogoElement initials = makeText(design.initials, design.nameStyle, colour, room.height());
    initials.name = role::monogram;
    initials.letterSpacing = 0;
    fitText(initials, room, room.height() * 1.2);
    return blockOf(initials);
}

Block markBlock(const Design& design, double side, const QColor& colour)
{
    if (!design.symbol.isEmpty())
        return symbolBlock(design.symbol, side, colour);
    if (design.shortName()) {
        static const ShapeType shapes[] = {ShapeType::Ellipse, ShapeType::Polygon, ShapeType::Star,
                                           ShapeType::RoundedRectangle};
        const ShapeType type = shapes[design.variant % 4];
        Block shape = shapeBlock(type, QSizeF(side * 0.8, side * 0.8), colour, {}, 0, role::badge);
        shape.elements.front().points = 4;
        shape.elements.front().innerRatio = 0.42;
        return shape;
    }
    // No fitting symbol: the initials in a ring, never an unrelated picture.
    const double stroke = std::max(2.0, side * 0.045);
    Block ring = shapeBlock(ShapeType::Ellipse, QSizeF(side, side), Qt::transparent, colour, stroke);
    return overlaid(ring, initialsBlock(design, QSizeF(side * 0.58, side * 0.46), colour));
}

LogoElement shapeOf(ShapeType type, const QSizeF& size, const QColor& fill, const QColor& stroke, double strokeWidth)
{
    LogoElement shape;
    shape.kind = ElementKind::Shape;
    shape.shapeType = type;
    shape.size = size;
    shape.color = fill;
    shape.strokeColor = strokeWidth > 0 ? stroke : fill;
    shape.strokeWidth = strokeWidth;
    shape.cornerRadius = std::min(size.width(), size.height()) * 0.2;
    return shape;
}

Block shapeBlock(ShapeType type, const QSizeF& size, const QColor& fill, const QColor& stroke, double strokeWidth,
                 const QString& role)
{
    LogoElement shape = shapeOf(type, size, fill, stroke, strokeWidth);
    shape.name = role;
    return blockOf(shape);
}

Block ruleBlock(double width, double thickness, const QColor& colour)
{
    return shapeBlock(ShapeType::Rectangle, QSizeF(width, thickness), colour, {}, 0, role::rule);
}

} // namespace vm::ideas
