#pragma once

#include "canvas/editing/snapping.h"

#include <QList>
#include <QPointF>
#include <QRectF>

namespace vm {

struct LogoDocument;
struct LogoElement;

// A drag of the selection on the stage: the box the moving elements started in
// and the lines it may snap to, settled once when the drag starts.
class SelectionDrag {
public:
    SelectionDrag() = default;
    // moving: the elements the drag takes along, as the stage shows them. They
    // snap to the stage centre and to every other element of logo that is shown.
    SelectionDrag(const LogoDocument& logo, const QList<const LogoElement*>& moving);

    struct Step {
        QPointF offset;          // how far every moving element is from where it started
        QList<SnapGuide> guides; // the lines the moved box now touches
    };
    // distance: how far the mouse went; tolerance in stage units. Without snap
    // (Alt held) the elements follow the mouse exactly.
    Step step(const QPointF& distance, bool snap, double tolerance) const;

private:
    QRectF startBounds_;
    Snapper snapper_;
};

} // namespace vm
