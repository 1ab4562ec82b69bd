#include "canvas/editor/editor_widget.h"

#include "canvas/editing/logo_editor.h"
#include "canvas/editor/editor_canvas.h"
#include "canvas/editor/stage_items.h"
#include "canvas/editor/stage_view.h"
#include "canvas/fonts/font_box.h"
#include "canvas/gallery/template_gallery.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas/look/editor_look.h"

#include <QEvent>
#include <QFrame>
#include <QGraphicsScene>
#include <QLabel>
#include <QPixmapCache>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace vm {

EditorWidget::EditorWidget(EditorCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas), editor_(canvas.editor()), toolbar_(new QToolBar(this)), scene_(new QGraphicsScene(this))
{
    view_ = new StageView(scene_, editor_, this);
    view_->zoomChanged = [this] { showZoom(); };
    // Every element on the stage keeps a picture of itself (see ElementItem): room for a thousand.
    QPixmapCache::setCacheLimit(std::max(QPixmapCache::cacheLimit(), 96 * 1024));
    setStyleSheet(editor_look::styleSheet());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(view_, 1);
    buildPanels();
    buildToolbar();
    buildShortcuts();
    buildStartButton();

    quickHelp_ = new QLabel(view_);
    quickHelp_->setWordWrap(true);
    quickHelp_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    quickHelp_->setStyleSheet(QStringLiteral("background: rgba(20, 40, 70, 215); color: white; padding: 18px; font-size: 13px;"));
    quickHelp_->setText(tr("<h3>Quick help</h3>"
                           "<p><b>Text</b> adds a text; double-click it to type, Enter to finish.</p>"
                           "<p><b>Symbol</b> opens the clip-art browser: search by keyword, pick a colour.</p>"
                           "<p><b>Picture</b> adds a picture from your computer; <b>Crop</b> cuts and scales it.</p>"
                           "<p>Drag to move: edges and centres snap to the stage centre and to other elements "
                           "(hold Alt not to snap). Corner handles resize, the round handle rotates. "
                           "Arrow keys nudge by 1 px, with Shift by 10 px.</p>"
                           "<p>The <b>Colour</b>, <b>Tools</b> and <b>Arrange</b> panels change the selected elements; "
                           "<b>Layers</b> lists them all: rename, drag to reorder, lock, hide.</p>"
                           "<p>Ctrl+wheel zooms, Ctrl+0 fits the stage, Ctrl+1 shows it at 100%; "
                           "the middle button or Space and drag moves the view.</p>"
                           "<p><b>Logo ideas</b> (the wand) makes dozens of logos from your name to start from.</p>"
                           "<p><i>Click here to close.</i></p>"));
    quickHelp_->hide();
    quickHelp_->installEventFilter(this);

    connect(&editor_, &LogoEditor::documentChanged, this, [this] { rebuildScene(); });
    connect(&editor_, &LogoEditor::selectionChanged, this, [this] {
        if (rebuilding_)
            return;
        rebuilding_ = true;
        for (QGraphicsItem* item : scene_->items())
            if (auto* element = dynamic_cast<ElementItem*>(item))
                element->setSelected(editor_.selection().contains(element->id()));
        rebuilding_ = false;
        syncPanels();
    });
    connect(scene_, &QGraphicsScene::selectionChanged, this, [this] { syncSelectionFromScene(); });
    scene_->setSceneRect(QRectF(QPointF(0, 0), editor_.document().stageSize));
    rebuildScene();
}

EditorWidget::~EditorWidget()
{
    // The scene empties as it goes: that is no selection by the user.
    disconnect(scene_, nullptr, this, nullptr);
}

QGraphicsView* EditorWidget::stageView() const { return view_; }

void EditorWidget::setSelectionShown(bool shown)
{
    selectionShown_ = shown;
    // Each item keeps a picture of itself, frame included: redraw them all.
    for (QGraphicsItem* item : scene_->items())
        item->update();
}

void EditorWidget::setQuickHelpShown(bool shown)
{
    quickHelp_->setGeometry(view_->rect().adjusted(40, 20, -40, -20));
    quickHelp_->setVisible(shown);
    quickHelp_->raise();
}

void EditorWidget::resourcesChanged()
{
    fontBox_->setFamilies(canvas_.fontFamilies(), canvas_.userFonts().names());
    rebuildScene();
}

bool EditorWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == quickHelp_ && event->type() == QEvent::MouseButtonPress) {
        canvas_.setQuickHelp(false, true);
        return true;
    }
    if (textEditor_ && watched == view_->viewport() && event->type() == QEvent::MouseButtonPress) {
        // A click beside the text being edited ends the editing.
        QTimer::singleShot(0, this, [this] { endTextEdit(); });
    }
    return QWidget::eventFilter(watched, event);
}

void EditorWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (QFrame* panel : {colourPanel_, toolsPanel_, arrangePanel_})
        if (panel->isVisible())
            panel->move(width() - panel->width() - 8, panel->y());
    if (quickHelp_->isVisible())
        quickHelp_->setGeometry(view_->rect().adjusted(40, 20, -40, -20));
    if (gallery_)
        gallery_->setGeometry(rect());
    placeStartButton();
}

void EditorWidget::rebuildScene()
{
    if (textEditor_)
        endTextEdit();
    rebuilding_ = true;
    drag_ = Drag();
    view_->setGuides({});
    scene_->clear();
    scene_->setSceneRect(QRectF(QPointF(0, 0), editor_.document().stageSize).adjusted(-20, -20, 20, 20));
    ElementItem::Hooks hooks;
    hooks.dragged = [this](const QPointF& distance, Qt::KeyboardModifiers modifiers) { dragSelection(distance, modifiers); };
    hooks.moved = [this] {
        finishDrag();
        QTimer::singleShot(0, this, [this] { commitMoves(); });
    };
    hooks.transformed = [this](ElementItem& item) {
        const quint64 id = item.id();
        QTimer::singleShot(0, this, [this, id] {
            if (ElementItem* moved = itemFor(id))
                commitTransform(*moved);
        });
    };
    hooks.editRequested = [this](ElementItem& item) {
        const quint64 id = item.id();
        QTimer::singleShot(0, this, [this, id] { beginTextEdit(id); });
    };
    hooks.frameShown = [this] { return selectionShown_; };
    qreal z = 0;
    for (const LogoElement& element : editor_.document().elements) {
        auto* item = new ElementItem(element, editor_.renderer(), hooks);
        item->setZValue(z++);
        scene_->addItem(item);
        item->setSelected(editor_.selection().contains(element.id));
    }
    rebuilding_ = false;
    view_->viewport()->update();
    placeStartButton();
    syncPanels();
}

ElementItem* EditorWidget::itemFor(quint64 id) const
{
    for (QGraphicsItem* item : scene_->items())
        if (auto* element = dynamic_cast<ElementItem*>(item); element && element->id() == id)
            return element;
    return nullptr;
}

void EditorWidget::syncSelectionFromScene()
{
    if (rebuilding_)
        return;
    QSet<quint64> ids;
    for (QGraphicsItem* item : scene_->selectedItems())
        if (auto* element = dynamic_cast<ElementItem*>(item))
            ids.insert(element->id());
    rebuilding_ = true;
    editor_.select(ids);
    rebuilding_ = false;
    syncPanels();
}

} // namespace vm
