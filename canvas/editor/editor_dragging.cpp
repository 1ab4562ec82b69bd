#include "canvas/editor/editor_widget.h"

#include "canvas/editing/logo_editor.h"
#include "canvas/editor/stage_items.h"
#include "canvas/editor/stage_view.h"

#include <QGraphicsScene>

namespace vm {

void EditorWidget::dragSelection(const QPointF& distance, Qt::KeyboardModifiers modifiers)
{
    if (!drag_.active) {
        // What moves and what it may snap to is settled once, when the drag starts.
        drag_.active = true;
        drag_.moving.clear();
        QList<const LogoElement*> moving;
        for (QGraphicsItem* item : scene_->selectedItems()) {
            auto* element = dynamic_cast<ElementItem*>(item);
            if (!element || !(element->flags() & QGraphicsItem::ItemIsMovable))
                continue;
            drag_.moving.emplace_back(element, element->pos());
            moving.append(&element->element());
        }
        drag_.snapping = SelectionDrag(editor_.document(), moving);
    }
    const SelectionDrag::Step step = drag_.snapping.step(distance, !(modifiers & Qt::AltModifier), snapPixels / view_->zoom());
    for (const auto& [item, start] : drag_.moving)
        item->setPos(start + step.offset);
    view_->setGuides(step.guides);
}

void EditorWidget::finishDrag()
{
    drag_.active = false;
    drag_.moving.clear();
    view_->setGuides({});
}

void EditorWidget::commitMoves()
{
    std::map<quint64, QPointF> positions;
    for (QGraphicsItem* item : scene_->items())
        if (auto* element = dynamic_cast<ElementItem*>(item); element && element->pos() != element->element().position)
            positions[element->id()] = element->pos();
    if (!positions.empty())
        editor_.moveTo(positions);
}

void EditorWidget::commitTransform(ElementItem& item)
{
    editor_.setGeometry(item.id(), item.pos(), item.boxSize(), item.rotation());
}

} // namespace vm
