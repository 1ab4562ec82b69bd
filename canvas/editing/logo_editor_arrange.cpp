#include "canvas/editing/logo_editor.h"

#include <algorithm>

namespace vm {

namespace {
// The lock and hide keys: on for the whole selection unless all of it is on already.
bool turnOn(const QList<const LogoElement*>& selected, bool LogoElement::*flag)
{
    return std::any_of(selected.begin(), selected.end(), [flag](const LogoElement* element) { return !(element->*flag); });
}
} // namespace

void LogoEditor::setGeometry(quint64 id, const QPointF& position, const QSizeF& size, double rotation)
{
    const LogoElement* current = find(id);
    if (!current)
        return;
    // Named after what the user did: the handles resize or turn, the fields may do both.
    const QString label = current->size != size ? tr("Resize") : current->rotation != rotation ? tr("Rotate") : tr("Move");
    edit(label, [&](LogoDocument& document) {
        auto element = findIn(document.elements, id);
        if (element == document.elements.end() || size.width() <= 0 || size.height() <= 0)
            return false;
        if (element->position == position && element->size == size && element->rotation == rotation)
            return false;
        element->position = position;
        element->size = size;
        element->rotation = std::fmod(rotation, 360.0);
        return true;
    });
}

void LogoEditor::moveTo(const std::map<quint64, QPointF>& positions)
{
    edit(tr("Move"), [&](LogoDocument& document) {
        bool moved = false;
        for (LogoElement& element : document.elements) {
            const auto found = positions.find(element.id);
            if (found != positions.end() && found->second != element.position && !element.locked) {
                element.position = found->second;
                moved = true;
            }
        }
        return moved;
    });
}

void LogoEditor::nudgeSelected(const QPointF& delta)
{
    const QList<const LogoElement*> movable = movableSelection();
    shiftElements(tr("Move"), movable, QList<QPointF>(movable.size(), delta), true);
}

void LogoEditor::shiftElements(const QString& label, const QList<const LogoElement*>& elements, const QList<QPointF>& offsets,
                               bool mergeable)
{
    std::map<quint64, QPointF> shifts;
    for (qsizetype index = 0; index < elements.size(); ++index)
        if (!offsets[index].isNull())
            shifts[elements[index]->id] = offsets[index];
    edit(label, [&](LogoDocument& document) {
        for (LogoElement& element : document.elements)
            if (const auto shift = shifts.find(element.id); shift != shifts.end())
                element.position += shift->second;
        return !shifts.empty();
    }, mergeable);
}

void LogoEditor::alignSelected(Alignment alignment)
{
    const QList<const LogoElement*> movable = movableSelection();
    if (movable.isEmpty())
        return;
    QList<QRectF> boxes;
    QRectF bounds;
    for (const LogoElement* element : movable) {
        boxes.append(visualBounds(*element));
        bounds = bounds.isNull() ? boxes.last() : bounds.united(boxes.last());
    }
    const QRectF stage(QPointF(0, 0), document_.stageSize);
    static const char* const labels[] = {QT_TR_NOOP("Align Left"), QT_TR_NOOP("Align Centre"), QT_TR_NOOP("Align Right"),
                                         QT_TR_NOOP("Align Top"), QT_TR_NOOP("Align Middle"), QT_TR_NOOP("Align Bottom")};
    shiftElements(tr(labels[int(alignment)]), movable, alignOffsets(boxes, alignment, movable.size() == 1 ? stage : bounds));
}

void LogoEditor::distributeSelected(Qt::Orientation orientation)
{
    const QList<const LogoElement*> movable = movableSelection();
    QList<QRectF> boxes;
    for (const LogoElement* element : movable)
        boxes.append(visualBounds(*element));
    shiftElements(orientation == Qt::Horizontal ? tr("Distribute Horizontally") : tr("Distribute Vertically"), movable,
                  distributeOffsets(boxes, orientation));
}

void LogoEditor::moveLayer(quint64 id, int index)
{
    edit(tr("Reorder"), [&](LogoDocument& document) {
        auto& elements = document.elements;
        const auto found = findIn(elements, id);
        if (found == elements.end())
            return false;
        const int from = int(found - elements.begin());
        const int to = std::clamp(index, 0, int(elements.size()) - 1);
        if (from == to)
            return false;
        LogoElement moved = std::move(*found);
        elements.erase(found);
        elements.insert(elements.begin() + to, std::move(moved));
        return true;
    });
}

void LogoEditor::flipSelected(Qt::Orientation orientation)
{
    changeSelected(orientation == Qt::Horizontal ? tr("Flip Horizontally") : tr("Flip Vertically"), [&](LogoElement& element) {
        if (element.locked)
            return false;
        bool& flipped = orientation == Qt::Horizontal ? element.flipHorizontal : element.flipVertical;
        flipped = !flipped;
        return true;
    });
}

void LogoEditor::setLocked(const QSet<quint64>& ids, bool locked)
{
    setFlag(ids, &LogoElement::locked, locked, locked ? tr("Lock") : tr("Unlock"));
}

void LogoEditor::setHidden(const QSet<quint64>& ids, bool hidden)
{
    setFlag(ids, &LogoElement::hidden, hidden, hidden ? tr("Hide") : tr("Show"));
}

void LogoEditor::setFlag(const QSet<quint64>& ids, bool LogoElement::*flag, bool on, const QString& label)
{
    edit(label, [&](LogoDocument& document) {
        bool changed = false;
        for (LogoElement& element : document.elements)
            if (ids.contains(element.id) && element.*flag != on) {
                element.*flag = on;
                changed = true;
            }
        return changed;
    });
}
void LogoEditor::toggleLockedSelected() { setLocked(selection_, turnOn(selectedElements(), &LogoElement::locked)); }

void LogoEditor::toggleHiddenSelected() { setHidden(selection_, turnOn(selectedElements(), &LogoElement::hidden)); }


void LogoEditor::rename(quint64 id, const QString& name)
{
    const QString cleaned = name.simplified();
    edit(tr("Rename"), [&](LogoDocument& document) {
        const auto element = findIn(document.elements, id);
        if (element == document.elements.end() || element->name == cleaned)
            return false;
        element->name = cleaned;
        return true;
    });
}

void LogoEditor::bringForward()
{
    edit(tr("Bring Forward"), [&](LogoDocument& document) {
        auto& elements = document.elements;
        bool moved = false;
        // From the top down, so a selected run moves up as one.
        for (int index = int(elements.size()) - 2; index >= 0; --index) {
            if (selection_.contains(elements[index].id) && !selection_.contains(elements[index + 1].id)) {
                std::swap(elements[index], elements[index + 1]);
                moved = true;
            }
        }
        return moved;
    });
}

void LogoEditor::sendBackward()
{
    edit(tr("Send Backward"), [&](LogoDocument& document) {
        auto& elements = document.elements;
        bool moved = false;
        for (size_t index = 1; index < elements.size(); ++index) {
            if (selection_.contains(elements[index].id) && !selection_.contains(elements[index - 1].id)) {
                std::swap(elements[index], elements[index - 1]);
                moved = true;
            }
        }
        return moved;
    });
}

void LogoEditor::groupAll()
{
    if (document_.elements.size() < 2)
        return;
    LogoElement group;
    group.kind = ElementKind::Group;
    group.id = nextId_++;
    group.children = document_.elements;
    const QRectF box = childrenBox(group);
    group.position = box.topLeft();
    group.size = box.size();
    edit(tr("Group All"), [&](LogoDocument& document) {
        document.elements = {group};
        return true;
    });
    select({group.id});
}

void LogoEditor::ungroupSelected()
{
    QSet<quint64> freed;
    edit(tr("Ungroup"), [&](LogoDocument& document) {
        std::vector<LogoElement> result;
        bool changed = false;
        for (LogoElement& element : document.elements) {
            // Only a plain group comes apart as it looks; a turned or stretched one stays whole.
            const QRectF natural = childrenBox(element);
            if (element.kind == ElementKind::Group && selection_.contains(element.id) && element.rotation == 0
                && qFuzzyCompare(natural.width(), element.size.width()) && qFuzzyCompare(natural.height(), element.size.height())) {
                for (LogoElement child : element.children) {
                    child.position += element.position - natural.topLeft();
                    freed.insert(child.id);
                    result.push_back(std::move(child));
                }
                changed = true;
            } else {
                result.push_back(std::move(element));
            }
        }
        document.elements = std::move(result);
        return changed;
    });
    if (!freed.isEmpty())
        select(freed);
}

} // namespace vm
