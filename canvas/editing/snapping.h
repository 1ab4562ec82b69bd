#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

namespace vm {

// A line the dragged selection lined up with: a vertical line at x = position
// or a horizontal one at y = position, in stage units.
struct SnapGuide {
    Qt::Orientation orientation = Qt::Vertical;
    double position = 0;
    bool operator==(const SnapGuide&) const = default;
};

// Where a dragged box would like to land: the stage centre and the edges and
// centres of the elements that stay put. Built once when a drag starts, so
// each mouse move costs two binary searches whatever the number of elements.
class Snapper {
public:
    Snapper() = default;
    Snapper(const QList<QRectF>& others, const QSizeF& stage);

    struct Result {
        QPointF offset;           // add this to the box's position
        QList<SnapGuide> guides;  // the lines it now touches
    };
    // tolerance is in stage units: a few screen pixels divided by the zoom.
    Result snap(const QRectF& moving, double tolerance) const;

private:
    std::vector<double> xs_;
    std::vector<double> ys_;
};

} // namespace vm
