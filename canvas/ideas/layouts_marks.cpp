#include "canvas/ideas/layouts.h"

#include "canvas/ideas/text_fit.h"

namespace vm::ideas {

// Design units: the block is built about 420 wide and scaled to the stage later.
namespace {
constexpr double width = 420;

Block wordsLeft(const Design& design, double textWidth, double nameFont)
{
    const QColor ink = design.palette.ink;
    Block name = nameBlock(design, textWidth, nameFont, ink, TextAlignment::Left);
    Block tagline = taglineBlock(design, textWidth, nameFont * 0.36, ink, TextAlignment::Left);
    return stacked({name, tagline}, {nameFont * 0.18}, true);
}
} // namespace

Block symbolAbove(const Design& design)
{
    const QColor ink = design.palette.ink;
    Block mark = markBlock(design, 120, markColour(design.palette));
    Block name = nameBlock(design, width, 70, ink);
    Block tagline = taglineBlock(design, width * 0.85, 25, ink);
    return stacked({mark, name, tagline}, {20, 10});
}

Block symbolLeft(const Design& design)
{
    Block words = wordsLeft(design, 290, 64);
    const double side = std::clamp(words.bounds.height() * 1.15, 70.0, 130.0);
    return sideBySide({markBlock(design, side, markColour(design.palette)), words}, side * 0.22);
}

Block splitWithDivider(const Design& design)
{
    Block words = wordsLeft(design, 280, 60);
    const double height = std::max(words.bounds.height(), 70.0);
    Block mark = markBlock(design, std::min(height * 0.95, 120.0), markColour(design.palette));
    Block divider = shapeBlock(ShapeType::Rectangle, QSizeF(3, height * 1.1), markColour(design.palette), {}, 0,
                               role::rule);
    return sideBySide({mark, divider, words}, 22);
}

Block appIcon(const Design& design)
{
    const FillColours colours = badgeColours(design.palette);
    const double side = 130;
    Block tile = shapeBlock(ShapeType::RoundedRectangle, QSizeF(side, side), colours.fill);
    tile.elements.front().cornerRadius = side * 0.24;
    if (design.shortName() && design.symbol.isEmpty())
        return stacked({overlaid(tile, nameBlock(design, side * 0.66, side * 0.6, colours.text)),
                        taglineBlock(design, width * 0.85, 25, design.palette.ink)},
                       {18});
    Block inner = design.symbol.isEmpty() ? initialsBlock(design, QSizeF(side * 0.62, side * 0.5), colours.text)
                                          : symbolBlock(design.symbol, side * 0.62, colours.text);
    Block icon = overlaid(tile, inner);
    // A long name reads better under the tile than beside it.
    if (design.name.size() > 16 || design.variant % 2)
        return stacked({icon, nameBlock(design, width, 60, design.palette.ink),
                        taglineBlock(design, width * 0.85, 24, design.palette.ink)},
                       {18, 8});
    return sideBySide({icon, wordsLeft(design, 280, 58)}, 26);
}

Block monogram(const Design& design)
{
    const FillColours colours = badgeColours(design.palette);
    const double side = 150;
    const QColor accent = markColour(design.palette);
    Block shape;
    QColor letters = colours.text;
    switch (design.variant % 3) {
    case 0: shape = shapeBlock(ShapeType::Ellipse, QSizeF(side, side), colours.fill); break;
    case 1: shape = shapeBlock(ShapeType::Polygon, QSizeF(side, side), colours.fill); break;
    default:
        shape = shapeBlock(ShapeType::Rectangle, QSizeF(side, side), Qt::transparent, accent, 5);
        letters = accent;
        break;
    }
    if (design.shortName())
        return stacked({overlaid(shape, nameBlock(design, side * 0.62, side * 0.5,
                                                  design.variant % 3 == 2 ? design.palette.ink : letters)),
                        taglineBlock(design, width * 0.85, 25, design.palette.ink)},
                       {20});
    Block mark = overlaid(shape, initialsBlock(design, QSizeF(side * 0.6, side * 0.45), letters));
    TextStyle spaced = design.nameStyle;
    Design words = design;
    // Under a monogram the name is set small and open, as a signature line.
    if (!spaced.italic && readsLetterByLetter(design.name))
        words.nameStyle.spacing = std::max(spaced.spacing, 6.0);
    Block name = nameBlock(words, width, 44, design.palette.ink);
    Block tagline = taglineBlock(design, width * 0.85, 22, design.palette.ink);
    return stacked({mark, name, tagline}, {22, 8});
}

} // namespace vm::ideas
