#include "canvas/reference/logo_editor.h"

#include "canvas/logo/shipped_fonts.h"

#include <QElapsedTimer>
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

    // A slider dragged, a value typed in quick steps or a burst of arrow keys
    // is one undo step; a step that may not merge (a drag) is never taken in.
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const SnapshotCommand*>(other);
        if (next->text() != text() || next->selectionBefore_ != selectionAfter_ || !made_.isValid() || !next->made_.isValid()
            || made_.elapsed() > mergeWindowMs)
            return false;
        after_ = next->after_;
        selectionAfter_ = next->selectionAfter_;
        made_.restart();
        return true;
    }
    void setMergeable() { made_.start(); }

private:
    LogoEditor& editor_;
    LogoDocument before_;
    LogoDocument after_;
    QSet<quint64> selectionBefore_;
    QSet<quint64> selectionAfter_;
    QElapsedTimer made_; // valid only for steps that may take in the next one
    static constexpr qint64 mergeWindowMs = 800;
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

bool LogoEditor::edit(const QString& label, const Change& change, bool mergeable)
{
    LogoDocument after = document_;
    if (!change(after))
        return false;
    // Selection ids that no longer exist are dropped when restored.
    auto* command = new SnapshotCommand(*this, label, document_, std::move(after), selection_, selection_);
    if (mergeable)
        command->setMergeable();
    undoStack_.push(command);
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
    element.fontFamily = family.isEmpty() ? defaultTextFamily() : family;
    element.fontSize = fontSize;
    element.color = QColor(0x1f, 0x3a, 0x5f);
    element.size = renderer_.textSize(element);
    return addElement(element, tr("Add Text"));
}

quint64 LogoEditor::addSymbol(const QString& path, const QColor& color)
{
    LogoElement element;
    element.kind = ElementKind::Symbol;
    element.symbol = path;
    element.color = color;
    element.size = QSizeF(120, 120);
    return addElement(element, tr("Add Symbol"));
}

quint64 LogoEditor::addShape(ShapeType type)
{
    LogoElement element;
    element.kind = ElementKind::Shape;
    element.shapeType = type;
    element.color = QColor(0x13, 0x79, 0xce);
    element.size = QSizeF(140, 140);
    if (type == ShapeType::Rectangle || type == ShapeType::RoundedRectangle)
        element.size = QSizeF(180, 110);
    if (type == ShapeType::Line) {
        element.size = QSizeF(200, 12);
        element.strokeWidth = 4;
    }
    return addElement(element, tr("Add Shape"));
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
    return addElement(element, tr("Add Picture"));
}

void LogoEditor::setText(quint64 id, const QString& text)
{
    edit(tr("Edit Text"), [&](LogoDocument& document) {
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
    edit(tr("Crop Picture"), [&](LogoDocument& document) {
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

QList<const LogoElement*> LogoEditor::movableSelection() const
{
    QList<const LogoElement*> movable = selectedElements();
    movable.removeIf([](const LogoElement* element) { return element->locked; });
    return movable;
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

void LogoEditor::changeSelected(const QString& label, const std::function<bool(LogoElement&)>& change, bool mergeable)
{
    edit(
        label,
        [&](LogoDocument& document) {
            bool changed = false;
            for (LogoElement& element : document.elements)
                if (selection_.contains(element.id))
                    changed = change(element) || changed;
            return changed;
        },
        mergeable);
}

void LogoEditor::setColor(const QColor& color)
{
    changeSelected(tr("Change Colour"), [&](LogoElement& element) {
        const auto recolour = [&](LogoElement& target, auto& self) -> bool {
            bool changed = false;
            if (target.kind != ElementKind::Text && target.kind != ElementKind::Symbol && target.kind != ElementKind::Shape)
                return false;
            if (target.color != color) {
                target.color = color;
                changed = true;
            }
            // A colour picked for a gradient-filled element paints it in that colour.
            if (target.fill.kind != Fill::Kind::Solid) {
                target.fill.kind = Fill::Kind::Solid;
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
    changeSelected(tr("Change Font"), [&](LogoElement& element) {
        if (element.kind != ElementKind::Text || element.fontFamily == family)
            return false;
        element.fontFamily = family;
        element.size = renderer_.textSize(element);
        return true;
    });
}

void LogoEditor::setFontSize(double size)
{
    changeSelected(tr("Change Font Size"), [&](LogoElement& element) {
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
    edit(tr("Change Background"), [&](LogoDocument& document) {
        if (document.background == color)
            return false;
        document.background = color;
        return true;
    });
}

void LogoEditor::setBackgroundTransparent(bool transparent)
{
    QColor colour = document_.background.isValid() ? document_.background : QColor(Qt::white);
    colour.setAlpha(transparent ? 0 : 255);
    edit(tr("Transparent Background"), [&](LogoDocument& document) {
        if (document.background == colour)
            return false;
        document.background = colour;
        return true;
    });
}

namespace {
bool paintsFill(const LogoElement& element) { return element.kind == ElementKind::Text || element.kind == ElementKind::Shape; }

// A text's box after a change of layout: the same stretch, the same centre.
void refit(LogoElement& text, const QSizeF& oldNatural, const QSizeF& natural)
{
    const QPointF centre = text.box().center();
    text.size = QSizeF(natural.width() * text.size.width() / oldNatural.width(),
                       natural.height() * text.size.height() / oldNatural.height());
    text.position = centre - QPointF(text.size.width() / 2, text.size.height() / 2);
}
} // namespace

template <typename Value>
void LogoEditor::changeField(const QString& label, ElementKind kind, Value LogoElement::*field, Value value)
{
    changeSelected(
        label,
        [&](LogoElement& element) {
            if (element.kind != kind || element.*field == value)
                return false;
            const QSizeF oldNatural = kind == ElementKind::Text ? renderer_.textSize(element) : QSizeF();
            element.*field = value;
            if (kind == ElementKind::Text)
                refit(element, oldNatural, renderer_.textSize(element));
            return true;
        },
        true);
}

void LogoEditor::setOpacity(double opacity)
{
    opacity = std::clamp(opacity, 0.0, 1.0);
    changeSelected(
        tr("Change Opacity"),
        [&](LogoElement& element) { return std::exchange(element.opacity, opacity) != opacity; },
        true);
}

void LogoEditor::setFill(const Fill& requested)
{
    Fill fill = requested;
    std::stable_sort(fill.stops.begin(), fill.stops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (QGradientStop& stop : fill.stops)
        stop.first = std::clamp(stop.first, 0.0, 1.0);
    fill.stops = fill.stops.mid(0, limits::maxGradientStops);
    changeSelected(
        tr("Change Fill"),
        [&](LogoElement& element) { return paintsFill(element) && std::exchange(element.fill, fill) != fill; },
        true);
}

void LogoEditor::setOutline(const QColor& color, double width)
{
    width = std::clamp(width, 0.0, limits::maxStrokeWidth);
    changeSelected(
        tr("Change Outline"),
        [&](LogoElement& element) {
            if (!paintsFill(element) || (element.strokeColor == color && element.strokeWidth == width))
                return false;
            const bool text = element.kind == ElementKind::Text;
            const QSizeF oldNatural = text ? renderer_.textSize(element) : QSizeF();
            element.strokeColor = color;
            element.strokeWidth = width;
            if (text)
                refit(element, oldNatural, renderer_.textSize(element));
            return true;
        },
        true);
}

void LogoEditor::setShadow(const Shadow& requested)
{
    Shadow shadow = requested;
    shadow.blur = std::clamp(shadow.blur, 0.0, limits::maxBlur);
    shadow.offset = QPointF(std::clamp(shadow.offset.x(), -limits::maxShadowOffset, limits::maxShadowOffset),
                            std::clamp(shadow.offset.y(), -limits::maxShadowOffset, limits::maxShadowOffset));
    changeSelected(
        tr("Change Shadow"),
        [&](LogoElement& element) { return std::exchange(element.shadow, shadow) != shadow; },
        true);
}

void LogoEditor::setArcRadius(double radius)
{
    changeField(tr("Curve Text"), ElementKind::Text, &LogoElement::arcRadius, std::clamp(radius, -limits::maxArcRadius, limits::maxArcRadius));
}

void LogoEditor::setLetterSpacing(double spacing)
{
    changeField(tr("Letter Spacing"), ElementKind::Text, &LogoElement::letterSpacing, std::clamp(spacing, -limits::maxSpacing, limits::maxSpacing));
}

void LogoEditor::setLineSpacing(double spacing)
{
    changeField(tr("Line Spacing"), ElementKind::Text, &LogoElement::lineSpacing, std::clamp(spacing, limits::minLineSpacing, limits::maxLineSpacing));
}

void LogoEditor::setAlignment(TextAlignment alignment) { changeField(tr("Align Text"), ElementKind::Text, &LogoElement::alignment, alignment); }

void LogoEditor::setTextCase(TextCase textCase) { changeField(tr("Change Case"), ElementKind::Text, &LogoElement::textCase, textCase); }

void LogoEditor::setCornerRadius(double radius)
{
    changeField(tr("Corner Radius"), ElementKind::Shape, &LogoElement::cornerRadius, std::clamp(radius, 0.0, limits::maxCornerRadius));
}

void LogoEditor::setCorners(int corners)
{
    corners = std::clamp(corners, limits::minSides, limits::maxSides);
    changeSelected(
        tr("Change Corners"),
        [&](LogoElement& element) {
            if (element.kind != ElementKind::Shape)
                return false;
            if (element.shapeType == ShapeType::Star)
                return std::exchange(element.points, corners) != corners;
            return element.shapeType == ShapeType::Polygon && std::exchange(element.sides, corners) != corners;
        },
        true);
}

void LogoEditor::setInnerRatio(double ratio)
{
    changeField(tr("Star Depth"), ElementKind::Shape, &LogoElement::innerRatio, std::clamp(ratio, limits::minInnerRatio, limits::maxInnerRatio));
}

QList<QColor> LogoEditor::paletteColors() const
{
    QList<QColor> colours;
    const auto add = [&](const QColor& colour) {
        if (colour.isValid() && colour.alpha() > 0) {
            const QColor opaque = QColor::fromRgb(colour.rgb());
            if (!colours.contains(opaque))
                colours.append(opaque);
        }
    };
    const auto visit = [&](const LogoElement& element, auto& self) -> void {
        if (element.kind == ElementKind::Text || element.kind == ElementKind::Shape || element.kind == ElementKind::Symbol) {
            if (element.fill.isGradient() && element.kind != ElementKind::Symbol)
                for (const QGradientStop& stop : element.fill.stops)
                    add(stop.second);
            else
                add(element.color);
        }
        if (paintsFill(element) && element.strokeWidth > 0)
            add(element.strokeColor);
        for (const LogoElement& child : element.children)
            self(child, self);
    };
    add(document_.background);
    for (const LogoElement& element : document_.elements)
        visit(element, visit);
    return colours;
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
