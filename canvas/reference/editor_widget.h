#pragma once

#include <QPointer>
#include <QWidget>

class QDoubleSpinBox;
class QFrame;
class QGraphicsScene;
class QGraphicsTextItem;
class QGraphicsView;
class QLabel;
class QToolBar;
class QToolButton;

namespace vm {

class ClipArtDialog;
class CropDialog;
class ElementItem;
class FontBox;
class LogoEditor;
class ReferenceCanvas;
class TemplateGallery;
class TemplateLibrary;

// What the user sees of the canvas: its toolbar, the stage with the logo and
// the selection handles, the colour and tools panels, the quick-help overlay.
class EditorWidget : public QWidget {
public:
    enum class Panel { Colour, Tools };

    explicit EditorWidget(ReferenceCanvas& canvas, QWidget* parent = nullptr);
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
    void openWizard();
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

    QGraphicsView* stageView() const { return view_; }
    FontBox* fontBox() const { return fontBox_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildPanels();
    void rebuildScene();
    void syncSelectionFromScene();
    void syncPanels();
    void commitMoves();
    void commitTransform(ElementItem& item);
    void placePanel(QFrame* panel, int top);
    void showNotice(const QString& text);
    ElementItem* itemFor(quint64 id) const;

    ReferenceCanvas& canvas_;
    LogoEditor& editor_;
    QToolBar* toolbar_;
    QGraphicsScene* scene_;
    QGraphicsView* view_;
    QFrame* colourPanel_ = nullptr;
    QFrame* toolsPanel_ = nullptr;
    FontBox* fontBox_ = nullptr;
    QDoubleSpinBox* sizeBox_ = nullptr;
    QToolButton* boldButton_ = nullptr;
    QToolButton* italicButton_ = nullptr;
    QLabel* quickHelp_ = nullptr;
    QGraphicsTextItem* textEditor_ = nullptr;
    quint64 editedId_ = 0;
    QPointer<ClipArtDialog> clipArt_;
    QPointer<CropDialog> crop_;
    TemplateGallery* gallery_ = nullptr;
    QLabel* notice_ = nullptr;
    bool selectionShown_ = true;
    bool rebuilding_ = false;
    bool syncingPanels_ = false;
};

} // namespace vm
