#include "canvas/ideas/layouts.h"

#include "canvas/ideas/text_fit.h"

#include <cmath>

namespace vm::ideas {

namespace {
// The shield's outline in the catalogue, drawn filled as the emblem's ground.
const QString shieldPath = QStringLiteral("ClipArts/Security & Warnings/shield.svg");

// The mark and the name inside a round badge of diameter side, in colour.
Block badgeInside(const Design& design, double side, const QColor& colour, double markShare)
{
    Block name = nameBlock(design, side * 0.7, side * (design.shortName() ? 0.42 : 0.19), colour);
    if (!design.symbol.isEmpty() && markShare > 0) {
        Block mark = symbolBlock(design.symbol, side * markShare, colour);
        return stacked({mark, name}, {side * 0.05});
    }
    return name;
}
} // namespace

Block circleBadge(const Design& design)
{
    const FillColours colours = badgeColours(design.palette);
    const double side = 300;
    Block badge = shapeBlock(ShapeType::Ellipse, QSizeF(side, side), colours.fill);
    Block inside = badgeInside(design, side, colours.text, 0.26);
    Block tagline = taglineBlock(design, 400, 25, design.palette.ink);
    return stacked({overlaid(badge, inside), tagline}, {18});
}

Block sealBadge(const Design& design)
{
    const FillColours colours = badgeColours(design.palette);
    const double side = 310;
    Block seal = shapeBlock(ShapeType::Star, QSizeF(side, side), colours.fill);
    seal.elements.front().points = 24;
    seal.elements.front().innerRatio = 0.9;
    // A thin ring inside the seal's edge, in the words' colour.
    Block ring = shapeBlock(ShapeType::Ellipse, QSizeF(side * 0.76, side * 0.76), Qt::transparent, colours.text, 3);
    Block inside = badgeInside(design, side * 0.8, colours.text, 0.24);
    Block tagline = taglineBlock(design, 400, 25, design.palette.ink);
    return stacked({overlaid(overlaid(seal, ring), inside), tagline}, {18});
}

Block shieldEmblem(const Design& design)
{
    const FillColours colours = badgeColours(design.palette);
    const double side = 280;
    Block shield = symbolBlock(shieldPath, side, colours.fill);
    shield.elements.front().name = role::badge;
    // The shield's flat top holds the mark; its widest part the name.
    if (design.shortName() && design.symbol.isEmpty()) {
        // The name is the emblem's monogram.
        Block emblem = overlaid(shield, nameBlock(design, side * 0.5, side * 0.36, colours.text), QPointF(0, -side * 0.08));
        return stacked({emblem, taglineBlock(design, 380, 24, design.palette.ink)}, {16});
    }
    Block mark = design.symbol.isEmpty() ? initialsBlock(design, QSizeF(side * 0.42, side * 0.26), colours.text)
                                         : symbolBlock(design.symbol, side * 0.3, colours.text);
    Block emblem = overlaid(shield, mark, QPointF(0, -side * 0.12));
    Block name = nameBlock(design, 420, 56, design.palette.ink);
    Block tagline = taglineBlock(design, 380, 24, design.palette.ink);
    return stacked({emblem, name, tagline}, {16, 8});
}

Block ribbonBanner(const Design& design)
{
    const FillColours colours = badgeColours(design.palette);
    Block name = nameBlock(design, 330, 54, colours.text);
    const double bandHeight = name.bounds.height() + 26;
    const QSizeF band(std::max(name.bounds.width() + 56, bandHeight * 3), bandHeight);
    Block ribbon = shapeBlock(ShapeType::Rectangle, band, colours.fill);
    // The ribbon's ends fold back behind the band, in the ink.
    const QColor tailColour = colours.fill == design.palette.ink ? design.palette.accent : design.palette.ink;
    const QSizeF tail(44, band.height() * 0.8);
    LogoElement left = shapeOf(ShapeType::Rectangle, tail, tailColour);
    left.name = role::badge;
    left.position = QPointF(-30, band.height() * 0.35);
    LogoElement right = left;
    right.position = QPointF(band.width() + 30 - tail.width(), band.height() * 0.35);
    Block banner{{left, right}, QRectF(left.box().topLeft(), right.box().bottomRight())};
    ribbon.elements.front().position = QPointF(0, 0);
    ribbon.bounds = QRectF(QPointF(0, 0), band);
    banner.elements.push_back(ribbon.elements.front());
    banner.bounds = banner.bounds.united(ribbon.bounds);
    banner = overlaid(banner, name, QPointF(0, -(banner.bounds.height() - band.height()) / 2));
    std::vector<Block> parts;
    if (!design.symbol.isEmpty())
        parts.push_back(symbolBlock(design.symbol, 96, markColour(design.palette)));
    parts.push_back(banner);
    parts.push_back(taglineBlock(design, 380, 24, design.palette.ink));
    return stacked(parts, design.symbol.isEmpty() ? std::vector<double>{16} : std::vector<double>{16, 16});
}

Block curvedAroundMark(const Design& design)
{
    const QColor accent = markColour(design.palette);
    const QColor ink = design.palette.ink;
    const double side = 320, stroke = 5;
    const QPointF centre(side / 2, side / 2);
    Block ring = shapeBlock(ShapeType::Ellipse, QSizeF(side, side), Qt::transparent, accent, stroke);
    Block outer = ring;

    // The name arches along the ring's top, inside it.
    LogoElement name = makeText(design.name.simplified(), design.nameStyle, ink, 40);
    name.name = role::name;
    const double baseline = side / 2 - stroke - 44;
    // Straight, the name may take about a third of the circle.
    fitText(name, QSizeF(baseline * 2.1, 44), 40);
    name.arcRadius = baseline;
    name.size = measureText(name);
    name.position = centre - arcCentre(name);
    outer.elements.push_back(name);

    const bool curvedTagline = !design.tagline.trimmed().isEmpty() && design.tagline.simplified().size() <= 30;
    if (curvedTagline) {
        LogoElement tagline = makeText(design.tagline.simplified(), design.taglineStyle, ink, 20);
        tagline.name = role::tagline;
        const double low = side / 2 - stroke - 16;
        fitText(tagline, QSizeF(low * 1.6, 22), 20);
        tagline.arcRadius = -low;
        tagline.size = measureText(tagline);
        tagline.position = centre - arcCentre(tagline);
        outer.elements.push_back(tagline);
    }
    outer.bounds = QRectF(QPointF(-stroke / 2, -stroke / 2), QSizeF(side + stroke, side + stroke));
    for (const LogoElement& element : outer.elements)
        outer.bounds = outer.bounds.united(coverOf(element));
    Block mark = markBlock(design, side * 0.34, accent);
    moveBlock(mark, centre - mark.bounds.center() + QPointF(0, side * 0.03));
    outer.elements.insert(outer.elements.end(), mark.elements.begin(), mark.elements.end());
    if (curvedTagline || design.tagline.trimmed().isEmpty())
        return outer;
    return stacked({outer, taglineBlock(design, 400, 24, ink)}, {16});
}

} // namespace vm::ideas
