#include "canvas/reference/editor_widget.h"

#include "canvas/reference/clipart_dialog.h"
#include "canvas/reference/crop_dialog.h"
#include "canvas/reference/font_box.h"
#include "canvas/reference/logo_editor.h"
#include "canvas/reference/reference_canvas.h"
#include "canvas/reference/stage_items.h"
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
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QColor deskColour(221, 236, 248);
const QColor accent(19, 121, 206);

// The stage: the logo's background, a soft shadow around it, the desk beyond.
class StageView : public QGraphicsView {
public:
    StageView(QGraphicsScene* scene, LogoEditor& editor, QWidget* parent) : QGraphicsView(scene, parent), editor_(editor)
    {
        setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        setFrameShape(QFrame::NoFrame);
        setBackgroundBrush(deskColour);
        setDragMode(QGraphicsView::RubberBandDrag);
        setAlignment(Qt::AlignCenter);
    }

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override
    {
        painter->fillRect(rect, deskColour);
        const QRectF stage(QPointF(0, 0), editor_.document().stageSize);
        painter->fillRect(stage.translated(4, 4), QColor(0, 0, 0, 35));
        painter->fillRect(stage, editor_.document().background);
        painter->setPen(QPen(QColor(170, 190, 210), 0));
        painter->drawRect(stage);
    }

private:
    LogoEditor& editor_;
};

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

QFrame* panelFrame(const QString& title, QWidget* parent, QVBoxLayout*& body)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("canvasPanel"));
    frame->setStyleSheet(QStringLiteral("QFrame#canvasPanel { background: #f7fafd; border: 1px solid #9fb7cf; border-radius: 4px; }"));
    body = new QVBoxLayout(frame);
    body->setContentsMargins(6, 4, 6, 6);
    body->setSpacing(4);
    auto* head = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("<b>%1</b>").arg(title), frame);
    auto* close = new QToolButton(frame);
    close->setText(QStringLiteral("×"));
    close->setAutoRaise(true);
    QObject::connect(close, &QToolButton::clicked, frame, &QWidget::hide);
    head->addWidget(label);
    head->addStretch();
    head->addWidget(close);
    body->addLayout(head);
    frame->hide();
    return frame;
}
} // namespace

EditorWidget::EditorWidget(ReferenceCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas), editor_(canvas.editor()), toolbar_(new QToolBar(this)), scene_(new QGraphicsScene(this))
{
    view_ = new StageView(scene_, editor_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(view_, 1);
    buildToolbar();
    buildPanels();

    quickHelp_ = new QLabel(view_);
    quickHelp_->setWordWrap(true);
    quickHelp_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    quickHelp_->setStyleSheet(QStringLiteral("background: rgba(20, 40, 70, 215); color: white; padding: 18px; font-size: 13px;"));
    quickHelp_->setText(tr("<h3>Quick help</h3>"
                           "<p><b>Text</b> adds a text; double-click it to type, Enter to finish.</p>"
                           "<p><b>Symbol</b> opens the clip-art browser: search by keyword, pick a colour.</p>"
                           "<p><b>Picture</b> adds a picture from your computer; <b>Crop</b> cuts and scales it.</p>"
                           "<p>Drag to move. Corner handles resize, the round handle rotates.</p>"
                           "<p>The <b>Colour</b> and <b>Tools</b> panels change the selected elements.</p>"
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

EditorWidget::~EditorWidget() = default;

void EditorWidget::buildToolbar()
{
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar_->setStyleSheet(QStringLiteral("QToolBar { background: #eef4fa; border-bottom: 1px solid #c3d3e3; spacing: 0px; }"
                                            "QToolButton { padding: 0px 1px; margin: 0px; font-size: 11px; }"));
    const auto add = [this](const QString& text, const QString& tip, auto slot) {
        QAction* action = toolbar_->addAction(text);
        action->setToolTip(tip);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(tr("New"), tr("Start a new logo"), [this] { canvas_.requestNew(); });
    add(tr("Open"), tr("Open a logo"), [this] { canvas_.requestOpen(); });
    QAction* save = add(tr("Save"), tr("Save the logo; the arrow also keeps it as a template"), [this] { canvas_.requestSave(); });
    // Saving as a template sits under Save: the toolbar has no room for another button.
    auto* saveMenu = new QMenu(this);
    saveMenu->addAction(tr("Save as Template…"), this, [this] { saveAsTemplate(); });
    save->setMenu(saveMenu);
    if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(save)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    add(tr("Publish"), tr("Publish the logo as an image"), [this] { canvas_.requestPublish(); });
    toolbar_->addSeparator();
    add(tr("Text"), tr("Add a text"), [this] { editor_.addText(tr("Your Text")); });
    add(tr("Symbol"), tr("Add a clip-art symbol"), [this] { openClipArt(); });
    add(tr("Picture"), tr("Add a picture"), [this] { canvas_.requestPicture(); });
    add(tr("Crop"), tr("Crop and scale the selected picture"), [this] {
        if (!openCrop())
            canvas_.alert(tr("Select a picture to crop."));
    });
    toolbar_->addSeparator();
    add(tr("Undo"), tr("Undo the last change"), [this] { editor_.undo(); });
    add(tr("Cut"), tr("Cut"), [this] { editor_.cut(); });
    add(tr("Copy"), tr("Copy"), [this] { editor_.copy(); });
    add(tr("Paste"), tr("Paste"), [this] { editor_.paste(); });
    add(tr("Delete"), tr("Delete"), [this] { editor_.deleteSelected(); });
    toolbar_->addSeparator();
    add(tr("Forward"), tr("Bring forward"), [this] { editor_.bringForward(); });
    add(tr("Backward"), tr("Send backward"), [this] { editor_.sendBackward(); });
    add(tr("Group"), tr("Group everything"), [this] { editor_.groupAll(); });
    add(tr("Ungroup"), tr("Take the selected group apart"), [this] { editor_.ungroupSelected(); });
    toolbar_->addSeparator();
    add(tr("Panels"), tr("Show the colour and text tools panels"), [this] { arrangePanels(); });
    add(tr("Wizard"), tr("New logo wizard"), [this] { openWizard(); });

    add(tr("Help"), tr("Quick help"), [this] { canvas_.setQuickHelp(!canvas_.quickHelpShown(), true); });
}

void EditorWidget::buildPanels()
{
    QVBoxLayout* body = nullptr;
    colourPanel_ = panelFrame(tr("Colour"), this, body);
    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    for (int index = 0; index < swatches.size(); ++index) {
        auto* swatch = new QToolButton(colourPanel_);
        swatch->setFixedSize(22, 22);
        swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #7a8a9a; border-radius: 3px; }")
                                  .arg(swatches[index].name()));
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

    toolsPanel_ = panelFrame(tr("Text tools"), this, body);
    fontBox_ = new FontBox(toolsPanel_);
    fontBox_->setMaximumWidth(150);
    fontBox_->setFamilies(canvas_.fontFamilies(), canvas_.userFonts().names());
    fontBox_->setImportableFaces([this] { return canvas_.importableFaces(); });
    sizeBox_ = new QDoubleSpinBox(toolsPanel_);
    sizeBox_->setRange(4, 400);
    sizeBox_->setDecimals(0);
    sizeBox_->setSuffix(tr(" px"));
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
    panel->move(width() - panel->width() - 8, top);
    panel->raise();
}

void EditorWidget::showPanel(Panel panel)
{
    QFrame* frame = panel == Panel::Colour ? colourPanel_ : toolsPanel_;
    if (!frame->isVisible())
        placePanel(frame, toolbar_->height() + 8 + (panel == Panel::Tools && colourPanel_->isVisible() ? colourPanel_->height() + 8 : 0));
    frame->show();
    frame->raise();
}

void EditorWidget::arrangePanels()
{
    colourPanel_->show();
    toolsPanel_->show();
    placePanel(colourPanel_, toolbar_->height() + 8);
    placePanel(toolsPanel_, colourPanel_->geometry().bottom() + 8);
}

bool EditorWidget::panelShown(Panel panel) const
{
    return (panel == Panel::Colour ? colourPanel_ : toolsPanel_)->isVisible();
}

void EditorWidget::setSelectionShown(bool shown)
{
    selectionShown_ = shown;
    scene_->update();
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
    for (QFrame* panel : {colourPanel_, toolsPanel_})
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
    scene_->clear();
    scene_->setSceneRect(QRectF(QPointF(0, 0), editor_.document().stageSize).adjusted(-20, -20, 20, 20));
    ElementItem::Hooks hooks;
    hooks.moved = [this] { QTimer::singleShot(0, this, [this] { commitMoves(); }); };
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
