#pragma once

#include "canvas/ideas/layout_parts.h"

#include <vector>

namespace vm::ideas {

// One layout family: a small rule set that arranges a design's name, tagline
// and mark, at any size; placeOnStage then fits the result to the stage.
struct LayoutFamily {
    QString id;
    Block (*build)(const Design& design);
    bool showsSymbol = true;  // draws the design's symbol when it has one
    int maxNameLength = 0;    // longer names are left to other families; 0: any length
    int minNameLength = 1;    // shorter names are left to other families
    bool bendsText = false;   // sets the name round a circle: only for scripts read letter by letter
};

// Every family, in a fixed order.
const std::vector<LayoutFamily>& layoutFamilies();

// The families, one file each group.
Block symbolAbove(const Design& design);
Block symbolLeft(const Design& design);
Block splitWithDivider(const Design& design);
Block appIcon(const Design& design);
Block monogram(const Design& design);
Block circleBadge(const Design& design);
Block shieldEmblem(const Design& design);
Block ribbonBanner(const Design& design);
Block sealBadge(const Design& design);
Block curvedAroundMark(const Design& design);
Block wordmarkWithRule(const Design& design);
Block wordmarkUnderlined(const Design& design);
Block stackedWithDivider(const Design& design);
Block framedName(const Design& design);

} // namespace vm::ideas
