#include "canvas/reference/editor_widget.h"

#include "canvas/editing/arrangement.h"
#include "canvas/reference/arrange_controls.h"
#include "canvas/reference/clipart_dialog.h"
#include "canvas/reference/crop_dialog.h"
#include "canvas/reference/editor_look.h"
#include "canvas/reference/font_box.h"
#include "canvas/reference/layers_list.h"
#include "canvas/reference/logo_editor.h"
#include "canvas/reference/panel_frame.h"
#include "canvas/reference/properties_panel.h"
#include "canvas/reference/reference_canvas.h"
#include "canvas/reference/stage_items.h"
#include "canvas/reference/stage_view.h"
#include "canvas/reference/template_gallery.h"
#include "canvas/reference/wizard_dialog.h"

#include <QColorDialog>
#include <QDoubleSpinBox>
#include <QFont>
#include <QFrame>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPixmapCache>
#include <QScrollBar>
#include <QUndoStack>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

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

const QList<QColor> swatches = {
    QColor(0x00, 0x00, 0x00), QColor(0x44, 0x44, 0x44), QColor(0x88, 0x88, 0x88), QColor(0xff, 0xff, 0xff),
    QColor(0x1f, 0x3a, 0x5f), QColor(0x13, 0x79, 0xce), QColor(0x00, 0xa6, 0xd6), QColor(0x2e, 0x7d, 0x32),
    QColor(0x3c, 0x9a, 0x3f), QColor(0x8b, 0xc3, 0x4a), QColor(0xc9, 0x9a, 0x06), QColor(0xff, 0xc1, 0x07),
    QColor(0xe6, 0x4a, 0x19), QColor(0xd3, 0x2f, 0x2f), QColor(0xad, 0x14, 0x57), QColor(0x6a, 0x1b, 0x9a),
};

} // namespace

EditorWidget::EditorWidget(ReferenceCanvas& canvas, QWidget* parent)
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
                           "<p><b>Wizard</b> starts a logo from your company name.</p>"
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

void EditorWidget::buildToolbar()
{
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->setIconSize(QSize(18, 18));
    // shown: the key as the tooltip tells it. The host's menus own some keys
    // (Ctrl+Z, Ctrl+C, Delete...); those are shown here but never bound twice.
    const auto add = [this](const QString& name, const QString& icon, const QString& text, const QString& shown, auto slot) {
        QAction* action = toolbar_->addAction(editor_look::icon(icon), text);
        action->setToolTip(shown.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, shown));
        connect(action, &QAction::triggered, this, slot);
        actions_.insert(name, action);
        return action;
    };
    add(QStringLiteral("new"), QStringLiteral("file-plus"), tr("New logo"), tr("Ctrl+N"), [this] { canvas_.requestNew(); });
    add(QStringLiteral("open"), QStringLiteral("folder-open"), tr("Open a logo"), tr("Ctrl+O"), [this] { canvas_.requestOpen(); });
    QAction* save = add(QStringLiteral("save"), QStringLiteral("floppy-disk"), tr("Save the logo; the arrow also keeps it as a template"),
                        tr("Ctrl+S"), [this] { canvas_.requestSave(); });
    // Saving as a template sits under Save: the toolbar has no room for another button.
    auto* saveMenu = new QMenu(this);
    saveMenu->addAction(tr("Save as Template…"), this, [this] { saveAsTemplate(); });
    save->setMenu(saveMenu);
    if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(save)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    add(QStringLiteral("publish"), QStringLiteral("export"), tr("Publish the logo as an image"), tr("Ctrl+L"), [this] { canvas_.requestPublish(); });
    toolbar_->addSeparator();
    add(QStringLiteral("text"), QStringLiteral("text-t"), tr("Add a text"), QString(), [this] { editor_.addText(tr("Your Text")); });
    add(QStringLiteral("symbol"), QStringLiteral("sticker"), tr("Add a clip-art symbol"), QString(), [this] { openClipArt(); });
    add(QStringLiteral("picture"), QStringLiteral("image"), tr("Add a picture"), QString(), [this] { canvas_.requestPicture(); });
    QAction* shape = add(QStringLiteral("shape"), QStringLiteral("shapes"), tr("Add a shape; the arrow picks which"), QString(),
                         [this] { editor_.addShape(ShapeType::Rectangle); });
    auto* shapes = new QMenu(this);
    for (const auto& [name, type] : std::initializer_list<std::pair<QString, ShapeType>>{
             {tr("Rectangle"), ShapeType::Rectangle}, {tr("Rounded rectangle"), ShapeType::RoundedRectangle}, {tr("Ellipse"), ShapeType::Ellipse},
             {tr("Line"), ShapeType::Line}, {tr("Polygon"), ShapeType::Polygon}, {tr("Star"), ShapeType::Star}})
        shapes->addAction(name, this, [this, shapeType = type] { editor_.addShape(shapeType); });
    shape->setMenu(shapes);
    if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(shape)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    add(QStringLiteral("crop"), QStringLiteral("crop"), tr("Crop and scale the selected picture"), QString(), [this] {
        if (!openCrop())
            canvas_.alert(tr("Select a picture to crop."));
    });
    toolbar_->addSeparator();
    QAction* undo = add(QStringLiteral("undo"), QStringLiteral("arrow-counter-clockwise"), tr("Undo"), tr("Ctrl+Z"), [this] { editor_.undo(); });
    QAction* redo = add(QStringLiteral("redo"), QStringLiteral("arrow-clockwise"), tr("Redo"), tr("Ctrl+Shift+Z"), [this] { editor_.redo(); });
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // Named after the step they take back or do again: "Undo Move", "Redo Change Colour".
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
    add(QStringLiteral("cut"), QStringLiteral("scissors"), tr("Cut"), tr("Ctrl+X"), [this] { editor_.cut(); });
    add(QStringLiteral("copy"), QStringLiteral("copy"), tr("Copy"), tr("Ctrl+C"), [this] { editor_.copy(); });
    add(QStringLiteral("paste"), QStringLiteral("clipboard"), tr("Paste"), tr("Ctrl+V"), [this] { editor_.paste(); });
    add(QStringLiteral("delete"), QStringLiteral("trash"), tr("Delete"), tr("Delete"), [this] { editor_.deleteSelected(); });
    toolbar_->addSeparator();
    add(QStringLiteral("forward"), QStringLiteral("selection-foreground"), tr("Bring forward"), tr("Ctrl+F"), [this] { editor_.bringForward(); });
    add(QStringLiteral("backward"), QStringLiteral("selection-background"), tr("Send backward"), tr("Ctrl+B"), [this] { editor_.sendBackward(); });
    add(QStringLiteral("group"), QStringLiteral("bounding-box"), tr("Group everything"), QString(), [this] { editor_.groupAll(); });
    add(QStringLiteral("ungroup"), QStringLiteral("squares-four"), tr("Take the selected group apart"), QString(), [this] { editor_.ungroupSelected(); });
    toolbar_->addSeparator();
    QAction* align = add(QStringLiteral("align"), QStringLiteral("align-left"), tr("Align and distribute the selection"), QString(),
                         [this] { showPanel(Panel::Arrange); });
    auto* alignMenu = new QMenu(this);
    const auto alignItem = [this, alignMenu](const QString& name, const QString& icon, const QString& text, Alignment alignment) {
        actions_.insert(name, alignMenu->addAction(editor_look::icon(icon), text, this, [this, alignment] { editor_.alignSelected(alignment); }));
    };
    alignItem(QStringLiteral("alignLeft"), QStringLiteral("align-left"), tr("Align left"), Alignment::Left);
    alignItem(QStringLiteral("alignCentre"), QStringLiteral("align-center-horizontal"), tr("Align centres horizontally"), Alignment::HorizontalCentre);
    alignItem(QStringLiteral("alignRight"), QStringLiteral("align-right"), tr("Align right"), Alignment::Right);
    alignItem(QStringLiteral("alignTop"), QStringLiteral("align-top"), tr("Align top"), Alignment::Top);
    alignItem(QStringLiteral("alignMiddle"), QStringLiteral("align-center-vertical"), tr("Align centres vertically"), Alignment::VerticalCentre);
    alignItem(QStringLiteral("alignBottom"), QStringLiteral("align-bottom"), tr("Align bottom"), Alignment::Bottom);
    alignMenu->addSeparator();
    alignMenu->addAction(editor_look::icon(QStringLiteral("arrows-out-line-horizontal")), tr("Distribute horizontally"), this,
                         [this] { editor_.distributeSelected(Qt::Horizontal); });
    alignMenu->addAction(editor_look::icon(QStringLiteral("arrows-out-line-vertical")), tr("Distribute vertically"), this,
                         [this] { editor_.distributeSelected(Qt::Vertical); });
    align->setMenu(alignMenu);
    if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(align)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    add(QStringLiteral("flipHorizontal"), QStringLiteral("flip-horizontal"), tr("Flip horizontally"), tr("Shift+H"),
        [this] { editor_.flipSelected(Qt::Horizontal); })->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_H));
    add(QStringLiteral("flipVertical"), QStringLiteral("flip-vertical"), tr("Flip vertically"), tr("Shift+V"),
        [this] { editor_.flipSelected(Qt::Vertical); })->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_V));
    toolbar_->addSeparator();
    add(QStringLiteral("zoomOut"), QStringLiteral("magnifying-glass-minus"), tr("Zoom out"), tr("Ctrl+-"), [this] { view_->zoomOut(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
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
    toolbar_->addWidget(zoomButton_);
    add(QStringLiteral("zoomIn"), QStringLiteral("magnifying-glass-plus"), tr("Zoom in"), tr("Ctrl++"), [this] { view_->zoomIn(); })
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    showZoom();
    toolbar_->addSeparator();
    add(QStringLiteral("layers"), QStringLiteral("stack"), tr("Layers"), tr("F7"), [this] {
        if (layersPanel_->isVisible())
            layersPanel_->hide();
        else
            showPanel(Panel::Layers);
    })->setShortcut(QKeySequence(Qt::Key_F7));
    add(QStringLiteral("panels"), QStringLiteral("sliders-horizontal"), tr("Show every panel"), QString(),
        [this] { arrangePanels(); });
    add(QStringLiteral("style"), QStringLiteral("palette"), tr("Style: fill, outline, shadow, curved text and shape settings"), QString(),
        [this] { showProperties(); });
    add(QStringLiteral("wizard"), QStringLiteral("magic-wand"), tr("New logo wizard"), QString(), [this] { openWizard(); });
    add(QStringLiteral("help"), QStringLiteral("question"), tr("Quick help"), tr("Shift+1"),
        [this] { canvas_.setQuickHelp(!canvas_.quickHelpShown(), true); });
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
    // Lock and hide toggle: on for the whole selection unless all of it is on already.
    const auto toggle = [this](const QString& name, const QString& text, const QKeySequence& key, bool LogoElement::*flag,
                               void (LogoEditor::*set)(const QSet<quint64>&, bool)) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, [this, flag, set] {
            const auto selected = editor_.selectedElements();
            const bool anyOff = std::any_of(selected.begin(), selected.end(), [flag](const LogoElement* element) { return !(element->*flag); });
            (editor_.*set)(editor_.selection(), anyOff);
        });
        addAction(action);
        actions_.insert(name, action);
    };
    toggle(QStringLiteral("lock"), tr("Lock"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), &LogoElement::locked, &LogoEditor::setLocked);
    toggle(QStringLiteral("hide"), tr("Hide"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H), &LogoElement::hidden, &LogoEditor::setHidden);
}

QGraphicsView* EditorWidget::stageView() const { return view_; }

QAction* EditorWidget::action(const QString& name) const { return actions_.value(name); }

void EditorWidget::showZoom() { zoomButton_->setText(QStringLiteral("%1%").arg(qRound(view_->zoom() * 100))); }

void EditorWidget::buildPanels()
{
    QVBoxLayout* body = nullptr;
    colourPanel_ = panelFrame(tr("Colour"), this, body);
    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    for (int index = 0; index < swatches.size(); ++index) {
        auto* swatch = new QToolButton(colourPanel_);
        swatch->setFixedSize(22, 22);
        editor_look::setLook(swatch, "swatch");
        swatch->setStyleSheet(QStringLiteral("background: %1;").arg(swatches[index].name()));
        swatch->setToolTip(swatches[index].name());
        const QColor colour = swatches[index];
        connect(swatch, &QToolButton::clicked, this, [this, colour] { editor_.setColor(colour); });
        grid->addWidget(swatch, index / 4, index % 4);
    }
    body->addLayout(grid);
    auto* more = new QToolButton(colourPanel_);
    more->setText(tr("More colours…"));
    connect(more, &QToolButton::clicked, this, [this] {
        auto* dialog = new QColorDialog(this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& colour) { editor_.setColor(colour); });
        dialog->open();
    });
    body->addWidget(more);
    auto* background = new QToolButton(colourPanel_);
    background->setText(tr("Background…"));
    connect(background, &QToolButton::clicked, this, [this] {
        auto* dialog = new QColorDialog(editor_.document().background, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& colour) { editor_.setBackground(colour); });
        dialog->open();
    });
    body->addWidget(background);

    properties_ = new PropertiesPanel(editor_, this);

    toolsPanel_ = panelFrame(tr("Text tools"), this, body);
    fontBox_ = new FontBox(toolsPanel_);
    fontBox_->setMaximumWidth(150);
    fontBox_->setFamilies(canvas_.fontFamilies(), canvas_.userFonts().names());
    fontBox_->setImportableFaces([this] { return canvas_.importableFaces(); });
    sizeBox_ = new QDoubleSpinBox(toolsPanel_);
    sizeBox_->setRange(4, 400);
    sizeBox_->setDecimals(0);
    sizeBox_->setSuffix(tr(" px"));
    sizeBox_->setValue(36); // what a new text gets
    boldButton_ = new QToolButton(toolsPanel_);
    boldButton_->setText(QStringLiteral("B"));
    boldButton_->setCheckable(true);
    boldButton_->setStyleSheet(QStringLiteral("font-weight: bold;"));
    italicButton_ = new QToolButton(toolsPanel_);
    italicButton_->setText(QStringLiteral("I"));
    italicButton_->setCheckable(true);
    italicButton_->setStyleSheet(QStringLiteral("font-style: italic;"));
    body->addWidget(fontBox_);
    auto* row = new QHBoxLayout;
    row->addWidget(sizeBox_);
    row->addWidget(boldButton_);
    row->addWidget(italicButton_);
    body->addLayout(row);
    connect(fontBox_, &FontBox::familyChosen, this, [this](const QString& family) { editor_.setFontFamily(family); });
    connect(fontBox_, &FontBox::importChosen, this, [this](const QString& face) { canvas_.importFont(face); });
    connect(sizeBox_, &QDoubleSpinBox::valueChanged, this, [this](double size) {
        if (!syncingPanels_)
            editor_.setFontSize(size);
    });
    connect(boldButton_, &QToolButton::toggled, this, [this](bool on) {
        if (!syncingPanels_)
            editor_.setBold(on);
    });
    connect(italicButton_, &QToolButton::toggled, this, [this](bool on) {
        if (!syncingPanels_)
            editor_.setItalic(on);
    });

    arrangePanel_ = panelFrame(tr("Arrange"), this, body);
    arrange_ = new ArrangeControls(editor_, arrangePanel_);
    body->addWidget(arrange_);

    layersPanel_ = panelFrame(tr("Layers"), this, body);
    layers_ = new LayersList(editor_, layersPanel_);
    layers_->setMinimumSize(190, 120);
    body->addWidget(layers_);
}

void EditorWidget::syncPanels()
{
    for (const LogoElement* element : editor_.selectedElements()) {
        if (element->kind != ElementKind::Text)
            continue;
        syncingPanels_ = true;
        fontBox_->showFamily(element->fontFamily);
        sizeBox_->setValue(element->fontSize);
        boldButton_->setChecked(element->bold);
        italicButton_->setChecked(element->italic);
        syncingPanels_ = false;
        return;
    }
}

void EditorWidget::placePanel(QFrame* panel, int top)
{
    panel->adjustSize();
    // The layers sit on the left of the stage, the other panels on the right.
    if (panel == layersPanel_) {
        // Tall enough for the logo's elements, and no taller than half the canvas.
        const int rows = std::max(4, int(editor_.document().elements.size()));
        const int wanted = 64 + rows * (layers_->fontMetrics().height() + 8);
        panel->resize(panel->width(), std::clamp(wanted, 150, std::max(150, height() / 2)));
        panel->move(8, top);
    } else {
        panel->move(width() - panel->width() - 8, top);
    }
    panel->raise();
}

QFrame* EditorWidget::panelFor(Panel panel) const
{
    switch (panel) {
    case Panel::Colour: return colourPanel_;
    case Panel::Tools: return toolsPanel_;
    case Panel::Arrange: return arrangePanel_;
    case Panel::Layers: return layersPanel_;
    }
    return colourPanel_;
}

void EditorWidget::showPanel(Panel panel)
{
    QFrame* frame = panelFor(panel);
    if (!frame->isVisible()) {
        // Below the right-hand panels already shown.
        int top = toolbar_->height() + 8;
        if (panel != Panel::Layers)
            for (QFrame* shown : {colourPanel_, toolsPanel_, arrangePanel_})
                if (shown != frame && shown->isVisible())
                    top = std::max(top, shown->geometry().bottom() + 8);
        placePanel(frame, top);
    }
    frame->show();
    frame->raise();
}

void EditorWidget::arrangePanels()
{
    int top = toolbar_->height() + 8;
    for (QFrame* panel : {colourPanel_, toolsPanel_, arrangePanel_}) {
        panel->show();
        placePanel(panel, top);
        top = panel->geometry().bottom() + 8;
    }
    layersPanel_->show();
    placePanel(layersPanel_, toolbar_->height() + 8);
    showProperties();
}

void EditorWidget::showProperties()
{
    // On the left, below the layers when they are shown.
    properties_->show();
    properties_->adjustSize();
    const int top = layersPanel_->isVisible() ? layersPanel_->geometry().bottom() + 8 : toolbar_->height() + 8;
    properties_->move(8, top);
    properties_->raise();
}

bool EditorWidget::panelShown(Panel panel) const { return panelFor(panel)->isVisible(); }

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

void EditorWidget::dragSelection(const QPointF& distance, Qt::KeyboardModifiers modifiers)
{
    if (!drag_.active) {
        // What moves and what it may snap to is settled once, when the drag starts.
        drag_.active = true;
        drag_.moving.clear();
        drag_.startBounds = QRectF();
        QSet<quint64> moving;
        for (QGraphicsItem* item : scene_->selectedItems()) {
            auto* element = dynamic_cast<ElementItem*>(item);
            if (!element || !(element->flags() & QGraphicsItem::ItemIsMovable))
                continue;
            drag_.moving.emplace_back(element, element->pos());
            moving.insert(element->id());
            const QRectF bounds = visualBounds(element->element());
            drag_.startBounds = drag_.startBounds.isNull() ? bounds : drag_.startBounds.united(bounds);
        }
        QList<QRectF> others;
        for (const LogoElement& element : editor_.document().elements)
            if (!element.hidden && !moving.contains(element.id))
                others.append(visualBounds(element));
        drag_.snapper = Snapper(others, editor_.document().stageSize);
    }
    QPointF offset = distance;
    QList<SnapGuide> guides;
    if (!(modifiers & Qt::AltModifier)) {
        const Snapper::Result snapped = drag_.snapper.snap(drag_.startBounds.translated(distance), snapPixels / view_->zoom());
        offset += snapped.offset;
        guides = snapped.guides;
    }
    for (const auto& [item, start] : drag_.moving)
        item->setPos(start + offset);
    view_->setGuides(guides);
}

void EditorWidget::finishDrag()
{
    drag_.active = false;
    drag_.moving.clear();
    view_->setGuides({});
}

void EditorWidget::commitMoves()
{
    std::map<quint64, QPointF> positions;
    for (QGraphicsItem* item : scene_->items())
        if (auto* element = dynamic_cast<ElementItem*>(item); element && element->pos() != element->element().position)
            positions[element->id()] = element->pos();
    if (!positions.empty())
        editor_.moveTo(positions);
}

void EditorWidget::commitTransform(ElementItem& item)
{
    editor_.setGeometry(item.id(), item.pos(), item.boxSize(), item.rotation());
}

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

ClipArtDialog* EditorWidget::clipArtDialog() const { return clipArt_.data(); }
CropDialog* EditorWidget::cropDialog() const { return crop_.data(); }

void EditorWidget::openClipArt()
{
    if (!clipArt_) {
        clipArt_ = new ClipArtDialog(canvas_.clipArtCatalogue(), editor_.renderer(), this);
        clipArt_->setAttribute(Qt::WA_DeleteOnClose);
        connect(clipArt_, &ClipArtDialog::symbolChosen, this,
                [this](const QString& path, const QColor& colour) { editor_.addSymbol(path, colour); });
        connect(clipArt_, &ClipArtDialog::keywordRequested, this,
                [this](const QString& category, const QString& id, const QString& keyword) {
                    canvas_.requestKeyword(category, id, keyword);
                });
    }
    clipArt_->open();
}

void EditorWidget::clipArtChanged()
{
    if (clipArt_)
        clipArt_->catalogueChanged();
}

bool EditorWidget::openCrop()
{
    for (const LogoElement* element : editor_.selectedElements()) {
        if (element->kind != ElementKind::Picture || !isPlainFileName(element->picture))
            continue;
        const QImage picture(editor_.renderer().resources().imageFolder + QLatin1Char('/') + element->picture);
        if (picture.isNull())
            return false;
        delete crop_.data();
        crop_ = new CropDialog(picture, element->picture, this);
        crop_->setAttribute(Qt::WA_DeleteOnClose);
        connect(crop_, &CropDialog::cropRequested, this, [this](const QString& argument) { canvas_.requestCrop(argument); });
        crop_->open();
        return true;
    }
    return false;
}

void EditorWidget::openWizard()
{
    auto* wizard = new LogoWizardDialog(this);
    wizard->setAttribute(Qt::WA_DeleteOnClose);
    connect(wizard, &LogoWizardDialog::finished, this, [this, wizard](int result) {
        if (result == QDialog::Accepted)
            canvas_.finishWizard(wizard->logo(), wizard->publishAfterwards());
    });
    wizard->open();
}

void EditorWidget::showTemplates(const TemplateLibrary& library)
{
    if (!gallery_) {
        gallery_ = new TemplateGallery(editor_.renderer(), this);
        gallery_->onChosen = [this](const LogoTemplate& chosen) { canvas_.chooseTemplate(chosen.logo); };
        gallery_->onCancelled = [this] { canvas_.leaveTemplates(); };
    }
    gallery_->setGeometry(rect());
    gallery_->showLibrary(library);
    gallery_->show();
    gallery_->raise();
    gallery_->designView()->setFocus();
}

void EditorWidget::hideTemplates()
{
    if (gallery_)
        gallery_->hide();
}

void EditorWidget::saveAsTemplate()
{
    auto* ask = new QInputDialog(this);
    ask->setAttribute(Qt::WA_DeleteOnClose);
    ask->setWindowTitle(tr("Save as Template"));
    ask->setLabelText(tr("Template name (it appears under \"My templates\"):"));
    ask->setTextValue(tr("My template"));
    connect(ask, &QInputDialog::textValueSelected, this, [this](const QString& name) {
        QString error;
        const QString written = canvas_.saveAsTemplate(name, &error);
        showNotice(written.isEmpty() ? error : tr("Saved as the template \"%1\" under My templates.").arg(name.simplified()));
    });
    ask->open();
}

void EditorWidget::showNotice(const QString& text)
{
    if (!notice_) {
        notice_ = new QLabel(view_);
        notice_->setStyleSheet(QStringLiteral("background: rgba(20, 40, 70, 225); color: white; padding: 8px 14px; border-radius: 4px;"));
    }
    notice_->setText(text);
    notice_->adjustSize();
    notice_->move((view_->width() - notice_->width()) / 2, view_->height() - notice_->height() - 16);
    notice_->show();
    notice_->raise();
    QTimer::singleShot(3000, notice_, &QWidget::hide);
}

} // namespace vm
