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
    // An empty name gives the element back its default one.
    void rename(quint64 id, const QString& name);

    // On the selected texts and symbols (texts only for the font).
    void setColor(const QColor& color);
    void setFontFamily(const QString& family);
    void setFontSize(double size);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setBackground(const QColor& color);

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
    bool edit(const QString& label, const Change& change, int mergeKey = -1);
    void restore(const LogoDocument& document, const QSet<quint64>& selection);
    void assignIds(std::vector<LogoElement>& elements);
    quint64 addElement(LogoElement element, const QString& label);
    void changeSelected(const QString& label, const std::function<bool(LogoElement&)>& change, int mergeKey = -1);
    void setFlag(const QSet<quint64>& ids, bool LogoElement::*flag, bool on, const QString& label);
    // The selected elements the user may move: not locked.
    QList<const LogoElement*> movableSelection() const;
    void shiftElements(const QString& label, const QList<const LogoElement*>& elements, const QList<QPointF>& offsets,
                       int mergeKey = -1);

    LogoDocument document_;
    LogoRenderer renderer_;
    QUndoStack undoStack_;
    QSet<quint64> selection_;
    std::vector<LogoElement> clipboard_;
    quint64 nextId_ = 1;
    int pasteCount_ = 0;
};

} // namespace vm
