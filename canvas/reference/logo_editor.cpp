#include "canvas/reference/logo_editor.h"

#include <QUndoCommand>

namespace vm {

class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(LogoEditor& editor, const QString& label, LogoDocument before, LogoDocument after, QSet<quint64> selectionBefore,
                    QSet<quint64> selectionAfter)
        : QUndoCommand(label), editor_(editor), before_(std::move(before)), after_(std::move(after)),
          selectionBefore_(std::move(selectionBefore)), selectionAfter_(std::move(selectionAfter))
    {
    }
    void undo() override { editor_.restore(before_, selectionBefore_); }
    void redo() override { editor_.restore(after_, selectionAfter_); }

private:
    LogoEditor& editor_;
    LogoDocument before_;
    LogoDocument after_;
    QSet<quint64> selectionBefore_;
    QSet<quint64> selectionAfter_;
};

namespace {
constexpr int undoLimit = 200;

std::vector<LogoElement>::iterator findIn(std::vector<LogoElement>& elements, quint64 id)
{
    return std::find_if(elements.begin(), elements.end(), [id](const LogoElement& element) { return element.id == id; });
}
} // namespace

LogoEditor::LogoEditor(QObject* parent) : QObject(parent) { undoStack_.setUndoLimit(undoLimit); }

void LogoEditor::load(LogoDocument document)
{
    document_ = std::move(document);
    assignIds(document_.elements);
    selection_.clear();
    clipboard_.clear();
    undoStack_.clear();
    emit documentChanged();
    emit selectionChanged();
}

void LogoEditor::clear() { load(LogoDocument()); }

void LogoEditor::assignIds(std::vector<LogoElement>& elements)
{
    for (LogoElement& element : elements) {
        element.id = nextId_++;
        assignIds(element.children);
    }
}

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

bool LogoEditor::edit(const QString& label, const Change& change)
{
    LogoDocument after = document_;
    if (!change(after))
        return false;
    // Selection ids that no longer exist are dropped when restored.
    undoStack_.push(new SnapshotCommand(*this, label, document_, std::move(after), selection_, selection_));
    return true;
}

void LogoEditor::restore(const LogoDocument& document, const QSet<quint64>& selection)
{
    document_ = document;
    QSet<quint64> kept;
    for (quint64 id : selection)
        if (find(id))
            kept.insert(id);
    const bool selectionMoved = kept != selection_;
    selection_ = kept;
    emit documentChanged();
    if (selectionMoved)
        emit selectionChanged();
    emit edited();
}

quint64 LogoEditor::addElement(LogoElement element, const QString& label)
{
    element.id = nextId_++;
    assignIds(element.children);
    // Centred on the stage, so a new element is always in view.
    element.position = QPointF((document_.stageSize.width() - element.size.width()) / 2,
                               (document_.stageSize.height() - element.size.height()) / 2);
    const quint64 id = element.id;
    selection_ = {id};
    edit(label, [&](LogoDocument& document) {
        document.elements.push_back(element);
        return true;
    });
    emit selectionChanged();
    return id;
}

quint64 LogoEditor::addText(const QString& text, const QString& family, double fontSize)
{
    LogoElement element;
    element.kind = ElementKind::Text;
    element.text = text;
    element.fontFamily = family.isEmpty() ? QStringLiteral("DejaVu Sans") : family;
    element.fontSize = fontSize;
    element.color = QColor(0x1f, 0x3a, 0x5f);
    element.size = renderer_.textSize(element);
    return addElement(element, tr("Add text"));
}

quint64 LogoEditor::addSymbol(const QString& path, const QColor& color)
{
    LogoElement element;
    element.kind = ElementKind::Symbol;
    element.symbol = path;
    element.color = color;
    element.size = QSizeF(120, 120);
    return addElement(element, tr("Add symbol"));
}

quint64 LogoEditor::addPicture(const QString& fileName)
{
    LogoElement element;
    element.kind = ElementKind::Picture;
    element.picture = fileName;
    QSizeF size = renderer_.pictureSize(fileName);
    if (size.isEmpty())
        size = QSizeF(160, 120);
    // A large picture comes in at a size that fits a good part of the stage.
    element.size = size.scaled(size.boundedTo(QSizeF(240, 240)), Qt::KeepAspectRatio);
    return addElement(element, tr("Add picture"));
}

void LogoEditor::setText(quint64 id, const QString& text)
{
    edit(tr("Edit text"), [&](LogoDocument& document) {
        auto element = findIn(document.elements, id);
        if (element == document.elements.end() || element->kind != ElementKind::Text || element->text == text)
            return false;
        // Keep the stretch the user gave the old text.
        const QSizeF oldNatural = renderer_.textSize(*element);
        element->text = text;
        const QSizeF natural = renderer_.textSize(*element);
        element->size = QSizeF(natural.width() * element->size.width() / oldNatural.width(),
                               natural.height() * element->size.height() / oldNatural.height());
        return true;
    });
}

void LogoEditor::setPicture(quint64 id, const QString& fileName)
{
    edit(tr("Replace picture"), [&](LogoDocument& document) {
        auto element = findIn(document.elements, id);
        if (element == document.elements.end() || element->kind != ElementKind::Picture || element->picture == fileName)
            return false;
        element->picture = fileName;
        // A cropped picture keeps its width on the stage and takes its own proportions.
        const QSizeF natural = renderer_.pictureSize(fileName);
        if (!natural.isEmpty())
            element->size.setHeight(element->size.width() * natural.height() / natural.width());
        return true;
    });
}

void LogoEditor::setGeometry(quint64 id, const QPointF& position, const QSizeF& size, double rotation)
{
    edit(tr("Transform"), [&](LogoDocument& document) {
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
            if (found != positions.end() && found->second != element.position) {
                element.position = found->second;
                moved = true;
            }
        }
        return moved;
    });
}

void LogoEditor::nudgeSelected(const QPointF& delta)
{
    changeSelected(tr("Move"), [&](LogoElement& element) {
        element.position += delta;
        return true;
    });
}

void LogoEditor::changeSelected(const QString& label, const std::function<bool(LogoElement&)>& change)
{
    edit(label, [&](LogoDocument& document) {
        bool changed = false;
        for (LogoElement& element : document.elements)
            if (selection_.contains(element.id))
                changed = change(element) || changed;
        return changed;
    });
}

void LogoEditor::setColor(const QColor& color)
{
    changeSelected(tr("Colour"), [&](LogoElement& element) {
        const auto recolour = [&](LogoElement& target, auto& self) -> bool {
            bool changed = false;
            if ((target.kind == ElementKind::Text || target.kind == ElementKind::Symbol) && target.color != color) {
                target.color = color;
                changed = true;
            }
            for (LogoElement& child : target.children)
                changed = self(child, self) || changed;
            return changed;
        };
        return recolour(element, recolour);
    });
}

void LogoEditor::setFontFamily(const QString& family)
{
    changeSelected(tr("Font"), [&](LogoElement& element) {
        if (element.kind != ElementKind::Text || element.fontFamily == family)
            return false;
        element.fontFamily = family;
        element.size = renderer_.textSize(element);
        return true;
    });
}

void LogoEditor::setFontSize(double size)
{
    changeSelected(tr("Font size"), [&](LogoElement& element) {
        if (element.kind != ElementKind::Text || element.fontSize == size || size < 1)
            return false;
        element.fontSize = size;
        element.size = renderer_.textSize(element);
        return true;
    });
}

void LogoEditor::setBold(bool bold)
{
    changeSelected(tr("Bold"), [&](LogoElement& element) {
        if (element.kind != ElementKind::Text || element.bold == bold)
            return false;
        element.bold = bold;
        element.size = renderer_.textSize(element);
        return true;
    });
}

void LogoEditor::setItalic(bool italic)
{
    changeSelected(tr("Italic"), [&](LogoElement& element) {
        if (element.kind != ElementKind::Text || element.italic == italic)
            return false;
        element.italic = italic;
        element.size = renderer_.textSize(element);
        return true;
    });
}

void LogoEditor::setBackground(const QColor& color)
{
    edit(tr("Background"), [&](LogoDocument& document) {
        if (document.background == color)
            return false;
        document.background = color;
        return true;
    });
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

void LogoEditor::bringForward()
{
    edit(tr("Bring forward"), [&](LogoDocument& document) {
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
    edit(tr("Send backward"), [&](LogoDocument& document) {
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
    edit(tr("Group all"), [&](LogoDocument& document) {
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

void LogoEditor::replaceAll(LogoDocument document, const QString& label)
{
    assignIds(document.elements);
    edit(label, [&](LogoDocument& current) {
        current = document;
        return true;
    });
    select({});
}

} // namespace vm
