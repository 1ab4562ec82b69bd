#pragma once

#include "canvas/editing/arrangement.h"
#include "canvas/logo/logo_document.h"
#include "canvas/logo/logo_renderer.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QUndoStack>
#include <functional>
#include <map>

namespace vm {

// The editing logic of the canvas, without widgets: the logo, the selection,
// the clipboard and one undo step per edit. Every edit and every undo is a
// change the user may want to save; loading and clearing are not.
// logo_editor.cpp holds the undo steps, loading and adding; the selection and
// the clipboard, arranging, and style changes each have a file of their own.
class LogoEditor : public QObject {
    Q_OBJECT
public:
    explicit LogoEditor(QObject* parent = nullptr);

    const LogoDocument& document() const { return document_; }
    LogoRenderer& renderer() { return renderer_; }
    QUndoStack& undoStack() { return undoStack_; }

    // A new logo or one read from a file: no undo history, nothing selected.
    void load(LogoDocument document);
    void clear();

    const QSet<quint64>& selection() const { return selection_; }
    void select(const QSet<quint64>& ids);
    const LogoElement* find(quint64 id) const;
    QList<const LogoElement*> selectedElements() const;

    quint64 addText(const QString& text, const QString& family = QString(), double fontSize = 36);
    quint64 addSymbol(const QString& path, const QColor& color);
    quint64 addPicture(const QString& fileName);
    quint64 addShape(ShapeType type);
    void setText(quint64 id, const QString& text);
    void setPicture(quint64 id, const QString& fileName);
    void setGeometry(quint64 id, const QPointF& position, const QSizeF& size, double rotation);
    void moveTo(const std::map<quint64, QPointF>& positions);
    // Arrow keys: a burst of nudges on the same selection is one undo step.
    void nudgeSelected(const QPointF& delta);
    // Against the selection's bounds, or the stage when one element is selected.
    void alignSelected(Alignment alignment);
    void distributeSelected(Qt::Orientation orientation);
    // Moves an element to a place in the stacking order (0 is the bottom).
    void moveLayer(quint64 id, int index);
    void flipSelected(Qt::Orientation orientation);
    // A locked element stays where it is; a hidden one is not drawn.
    void setLocked(const QSet<quint64>& ids, bool locked);
    void setHidden(const QSet<quint64>& ids, bool hidden);
    // The lock and hide keys: on for the whole selection unless all of it is on already.
    void toggleLockedSelected();
    void toggleHiddenSelected();
    // An empty name gives the element back its default one.
    void rename(quint64 id, const QString& name);

    // On the selected texts and symbols (texts only for the font).
    void setColor(const QColor& color);
    void setFontFamily(const QString& family);
    void setFontSize(double size);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setBackground(const QColor& color);
    // Keeps the background's colour for when it is made opaque again.
    void setBackgroundTransparent(bool transparent);

    // On the selected elements; texts and shapes for fill and outline, texts
    // for the text settings, shapes for their corners. A text keeps the
    // stretch the user gave it and its centre where it was.
    void setOpacity(double opacity);
    void setFill(const Fill& fill);
    void setOutline(const QColor& color, double width);
    void setShadow(const Shadow& shadow);
    void setArcRadius(double radius);
    void setLetterSpacing(double spacing);
    void setLineSpacing(double spacing);
    void setAlignment(TextAlignment alignment);
    void setTextCase(TextCase textCase);
    void setCornerRadius(double radius);
    void setCorners(int corners); // a polygon's sides, a star's points
    void setInnerRatio(double ratio);

    // Every distinct colour the logo paints with, in the order first drawn.
    QList<QColor> paletteColors() const;

    void copy();
    void cut();
    void paste();
    void deleteSelected();
    void bringForward();
    void sendBackward();
    void groupAll();
    void ungroupSelected();
    // The whole logo replaced in one undoable step (the wizard).
    void replaceAll(LogoDocument document, const QString& label);
    void undo() { undoStack_.undo(); }
    void redo() { undoStack_.redo(); }

    bool hasClipboard() const { return !clipboard_.empty(); }

signals:
    // A user edit or its undo: the logo differs from what was saved.
    void edited();
    // Anything on the stage may differ: redraw.
    void documentChanged();
    void selectionChanged();

private:
    friend class SnapshotCommand;
    using Change = std::function<bool(LogoDocument&)>;
    // One undo step; change returns false when it changed nothing.
    // A mergeable step takes in the same edit made right after it (a slider's drag).
    bool edit(const QString& label, const Change& change, bool mergeable = false);
    void restore(const LogoDocument& document, const QSet<quint64>& selection);
    void assignIds(std::vector<LogoElement>& elements);
    static std::vector<LogoElement>::iterator findIn(std::vector<LogoElement>& elements, quint64 id);
    quint64 addElement(LogoElement element, const QString& label);
    void changeSelected(const QString& label, const std::function<bool(LogoElement&)>& change, bool mergeable = false);
    // A setting keeps the stretch the user gave a text and its centre, and a
    // slider's drag of it is one undo step; a font change lays the text out
    // afresh at its natural size, each change a step of its own.
    enum class FieldChange { Setting, Font };
    // One field of the selected elements of a kind.
    template <typename Value>
    void changeField(const QString& label, ElementKind kind, Value LogoElement::*field, Value value,
                     FieldChange change = FieldChange::Setting);
    void setFlag(const QSet<quint64>& ids, bool LogoElement::*flag, bool on, const QString& label);
    // The selected elements the user may move: not locked.
    QList<const LogoElement*> movableSelection() const;
    void shiftElements(const QString& label, const QList<const LogoElement*>& elements, const QList<QPointF>& offsets,
                       bool mergeable = false);

    LogoDocument document_;
    LogoRenderer renderer_;
    QUndoStack undoStack_;
    QSet<quint64> selection_;
    std::vector<LogoElement> clipboard_;
    quint64 nextId_ = 1;
    int pasteCount_ = 0;
};

} // namespace vm
