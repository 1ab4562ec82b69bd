#include "canvas/editing/selection_drag.h"

#include "canvas/editing/arrangement.h"
#include "canvas/logo/logo_document.h"

#include <QSet>

namespace vm {

SelectionDrag::SelectionDrag(const LogoDocument& logo, const QList<const LogoElement*>& moving)
{
    QSet<quint64> movingIds;
    for (const LogoElement* element : moving) {
        movingIds.insert(element->id);
        const QRectF bounds = visualBounds(*element);
        startBounds_ = startBounds_.isNull() ? bounds : startBounds_.united(bounds);
    }
    QList<QRectF> others;
    for (const LogoElement& element : logo.elements)
        if (!element.hidden && !movingIds.contains(element.id))
            others.append(visualBounds(element));
    snapper_ = Snapper(others, logo.stageSize);
}

SelectionDrag::Step SelectionDrag::step(const QPointF& distance, bool snap, double tolerance) const
{
    Step step{distance, {}};
    if (snap) {
        const Snapper::Result snapped = snapper_.snap(startBounds_.translated(distance), tolerance);
        step.offset += snapped.offset;
        step.guides = snapped.guides;
    }
    return step;
}

} // namespace vm
