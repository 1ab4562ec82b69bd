#include "canvas/editing/snapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vm {

namespace {

void sortUnique(std::vector<double>& lines)
{
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
}

// The nearest line to value, or NaN when none lies within reach.
double nearest(const std::vector<double>& lines, double value, double reach)
{
    const auto above = std::lower_bound(lines.begin(), lines.end(), value);
    double best = std::numeric_limits<double>::quiet_NaN();
    double bestDistance = reach;
    const auto consider = [&](std::vector<double>::const_iterator line) {
        const double distance = std::abs(*line - value);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = *line;
        }
    };
    if (above != lines.end())
        consider(above);
    if (above != lines.begin())
        consider(std::prev(above));
    return best;
}

struct AxisSnap {
    double shift = 0;
    bool found = false;
};

// The smallest shift that puts one of the box's three lines on a target line.
AxisSnap snapAxis(const std::vector<double>& lines, const double (&own)[3], double tolerance)
{
    AxisSnap result;
    double reach = tolerance;
    for (double value : own) {
        const double target = nearest(lines, value, reach);
        if (std::isnan(target))
            continue;
        result.shift = target - value;
        result.found = true;
        reach = std::abs(result.shift);
    }
    return result;
}

} // namespace

Snapper::Snapper(const QList<QRectF>& others, const QSizeF& stage)
{
    xs_.reserve(others.size() * 3 + 1);
    ys_.reserve(others.size() * 3 + 1);
    xs_.push_back(stage.width() / 2);
    ys_.push_back(stage.height() / 2);
    for (const QRectF& box : others) {
        xs_.insert(xs_.end(), {box.left(), box.center().x(), box.right()});
        ys_.insert(ys_.end(), {box.top(), box.center().y(), box.bottom()});
    }
    sortUnique(xs_);
    sortUnique(ys_);
}

Snapper::Result Snapper::snap(const QRectF& moving, double tolerance) const
{
    Result result;
    if (!(tolerance > 0))
        return result;
    const double ownX[3] = {moving.left(), moving.center().x(), moving.right()};
    const double ownY[3] = {moving.top(), moving.center().y(), moving.bottom()};
    const AxisSnap x = snapAxis(xs_, ownX, tolerance);
    const AxisSnap y = snapAxis(ys_, ownY, tolerance);
    result.offset = QPointF(x.shift, y.shift);
    // Every line the landed box touches gets a guide, not only the one that pulled it.
    const auto guides = [&](const std::vector<double>& lines, const double (&own)[3], double shift, Qt::Orientation orientation) {
        for (double value : own) {
            const double landed = value + shift;
            const auto line = std::lower_bound(lines.begin(), lines.end(), landed - 1e-6);
            if (line != lines.end() && std::abs(*line - landed) <= 1e-6)
                result.guides.append({orientation, *line});
        }
    };
    if (x.found)
        guides(xs_, ownX, x.shift, Qt::Vertical);
    if (y.found)
        guides(ys_, ownY, y.shift, Qt::Horizontal);
    return result;
}

} // namespace vm
