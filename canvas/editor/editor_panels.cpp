#include "canvas/editor/editor_widget.h"

#include "canvas/editing/logo_editor.h"
#include "canvas/editor/editor_canvas.h"
#include "canvas/fonts/font_box.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas/look/editor_look.h"
#include "canvas/look/panel_frame.h"
#include "canvas/panels/arrange_controls.h"
#include "canvas/panels/layers_list.h"
#include "canvas/panels/properties_panel.h"

#include <QColorDialog>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QList<QColor> swatches = {
    QColor(0x00, 0x00, 0x00), QColor(0x44, 0x44, 0x44), QColor(0x88, 0x88, 0x88), QColor(0xff, 0xff, 0xff),
    QColor(0x1f, 0x3a, 0x5f), QColor(0x13, 0x79, 0xce), QColor(0x00, 0xa6, 0xd6), QColor(0x2e, 0x7d, 0x32),
    QColor(0x3c, 0x9a, 0x3f), QColor(0x8b, 0xc3, 0x4a), QColor(0xc9, 0x9a, 0x06), QColor(0xff, 0xc1, 0x07),
    QColor(0xe6, 0x4a, 0x19), QColor(0xd3, 0x2f, 0x2f), QColor(0xad, 0x14, 0x57), QColor(0x6a, 0x1b, 0x9a),
};

} // namespace

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

} // namespace vm
