#pragma once

#include "canvas/logo/logo_document.h"

#include <QRectF>
#include <QSize>
#include <vector>

namespace vm::ideas {

// A piece of a logo being put together: its elements and the box they cover
// (outlines included), in its own coordinates.
struct Block {
    std::vector<LogoElement> elements;
    QRectF bounds;

    bool empty() const { return elements.empty(); }
};

// What an element covers on the stage: its box, and half an outline beyond it.
QRectF coverOf(const LogoElement& element);

Block blockOf(const LogoElement& element);
void moveBlock(Block& block, const QPointF& by);
// Scales about the origin: boxes, font sizes, outlines, corners and arcs.
void scaleBlock(Block& block, double factor);
// Blocks one under another, centred on a common vertical axis (or flush left), gaps[i] after block i.
Block stacked(std::vector<Block> blocks, const std::vector<double>& gaps, bool flushLeft = false);
// Blocks side by side, centred on a common horizontal axis, left aligned texts kept left.
Block sideBySide(std::vector<Block> blocks, double gap);
// top drawn over base, their centres together, top moved by offset.
Block overlaid(Block base, Block top, const QPointF& offset = {});

// The block as the stage's elements: scaled to fill room (the stage less its
// margins) without any text growing past maxNameFont, and centred.
std::vector<LogoElement> placeOnStage(Block block, const QSize& stage, const QSizeF& room, double maxNameFont);

// Layer names: what the layers list shows, and how tests and variations find an element's role.
namespace role {
inline const QString name = QStringLiteral("Name");
inline const QString tagline = QStringLiteral("Tagline");
inline const QString symbol = QStringLiteral("Symbol");
inline const QString monogram = QStringLiteral("Monogram");
inline const QString badge = QStringLiteral("Badge");
inline const QString rule = QStringLiteral("Rule");
} // namespace role

} // namespace vm::ideas
