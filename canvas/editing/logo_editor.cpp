#include "canvas/editing/logo_editor.h"

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
} // namespace

std::vector<LogoElement>::iterator LogoEditor::findIn(std::vector<LogoElement>& elements, quint64 id)
{
    return std::find_if(elements.begin(), elements.end(), [id](const LogoElement& element) { return element.id == id; });
}

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
