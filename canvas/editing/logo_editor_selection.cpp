#include "canvas/editing/logo_editor.h"

namespace vm {

void LogoEditor::select(const QSet<quint64>& ids)
{
    QSet<quint64> known;
    for (quint64 id : ids)
        if (find(id))
            known.insert(id);
    if (known == selection_)
        return;
    selection_ = known;
    emit selectionChanged();
}

const LogoElement* LogoEditor::find(quint64 id) const
{
    for (const LogoElement& element : document_.elements)
        if (element.id == id)
            return &element;
    return nullptr;
}

QList<const LogoElement*> LogoEditor::selectedElements() const
{
    QList<const LogoElement*> selected;
    for (const LogoElement& element : document_.elements)
        if (selection_.contains(element.id))
            selected.append(&element);
    return selected;
}

QList<const LogoElement*> LogoEditor::movableSelection() const
{
    QList<const LogoElement*> movable = selectedElements();
    movable.removeIf([](const LogoElement* element) { return element->locked; });
    return movable;
}

void LogoEditor::copy()
{
    clipboard_.clear();
    for (const LogoElement* element : selectedElements())
        clipboard_.push_back(*element);
    pasteCount_ = 0;
}

void LogoEditor::cut()
{
    copy();
    deleteSelected();
}

void LogoEditor::paste()
{
    if (clipboard_.empty())
        return;
    ++pasteCount_;
    std::vector<LogoElement> pasted = clipboard_;
    assignIds(pasted);
    QSet<quint64> ids;
    for (LogoElement& element : pasted) {
        element.position += QPointF(12, 12) * pasteCount_;
        ids.insert(element.id);
    }
    edit(tr("Paste"), [&](LogoDocument& document) {
        document.elements.insert(document.elements.end(), pasted.begin(), pasted.end());
        return true;
    });
    select(ids);
}

void LogoEditor::deleteSelected()
{
    edit(tr("Delete"), [&](LogoDocument& document) {
        const auto before = document.elements.size();
        std::erase_if(document.elements, [&](const LogoElement& element) { return selection_.contains(element.id); });
        return document.elements.size() != before;
    });
}

} // namespace vm
