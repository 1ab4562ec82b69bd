#pragma once

#include "canvas/logo/clipart_catalogue.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas/player/movie_player.h"
#include "canvas/reference/bitmap_canvas.h"
#include "canvas/reference/logo_editor.h"
#include "canvas/logo/template_library.h"

#include <QHash>
#include <QList>
#include <QPair>
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
class ReferenceCanvas : public MoviePlayer, public LogoSource {
public:
    // printer may be null: the canvas then says that printing is not available.
    ReferenceCanvas(QString controlName, Trace& trace, PagePrinter* printer = nullptr);
    ~ReferenceCanvas() override;

    LogoEditor& editor() { return *editor_; }
    const LogoDocument& currentLogo() const override { return editor_->document(); }
    const LogoRenderer& logoRenderer() const override { return editor_->renderer(); }
    // The player that draws the raster pictures; without one they are not available.
    void setBitmapCanvas(BitmapCanvas* bitmap) { bitmap_ = bitmap; }

    // Where a published page puts the stage: points from the page's top-left
    // corner, one point per stage pixel, so the host's crop cuts exactly the stage.
    static constexpr QPointF publishOffset{34, 45};
    // The editor's widget, made on first use; the canvas owns it.
    QWidget* view();
    EditorWidget* editorWidget() { return widget_.get(); }

    // The path the host last named: "New" for a logo without a file.
    const QString& lastPath() const { return lastPath_; }
    const QString& userFontList() const { return userFontList_; }
    // The font box: the families every logo can use, the user's imported
    // ones, and the installed faces the host offers for import ("fontlist").
    QStringList fontFamilies() const;
    const ImportedFonts& userFonts() const { return userFonts_; }
    QStringList importableFaces() const;
    // The user picked a face to import: the host compiles it and answers "loaduserfonts".
    void importFont(const QString& face);
    bool selectionShown() const { return selectionShown_; }
    bool quickHelpShown() const { return quickHelpShown_; }

    // The canvas's own toolbar asking the host.
    void requestNew();
    void requestOpen();
    void requestSave();
    void requestPublish();
    void requestPicture();
    // The user's own keyword for a clip-art symbol; the host answers "result keyword".
    void requestKeyword(const QString& category, const QString& id, const QString& keyword);
    // The crop tool's "cropimage" argument; the host answers "cropedimage".
    void requestCrop(const QString& argument);
    // A message for the user, shown by the host.
    void alert(const QString& message);

    // The clip-art library, read when first needed and again when a keyword was added.
    const ClipArtCatalogue& clipArtCatalogue();
    void setQuickHelp(bool shown, bool tellHost);
    void textEditing(bool editing);
    void finishWizard(const LogoDocument& logo, bool publish);
    void chooseTemplate(const LogoDocument& logo);

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
    void leaveTemplates();
    // The current logo written into the user's own templates; the file, or "" with error set.
    QString saveAsTemplate(const QString& name, QString* error);

protected:
    void movieLoaded() override;
    void interactionPlayed(const QString& command, const QString& argument) override;

private:
    void registerCommands();
    void post(const QString& command, const QString& argument);
    void flush();
    // Reads a logo file onto the stage; tells the user when it cannot.
    bool loadFile(const QString& path, bool hostMadeItCurrent);
    void openFile(const QString& argument);
    void recoverFile(const QString& argument);
    void print();
    void loadUserFonts();
    void publishPicture(BitmapCanvas::Picture picture);
    void publishPrinted(bool vector);
    QString savedLogo() const;

    std::unique_ptr<LogoEditor> editor_;
    std::unique_ptr<EditorWidget> widget_;
    PagePrinter* printer_;
    BitmapCanvas* bitmap_ = nullptr;
    QHash<QString, std::function<void(const QString&)>> commands_;
    QList<QPair<QString, QString>> outbox_;
    QString lastPath_ = QStringLiteral("New");
    QString language_;
    QString userFontList_;
    QString root_;
    QStringList shippedFamilies_;
    ImportedFonts userFonts_;
    QString importing_; // the face asked for, set in the selected texts once it loads
    bool selectionShown_ = true;
    bool quickHelpShown_ = false;
    bool loading_ = false;
    std::optional<LogoDocument> chosenTemplate_;
    std::optional<ClipArtCatalogue> clipArt_;
    TemplateLibrary templates_;
    QString shippedTemplates_;
    QString ownTemplates_;
    bool galleryOpen_ = false;
};

} // namespace vm
