#include "canvas/editor/editor_widget.h"

#include "canvas/editing/logo_editor.h"
#include "canvas/editor/editor_canvas.h"
#include "canvas/editor/stage_view.h"
#include "canvas/look/editor_look.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <functional>

namespace vm {

namespace {
// One place on the toolbar, in order. A button has a name (what tests and the
// shortcuts call it), an icon, a tooltip text and the key the tooltip shows; it
// binds only its own keys: the host's menus own Ctrl+Z, Ctrl+C, Delete... and
// those are shown here but never bound twice. A button with a menu opens it from
// its arrow. A place with a widget holds that widget; an empty place is a separator.
struct ToolbarPlace {
    QString name{};
    QString icon{};
    QString text{};
    QString shownKey{};
    QList<QKeySequence> keys{};
    std::function<void()> run{};
    std::function<QMenu*()> menu{};
    std::function<QWidget*()> widget{};
};
} // namespace

void EditorWidget::buildToolbar()
{
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->setIconSize(QSize(18, 18));
    const ToolbarPlace separator;
    const QList<ToolbarPlace> places = {
        {QStringLiteral("new"), QStringLiteral("file-plus"), tr("New logo"), tr("Ctrl+N"), {}, [this] { canvas_.requestNew(); }},
        {QStringLiteral("open"), QStringLiteral("folder-open"), tr("Open a logo"), tr("Ctrl+O"), {}, [this] { canvas_.requestOpen(); }},
        // Saving as a template sits under Save: the toolbar has no room for another button.
        {QStringLiteral("save"), QStringLiteral("floppy-disk"), tr("Save the logo; the arrow also keeps it as a template"), tr("Ctrl+S"), {},
         [this] { canvas_.requestSave(); },
         [this] {
             auto* menu = new QMenu(this);
             menu->addAction(tr("Save as Template…"), this, [this] { saveAsTemplate(); });
             return menu;
         }},
        {QStringLiteral("publish"), QStringLiteral("export"), tr("Publish the logo as an image"), tr("Ctrl+L"), {}, [this] { canvas_.requestPublish(); }},
        separator,
        {QStringLiteral("text"), QStringLiteral("text-t"), tr("Add a text"), QString(), {}, [this] { editor_.addText(tr("Your Text")); }},
        {QStringLiteral("symbol"), QStringLiteral("sticker"), tr("Add a clip-art symbol"), QString(), {}, [this] { openClipArt(); }},
        {QStringLiteral("picture"), QStringLiteral("image"), tr("Add a picture"), QString(), {}, [this] { canvas_.requestPicture(); }},
        {QStringLiteral("shape"), QStringLiteral("shapes"), tr("Add a shape; the arrow picks which"), QString(), {},
         [this] { editor_.addShape(ShapeType::Rectangle); }, [this] { return shapeMenu(); }},
        {QStringLiteral("crop"), QStringLiteral("crop"), tr("Crop and scale the selected picture"), QString(), {},
         [this] {
             if (!openCrop())
                 canvas_.alert(tr("Select a picture to crop."));
         }},
        separator,
        {QStringLiteral("undo"), QStringLiteral("arrow-counter-clockwise"), tr("Undo"), tr("Ctrl+Z"), {}, [this] { editor_.undo(); }},
        {QStringLiteral("redo"), QStringLiteral("arrow-clockwise"), tr("Redo"), tr("Ctrl+Shift+Z"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}, [this] { editor_.redo(); }},
        {QStringLiteral("cut"), QStringLiteral("scissors"), tr("Cut"), tr("Ctrl+X"), {}, [this] { editor_.cut(); }},
        {QStringLiteral("copy"), QStringLiteral("copy"), tr("Copy"), tr("Ctrl+C"), {}, [this] { editor_.copy(); }},
        {QStringLiteral("paste"), QStringLiteral("clipboard"), tr("Paste"), tr("Ctrl+V"), {}, [this] { editor_.paste(); }},
        {QStringLiteral("delete"), QStringLiteral("trash"), tr("Delete"), tr("Delete"), {}, [this] { editor_.deleteSelected(); }},
        separator,
        {QStringLiteral("forward"), QStringLiteral("selection-foreground"), tr("Bring forward"), tr("Ctrl+F"), {}, [this] { editor_.bringForward(); }},
        {QStringLiteral("backward"), QStringLiteral("selection-background"), tr("Send backward"), tr("Ctrl+B"), {}, [this] { editor_.sendBackward(); }},
        {QStringLiteral("group"), QStringLiteral("bounding-box"), tr("Group everything"), QString(), {}, [this] { editor_.groupAll(); }},
        {QStringLiteral("ungroup"), QStringLiteral("squares-four"), tr("Take the selected group apart"), QString(), {},
         [this] { editor_.ungroupSelected(); }},
        separator,
        {QStringLiteral("align"), QStringLiteral("align-left"), tr("Align and distribute the selection"), QString(), {},
         [this] { showPanel(Panel::Arrange); }, [this] { return alignMenu(); }},
        {QStringLiteral("flipHorizontal"), QStringLiteral("flip-horizontal"), tr("Flip horizontally"), tr("Shift+H"),
         {QKeySequence(Qt::SHIFT | Qt::Key_H)}, [this] { editor_.flipSelected(Qt::Horizontal); }},
        {QStringLiteral("flipVertical"), QStringLiteral("flip-vertical"), tr("Flip vertically"), tr("Shift+V"),
         {QKeySequence(Qt::SHIFT | Qt::Key_V)}, [this] { editor_.flipSelected(Qt::Vertical); }},
        separator,
        {QStringLiteral("zoomOut"), QStringLiteral("magnifying-glass-minus"), tr("Zoom out"), tr("Ctrl+-"),
         {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { view_->zoomOut(); }},
        {.widget = [this] { return zoomBox(); }},
        {QStringLiteral("zoomIn"), QStringLiteral("magnifying-glass-plus"), tr("Zoom in"), tr("Ctrl++"),
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] { view_->zoomIn(); }},
        separator,
        {QStringLiteral("layers"), QStringLiteral("stack"), tr("Layers"), tr("F7"), {QKeySequence(Qt::Key_F7)},
         [this] {
             if (layersPanel_->isVisible())
                 layersPanel_->hide();
             else
                 showPanel(Panel::Layers);
         }},
        {QStringLiteral("panels"), QStringLiteral("sliders-horizontal"), tr("Show every panel"), QString(), {}, [this] { arrangePanels(); }},
        {QStringLiteral("style"), QStringLiteral("palette"), tr("Style: fill, outline, shadow, curved text and shape settings"), QString(), {},
         [this] { showProperties(); }},
        {QStringLiteral("ideas"), QStringLiteral("magic-wand"), tr("Logo ideas"), QString(), {}, [this] { openIdeas(); }},
        {QStringLiteral("help"), QStringLiteral("question"), tr("Quick help"), tr("Shift+1"), {},
         [this] { canvas_.setQuickHelp(!canvas_.quickHelpShown(), true); }},
    };
    for (const ToolbarPlace& place : places) {
        if (place.widget) {
            toolbar_->addWidget(place.widget());
            continue;
        }
        if (place.name.isEmpty()) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* action = toolbar_->addAction(editor_look::icon(place.icon), place.text);
        action->setToolTip(place.shownKey.isEmpty() ? place.text : QStringLiteral("%1 (%2)").arg(place.text, place.shownKey));
        connect(action, &QAction::triggered, this, place.run);
        actions_.insert(place.name, action);
        if (place.menu) {
            action->setMenu(place.menu());
            if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(action)))
                button->setPopupMode(QToolButton::MenuButtonPopup);
        }
        if (!place.keys.isEmpty())
            action->setShortcuts(place.keys);
    }
    nameUndoSteps();
}

QMenu* EditorWidget::shapeMenu()
{
    auto* shapes = new QMenu(this);
    for (const auto& [name, type] : std::initializer_list<std::pair<QString, ShapeType>>{
             {tr("Rectangle"), ShapeType::Rectangle}, {tr("Rounded rectangle"), ShapeType::RoundedRectangle}, {tr("Ellipse"), ShapeType::Ellipse},
             {tr("Line"), ShapeType::Line}, {tr("Polygon"), ShapeType::Polygon}, {tr("Star"), ShapeType::Star}})
        shapes->addAction(name, this, [this, shapeType = type] { editor_.addShape(shapeType); });
    return shapes;
}

QMenu* EditorWidget::alignMenu()
{
    auto* menu = new QMenu(this);
    const auto alignItem = [this, menu](const QString& name, const QString& icon, const QString& text, Alignment alignment) {
        actions_.insert(name, menu->addAction(editor_look::icon(icon), text, this, [this, alignment] { editor_.alignSelected(alignment); }));
    };
    alignItem(QStringLiteral("alignLeft"), QStringLiteral("align-left"), tr("Align left"), Alignment::Left);
    alignItem(QStringLiteral("alignCentre"), QStringLiteral("align-center-horizontal"), tr("Align centres horizontally"), Alignment::HorizontalCentre);
    alignItem(QStringLiteral("alignRight"), QStringLiteral("align-right"), tr("Align right"), Alignment::Right);
    alignItem(QStringLiteral("alignTop"), QStringLiteral("align-top"), tr("Align top"), Alignment::Top);
    alignItem(QStringLiteral("alignMiddle"), QStringLiteral("align-center-vertical"), tr("Align centres vertically"), Alignment::VerticalCentre);
    alignItem(QStringLiteral("alignBottom"), QStringLiteral("align-bottom"), tr("Align bottom"), Alignment::Bottom);
    menu->addSeparator();
    menu->addAction(editor_look::icon(QStringLiteral("arrows-out-line-horizontal")), tr("Distribute horizontally"), this,
                    [this] { editor_.distributeSelected(Qt::Horizontal); });
    menu->addAction(editor_look::icon(QStringLiteral("arrows-out-line-vertical")), tr("Distribute vertically"), this,
                    [this] { editor_.distributeSelected(Qt::Vertical); });
    return menu;
}

QToolButton* EditorWidget::zoomBox()
{
    zoomButton_ = new QToolButton(toolbar_);
    zoomButton_->setObjectName(QStringLiteral("zoomButton"));
    zoomButton_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    zoomButton_->setPopupMode(QToolButton::InstantPopup);
    zoomButton_->setToolTip(tr("Zoom: fit (Ctrl+0), 100% (Ctrl+1), Ctrl+wheel"));
    auto* zoomMenu = new QMenu(zoomButton_);
    actions_.insert(QStringLiteral("zoomFit"), zoomMenu->addAction(editor_look::icon(QStringLiteral("frame-corners")), tr("Fit the stage"),
                                                                   this, [this] { view_->fitStage(); }));
    actions_.insert(QStringLiteral("zoom100"), zoomMenu->addAction(editor_look::icon(QStringLiteral("number-square-one")), tr("100%"), this,
                                                                   [this] { view_->setZoom(1); }));
    for (int percent : {50, 200, 400})
        zoomMenu->addAction(tr("%1%").arg(percent), this, [this, percent] { view_->setZoom(percent / 100.0); });
    actions_[QStringLiteral("zoomFit")]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    actions_[QStringLiteral("zoom100")]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    zoomButton_->setMenu(zoomMenu);
    showZoom();
    return zoomButton_;
}

void EditorWidget::nameUndoSteps()
{
    // Named after the step they take back or do again: "Undo Move", "Redo Change Colour".
    QAction* undo = actions_.value(QStringLiteral("undo"));
    QAction* redo = actions_.value(QStringLiteral("redo"));
    const auto nameSteps = [this, undo, redo] {
        const QUndoStack& stack = editor_.undoStack();
        undo->setEnabled(stack.canUndo());
        redo->setEnabled(stack.canRedo());
        undo->setText(stack.canUndo() ? tr("Undo %1").arg(stack.undoText()) : tr("Undo"));
        redo->setText(stack.canRedo() ? tr("Redo %1").arg(stack.redoText()) : tr("Redo"));
        undo->setToolTip(tr("%1 (Ctrl+Z)").arg(undo->text()));
        redo->setToolTip(tr("%1 (Ctrl+Shift+Z)").arg(redo->text()));
    };
    connect(&editor_.undoStack(), &QUndoStack::indexChanged, this, nameSteps);
    connect(&editor_.undoStack(), &QUndoStack::cleanChanged, this, nameSteps);
    nameSteps();
}

void EditorWidget::buildShortcuts()
{
    // Keys work wherever the focus is inside the editor, not only on the toolbar.
    for (QAction* action : std::as_const(actions_)) {
        if (action->shortcuts().isEmpty())
            continue;
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    // Lock and hide have keys but no button.
    const auto toggle = [this](const QString& name, const QString& text, const QKeySequence& key, void (LogoEditor::*flip)()) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, [this, flip] { (editor_.*flip)(); });
        addAction(action);
        actions_.insert(name, action);
    };
    toggle(QStringLiteral("lock"), tr("Lock"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), &LogoEditor::toggleLockedSelected);
    toggle(QStringLiteral("hide"), tr("Hide"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H), &LogoEditor::toggleHiddenSelected);
}

QAction* EditorWidget::action(const QString& name) const { return actions_.value(name); }

void EditorWidget::showZoom() { zoomButton_->setText(QStringLiteral("%1%").arg(qRound(view_->zoom() * 100))); }

} // namespace vm
