#pragma once

#include "canvas/editing/selection_drag.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <vector>

class QDoubleSpinBox;
class QFrame;
class QGraphicsScene;
class QGraphicsTextItem;
class QGraphicsView;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;
class QAction;

namespace vm {

class ClipArtDialog;
class IdeasWindow;
class CropDialog;
class ArrangeControls;
class EditorCanvas;
class ElementItem;
class FontBox;
class LayersList;
class LogoEditor;
class StageView;
class PropertiesPanel;
class TemplateGallery;
class TemplateLibrary;

// What the user sees of the canvas: its toolbar, the stage with the logo and
// the selection handles, the colour, tools, arrange and layers panels, the
// quick-help overlay. Its parts live in files of their own: the toolbar, the
// panels, dragging, in-place text editing and the dialogs it opens.
class EditorWidget : public QWidget {
public:
    enum class Panel { Colour, Tools, Arrange, Layers };

    explicit EditorWidget(EditorCanvas& canvas, QWidget* parent = nullptr);
    ~EditorWidget() override;

    void showPanel(Panel panel);
    void arrangePanels();
    bool panelShown(Panel panel) const;
    void setSelectionShown(bool shown);
    void setQuickHelpShown(bool shown);
    // The logo's folders or the user's fonts changed: draw the stage and the font box again.
    void resourcesChanged();

    void openClipArt();
    // The crop tool for the selected picture; false when no picture is selected.
    bool openCrop();
    void clipArtChanged();
    // The logo ideas window (one at a time), from the toolbar's wand or the empty stage.
    void openIdeas();
    IdeasWindow* ideasWindow() const;
    QPushButton* startButton() const { return startButton_; }
    // The template gallery over the whole canvas.
    void showTemplates(const TemplateLibrary& library);
    void hideTemplates();
    TemplateGallery* templateGallery() const { return gallery_; }
    // Asks for a name and writes the logo into the user's own templates.
    void saveAsTemplate();
    ClipArtDialog* clipArtDialog() const;
    CropDialog* cropDialog() const;

    // In-place text editing of a text on the stage.
    bool beginTextEdit(quint64 id);
    void endTextEdit();
    QGraphicsTextItem* textEditor() const { return textEditor_; }

    StageView* stage() const { return view_; }
    LayersList* layersList() const { return layers_; }
    ArrangeControls* arrangeControls() const { return arrange_; }
    QToolBar* toolbar() const { return toolbar_; }
    // The toolbar's and the shortcuts' actions by name: "redo", "zoomIn", "alignLeft", ...
    QAction* action(const QString& name) const;

    // Dragging the selection on the stage by distance (scene units), snapped
    // unless Alt is held; what the stage's mouse moves call.
    void dragSelection(const QPointF& distance, Qt::KeyboardModifiers modifiers);
    void finishDrag();
    // How close, in screen pixels, a dragged edge or centre is pulled onto a line.
    static constexpr double snapPixels = 6;
    QGraphicsView* stageView() const;
    PropertiesPanel* propertiesPanel() const { return properties_; }
    void showProperties();
    FontBox* fontBox() const { return fontBox_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // editor_toolbar.cpp: the toolbar's table, its menus, the keys.
    void buildToolbar();
    QMenu* shapeMenu();
    QMenu* alignMenu();
    QToolButton* zoomBox();
    void nameUndoSteps();
    void buildShortcuts();
    void showZoom();
    // editor_panels.cpp
    void buildPanels();
    QFrame* panelFor(Panel panel) const;
    void syncPanels();
    void placePanel(QFrame* panel, int top);
    // editor_dragging.cpp
    void commitMoves();
    void commitTransform(ElementItem& item);
    // editor_dialogs.cpp
    void showNotice(const QString& text);
    // The "Start from your name" offer on an empty stage.
    void buildStartButton();
    void placeStartButton();
    // editor_widget.cpp: the scene and its selection.
    void rebuildScene();
    void syncSelectionFromScene();
    ElementItem* itemFor(quint64 id) const;

    EditorCanvas& canvas_;
    LogoEditor& editor_;
    QToolBar* toolbar_;
    QGraphicsScene* scene_;
    StageView* view_;
    QFrame* colourPanel_ = nullptr;
    QFrame* toolsPanel_ = nullptr;
    QFrame* arrangePanel_ = nullptr;
    QFrame* layersPanel_ = nullptr;
    ArrangeControls* arrange_ = nullptr;
    LayersList* layers_ = nullptr;
    QToolButton* zoomButton_ = nullptr;
    QHash<QString, QAction*> actions_;
    // The selection being dragged: where each item started, what it may snap to.
    struct Drag {
        std::vector<std::pair<ElementItem*, QPointF>> moving;
        SelectionDrag snapping;
        bool active = false;
    } drag_;
    PropertiesPanel* properties_ = nullptr;
    FontBox* fontBox_ = nullptr;
    QDoubleSpinBox* sizeBox_ = nullptr;
    QToolButton* boldButton_ = nullptr;
    QToolButton* italicButton_ = nullptr;
    QLabel* quickHelp_ = nullptr;
    QGraphicsTextItem* textEditor_ = nullptr;
    quint64 editedId_ = 0;
    QPointer<ClipArtDialog> clipArt_;
    QPointer<CropDialog> crop_;
    QPointer<IdeasWindow> ideas_;
    QPushButton* startButton_ = nullptr;
    TemplateGallery* gallery_ = nullptr;
    QLabel* notice_ = nullptr;
    bool selectionShown_ = true;
    bool rebuilding_ = false;
    bool syncingPanels_ = false;
};

} // namespace vm
