#include "canvas/editor/editor_widget.h"

#include "canvas/editing/logo_editor.h"
#include "canvas/editor/editor_canvas.h"
#include "canvas/editor/stage_items.h"
#include "canvas/editor/stage_view.h"

#include <QFont>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace vm {

namespace {
// A text being typed on the stage: Enter or Escape or leaving it ends the editing.
class InPlaceText : public QGraphicsTextItem {
public:
    explicit InPlaceText(std::function<void()> finished) : finished_(std::move(finished)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool newLine = event->modifiers() & Qt::ShiftModifier;
        if (event->key() == Qt::Key_Escape || ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !newLine)) {
            finished_();
            return;
        }
        QGraphicsTextItem::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QGraphicsTextItem::focusOutEvent(event);
        if (event->reason() != Qt::PopupFocusReason)
            finished_();
    }

private:
    std::function<void()> finished_;
};

} // namespace

bool EditorWidget::beginTextEdit(quint64 id)
{
    const LogoElement* element = editor_.find(id);
    if (!element || element->kind != ElementKind::Text)
        return false;
    if (textEditor_)
        endTextEdit();
    editedId_ = id;
    textEditor_ = new InPlaceText([this] { QTimer::singleShot(0, this, [this] { endTextEdit(); }); });
    QFont font(element->fontFamily);
    font.setPixelSize(std::max(1, qRound(element->fontSize)));
    font.setBold(element->bold);
    font.setItalic(element->italic);
    textEditor_->setFont(font);
    textEditor_->setDefaultTextColor(element->color);
    textEditor_->setPlainText(element->text);
    textEditor_->document()->setDocumentMargin(0);
    textEditor_->setPos(element->position);
    textEditor_->setZValue(1e6);
    textEditor_->setTextInteractionFlags(Qt::TextEditorInteraction);
    scene_->addItem(textEditor_);
    if (ElementItem* item = itemFor(id))
        item->hide();
    QTextCursor cursor(textEditor_->document());
    cursor.select(QTextCursor::Document);
    textEditor_->setTextCursor(cursor);
    textEditor_->setFocus();
    view_->setFocus();
    view_->viewport()->installEventFilter(this);
    canvas_.textEditing(true);
    return true;
}

void EditorWidget::endTextEdit()
{
    if (!textEditor_)
        return;
    const QString text = textEditor_->toPlainText();
    QGraphicsTextItem* finished = std::exchange(textEditor_, nullptr);
    scene_->removeItem(finished);
    delete finished;
    view_->viewport()->removeEventFilter(this);
    canvas_.textEditing(false);
    if (ElementItem* item = itemFor(editedId_))
        item->show();
    editor_.setText(editedId_, text);
}

} // namespace vm
