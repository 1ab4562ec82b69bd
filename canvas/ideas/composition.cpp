#include "canvas/ideas/composition.h"

#include "canvas/ideas/text_fit.h"

#include <algorithm>

namespace vm::ideas {

QRectF coverOf(const LogoElement& element)
{
    const QRectF box = element.box();
    if (element.kind != ElementKind::Shape || element.strokeWidth <= 0)
        return box;
    const double half = element.strokeWidth / 2;
    return box.adjusted(-half, -half, half, half);
}

Block blockOf(const LogoElement& element)
{
    return Block{{element}, coverOf(element)};
}

void moveBlock(Block& block, const QPointF& by)
{
    for (LogoElement& element : block.elements)
        element.position += by;
    block.bounds.translate(by);
}

void scaleBlock(Block& block, double factor)
{
    for (LogoElement& element : block.elements) {
        if (element.kind == ElementKind::Text) {
            // Whole font pixels: keep the box's centre where scaling puts it.
            const QPointF centre = element.box().center() * factor;
            setFontSize(element, element.fontSize * factor);
            element.position = centre - QPointF(element.size.width() / 2, element.size.height() / 2);
            continue;
        }
        element.position *= factor;
        element.size *= factor;
        element.strokeWidth *= factor;
        element.cornerRadius *= factor;
    }
    QRectF bounds;
    for (const LogoElement& element : block.elements)
        bounds = bounds.isNull() ? coverOf(element) : bounds.united(coverOf(element));
    block.bounds = bounds;
}

Block stacked(std::vector<Block> blocks, const std::vector<double>& gaps, bool flushLeft)
{
    Block result;
    double width = 0;
    for (const Block& block : blocks)
        width = std::max(width, block.bounds.width());
    double y = 0;
    for (size_t index = 0; index < blocks.size(); ++index) {
        Block& block = blocks[index];
        if (block.empty())
            continue;
        const double left = flushLeft ? 0 : (width - block.bounds.width()) / 2;
        moveBlock(block, QPointF(left - block.bounds.left(), y - block.bounds.top()));
        y += block.bounds.height() + (index < gaps.size() ? gaps[index] : 0);
        result.elements.insert(result.elements.end(), block.elements.begin(), block.elements.end());
        result.bounds = result.bounds.isNull() ? block.bounds : result.bounds.united(block.bounds);
    }
    return result;
}

Block sideBySide(std::vector<Block> blocks, double gap)
{
    Block result;
    double height = 0;
    for (const Block& block : blocks)
        height = std::max(height, block.bounds.height());
    double x = 0;
    for (Block& block : blocks) {
        if (block.empty())
            continue;
        moveBlock(block, QPointF(x - block.bounds.left(), (height - block.bounds.height()) / 2 - block.bounds.top()));
        x += block.bounds.width() + gap;
        result.elements.insert(result.elements.end(), block.elements.begin(), block.elements.end());
        result.bounds = result.bounds.isNull() ? block.bounds : result.bounds.united(block.bounds);
    }
    return result;
}

Block overlaid(Block base, Block top, const QPointF& offset)
{
    moveBlock(top, base.bounds.center() - top.bounds.center() + offset);
    base.elements.insert(base.elements.end(), top.elements.begin(), top.elements.end());
    base.bounds = base.bounds.united(top.bounds);
    return base;
}

std::vector<LogoElement> placeOnStage(Block block, const QSize& stage, const QSizeF& room, double maxNameFont)
{
    if (block.empty())
        return {};
    double factor = std::min(room.width() / block.bounds.width(), room.height() / block.bounds.height());
    double largest = 0;
    for (const LogoElement& element : block.elements)
        if (element.kind == ElementKind::Text)
            largest = std::max(largest, element.fontSize);
    if (largest > 0)
        factor = std::min(factor, maxNameFont / largest);
    scaleBlock(block, factor);
    // Whole-pixel fonts may have grown a text a little: shrink until all is inside the room.
    for (int attempt = 0; attempt < 8 && (block.bounds.width() > room.width() || block.bounds.height() > room.height());
         ++attempt)
        scaleBlock(block, 0.97 * std::min(room.width() / block.bounds.width(), room.height() / block.bounds.height()));
    const QPointF stageCentre(stage.width() / 2.0, stage.height() / 2.0);
    moveBlock(block, stageCentre - block.bounds.center());
    return block.elements;
}

} // namespace vm::ideas
