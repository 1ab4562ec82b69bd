#include "canvas/ideas/contrast.h"

#include <algorithm>
#include <cmath>

namespace vm::ideas {

namespace {
double linear(double channel)
{
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
} // namespace

double relativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mostReadableOn(const QColor& background, std::initializer_list<QColor> candidates)
{
    QColor best;
    double bestRatio = -1;
    for (const QColor& candidate : candidates) {
        const double ratio = contrastRatio(background, candidate);
        if (ratio > bestRatio) {
            best = candidate;
            bestRatio = ratio;
        }
    }
    return best;
}

} // namespace vm::ideas
