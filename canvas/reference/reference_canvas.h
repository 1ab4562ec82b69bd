#pragma once

#include "canvas/bitmap/bitmap_canvas.h"
#include "canvas/editing/logo_editor.h"
#include "canvas/editor/editor_canvas.h"
#include "canvas/logo/clipart_catalogue.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas/logo/template_library.h"
#include "canvas/outbox/command_outbox.h"
#include "canvas/player/movie_player.h"
#include "platform/api/user_places.h"

#include <QHash>
#include <QPointF>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace vm {

class EditorWidget;
class PagePrinter;

// The logo editor behind the canvas control: it acts on every host command
// and answers only with the canvas commands the host knows. Answers leave
// from the event loop, in order, as a movie's would: the host has finished
// the call that asked before it hears the answer.
class ReferenceCanvas : public MoviePlayer, public LogoSource, public EditorCanvas {
public:
    // printer may be null: the canvas then says that printing is not available.
    ReferenceCanvas(QString controlName, Trace& trace, PagePrinter* printer = nullptr);
    ~ReferenceCanvas() override;

    LogoEditor& editor() override { return *editor_; }
    const LogoDocument& currentLogo() const override { return editor_->document(); }
    const LogoRenderer& logoRenderer() const override { return editor_->renderer(); }
    // The player that draws the raster pictures; without one they are not available.
    void setBitmapCanvas(BitmapCanvas* bitmap) { bitmap_ = bitmap; }
    // Where the user's pictures, clip-art lists and font movies are; before the movie loads.
    void setUserPlaces(const UserPlaces& places) { places_ = places; }

    // Where a published page puts the stage: points from the page's top-left
    // corner, one point per stage pixel, so the host's crop cuts exactly the stage.
    static constexpr QPointF publishOffset{34, 45};
    // The editor's widget, made on first use; the canvas owns it.
    QWidget* view();
    EditorWidget* editorWidget() { return widget_.get(); }

    // The path the host last named: "New" for a logo without a file.
    const QString& lastPath() const { return lastPath_; }
    const QString& userFontList() const { return userFontList_; }
    // The font box's lists (see EditorCanvas).
    QStringList fontFamilies() const override;
    const ImportedFonts& userFonts() const override { return userFonts_; }
    QStringList importableFaces() const override;
    void importFont(const QString& face) override;
    bool selectionShown() const { return selectionShown_; }
    bool quickHelpShown() const override { return quickHelpShown_; }

    // The editor's requests to the host (see EditorCanvas).
    void requestNew() override;
    void requestOpen() override;
    void requestSave() override;
    void requestPublish() override;
    void requestPicture() override;
    void requestKeyword(const QString& category, const QString& id, const QString& keyword) override;
    void requestCrop(const QString& argument) override;
    void alert(const QString& message) override;

    const ClipArtCatalogue& clipArtCatalogue() override;
    void setQuickHelp(bool shown, bool tellHost) override;
    void textEditing(bool editing) override;
    std::shared_ptr<const ideas::IdeaGenerator> ideaGenerator() override;
    void finishWizard(const LogoDocument& logo, bool publish) override;
    void chooseTemplate(const LogoDocument& logo) override;

    // The template gallery: read afresh each time it opens, so templates the
    // user saved meanwhile are there. Picking one raises "templatecall", and
    // "drawtemplate" then puts it on the stage; leaving without one raises
    // "fmactivemenu" for the host's menus.
    void setTemplateFolders(const QString& shipped, const QString& own);
    const QString& shippedTemplateFolder() const { return shippedTemplates_; }
    const QString& ownTemplateFolder() const { return ownTemplates_; }
    void openTemplates();
    bool galleryOpen() const { return galleryOpen_; }
    const TemplateLibrary& templateLibrary() const { return templates_; }
    bool pickTemplate(const QString& category, const QString& name);
    void leaveTemplates() override;
    QString saveAsTemplate(const QString& name, QString* error) override;

protected:
    void movieLoaded() override;
    void interactionPlayed(const QString& command, const QString& argument) override;

private:
    void registerCommands();
    // Reads a logo file onto the stage; tells the user when it cannot.
    bool loadFile(const QString& path, bool hostMadeItCurrent);
    void openFile(const QString& argument);
    void recoverFile(const QString& argument);
    void print();
    void loadUserFonts();
    ClipArtCatalogue loadClipArt() const;
    void publishPicture(BitmapCanvas::Picture picture);
    void publishPrinted(bool vector);
    QString savedLogo() const;

    std::unique_ptr<LogoEditor> editor_;
    CommandOutbox outbox_;
    std::unique_ptr<EditorWidget> widget_;
    PagePrinter* printer_;
    BitmapCanvas* bitmap_ = nullptr;
    QHash<QString, std::function<void(const QString&)>> commands_;
    QString lastPath_ = QStringLiteral("New");
    QString language_;
    QString userFontList_;
    QString root_;
    UserPlaces places_;
    QStringList shippedFamilies_;
    ImportedFonts userFonts_;
    QString importing_; // the face asked for, set in the selected texts once it loads
    bool selectionShown_ = true;
    bool quickHelpShown_ = false;
    bool loading_ = false;
    std::optional<LogoDocument> chosenTemplate_;
    std::optional<ClipArtCatalogue> clipArt_;
    // Made for one data folder; made again when the folder changes.
    std::shared_ptr<const ideas::IdeaGenerator> ideas_;
    QString ideasDataFolder_;
    TemplateLibrary templates_;
    QString shippedTemplates_;
    QString ownTemplates_;
    bool galleryOpen_ = false;
};

} // namespace vm
