#include "canvas/ideas/layouts.h"

#include "canvas/ideas/text_fit.h"

namespace vm::ideas {

namespace {
constexpr double width = 420;

// The mark small above a wordmark, when the design has a symbol.
std::vector<Block> withSmallMark(const Design& design, std::vector<Block> blocks, std::vector<double>& gaps)
{
    if (design.symbol.isEmpty())
        return blocks;
    blocks.insert(blocks.begin(), symbolBlock(design.symbol, 64, markColour(design.palette)));
    gaps.insert(gaps.begin(), 14);
    return blocks;
}
} // namespace

Block wordmarkWithRule(const Design& design)
{
    const QColor ink = design.palette.ink;
    Block name = nameBlock(design, width, 84, ink);
    Block rule = ruleBlock(name.bounds.width(), 3, markColour(design.palette));
    Block tagline = taglineBlock(design, name.bounds.width() * 1.1, 25, ink);
    std::vector<double> gaps{14, 12};
    return stacked({name, rule, tagline}, gaps);
}

Block wordmarkUnderlined(const Design& design)
{
    const QColor ink = design.palette.ink;
    Block name = nameBlock(design, width, 84, ink);
    Block bar = ruleBlock(std::max(40.0, name.bounds.width() * 0.22), 8, markColour(design.palette));
    Block tagline = taglineBlock(design, width * 0.9, 25, ink);
    std::vector<double> gaps{12, 16};
    std::vector<Block> blocks = withSmallMark(design, {name, bar, tagline}, gaps);
    return stacked(blocks, gaps);
}

Block stackedWithDivider(const Design& design)
{
    const QColor ink = design.palette.ink, accent = markColour(design.palette);
    // Names of several words stack one word group per line.
    Design split = design;
    if (split.name.simplified().contains(QLatin1Char(' ')) && split.name.size() <= 28)
        split.name = onTwoLines(split.name);
    LogoElement text = nameBlock(split, width, 72, ink).elements.front();
    if (split.name != design.name)
        fitText(text, QSizeF(width, 150), 72);
    text.lineSpacing = 1;
    Block name = blockOf(text);
    const double lineWidth = std::max(120.0, name.bounds.width());
    Block divider;
    if (design.tagline.trimmed().isEmpty()) {
        divider = ruleBlock(lineWidth * 0.5, 2, accent);
    } else {
        Block tagline = taglineBlock(design, std::max(lineWidth * 0.9, 260.0), 24, ink);
        const double side = std::max(24.0, (lineWidth - tagline.bounds.width()) / 2 - 14);
        divider = sideBySide({ruleBlock(side, 2, accent), tagline, ruleBlock(side, 2, accent)}, 14);
    }
    std::vector<double> gaps{16};
    std::vector<Block> blocks = withSmallMark(design, {name, divider}, gaps);
    return stacked(blocks, gaps);
}

Block framedName(const Design& design)
{
    const QColor ink = design.palette.ink, accent = markColour(design.palette);
    Block name = nameBlock(design, 360, 66, ink);
    Block tagline = taglineBlock(design, 340, 23, ink);
    Block words = stacked({name, tagline}, {10});
    const QSizeF frame(words.bounds.width() + 64, words.bounds.height() + 48);
    Block box = shapeBlock(design.variant % 2 ? ShapeType::RoundedRectangle : ShapeType::Rectangle, frame,
                           Qt::transparent, accent, 4);
    return overlaid(box, words);
}

const std::vector<LayoutFamily>& layoutFamilies()
{
    static const std::vector<LayoutFamily> families = {
        {QStringLiteral("symbol-above"), symbolAbove, true, 0},
        {QStringLiteral("symbol-left"), symbolLeft, true, 0},
        {QStringLiteral("circle-badge"), circleBadge, true, 26},
        {QStringLiteral("wordmark-rule"), wordmarkWithRule, false, 0},
        {QStringLiteral("shield-emblem"), shieldEmblem, true, 0},
        {QStringLiteral("monogram"), monogram, false, 0},
        {QStringLiteral("ribbon"), ribbonBanner, true, 0},
        {QStringLiteral("app-icon"), appIcon, true, 0},
        {QStringLiteral("curved-ring"), curvedAroundMark, true, 16, 4, true},
        {QStringLiteral("stacked-divider"), stackedWithDivider, true, 0},
        {QStringLiteral("split-divider"), splitWithDivider, true, 0},
        {QStringLiteral("seal"), sealBadge, true, 24},
        {QStringLiteral("framed"), framedName, false, 0},
        {QStringLiteral("underlined"), wordmarkUnderlined, true, 0},
    };
    return families;
}

} // namespace vm::ideas
