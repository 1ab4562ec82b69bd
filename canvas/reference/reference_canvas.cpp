#include "canvas/reference/reference_canvas.h"

#include "protocol/field_separator.h"
#include "platform/api/page_printer.h"
#include "canvas/editor/editor_widget.h"
#include "canvas/ideas/idea_generator.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/logo_fonts.h"
#include "canvas/logo/shipped_fonts.h"
#include "platform/api/trace.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTimer>

namespace vm {

namespace {
const QString trueText = QStringLiteral("true");
const QString falseText = QStringLiteral("false");
} // namespace

ReferenceCanvas::ReferenceCanvas(QString controlName, Trace& trace, PagePrinter* printer)
    : MoviePlayer(std::move(controlName), trace), editor_(std::make_unique<LogoEditor>()), outbox_(*this), printer_(printer),
      ownTemplates_(TemplateLibrary::defaultOwnFolder())
{
    registerCommands();
    editor_->renderer().setGlyphLookup(userFonts_.lookup());
    QObject::connect(editor_.get(), &LogoEditor::edited, editor_.get(), [this] {
        if (!loading_)
            outbox_.post(QStringLiteral("datatosave"), trueText);
    });
}

ReferenceCanvas::~ReferenceCanvas() = default;

QWidget* ReferenceCanvas::view()
{
    if (!widget_) {
        widget_ = std::make_unique<EditorWidget>(*this);
        widget_->setSelectionShown(selectionShown_);
        if (galleryOpen_)
            widget_->showTemplates(templates_);
    }
    return widget_.get();
}

void ReferenceCanvas::movieLoaded()
{
    // The catalogue and pictures sit beside the movie's folder: <root>/flash/LogoMain.swf.
    const QString root = QFileInfo(QFileInfo(movie()).absolutePath()).absolutePath();
    root_ = root;
    // A read-only install keeps the user's pictures, lists and font movies in the user's places.
    const bool perUser = places_.perUser();
    editor_->renderer().setResources({root + QStringLiteral("/datasrc"),
                                      perUser ? places_.imageFolder() : root + QStringLiteral("/LogoImages"),
                                      places_.userRoot()});
    if (clipArt_)
        *clipArt_ = loadClipArt();
    // The shipped fonts and those imported in earlier runs.
    loadUserFonts();
    shippedTemplates_ = root + QStringLiteral("/templates");
    if (widget_)
        widget_->resourcesChanged();
    for (const char* command : {"fmloaded", "isloaded", "fmactivemenu"})
        outbox_.post(QString::fromLatin1(command), QString());
}

void ReferenceCanvas::interactionPlayed(const QString& command, const QString& argument)
{
    const auto handler = commands_.constFind(command.toLower());
    if (handler != commands_.constEnd())
        (*handler)(argument);
}

void ReferenceCanvas::registerCommands()
{
    const auto on = [this](const QString& name, std::function<void(const QString&)> handler) {
        commands_.insert(name.toLower(), std::move(handler));
    };
    const auto whenView = [this](const std::function<void(EditorWidget&)>& action) {
        if (widget_)
            action(*widget_);
    };
    LogoEditor& editor = *editor_;

    on("chlang", [this](const QString& argument) { language_ = argument; });
    on("fontlist", [this](const QString& argument) { userFontList_ = argument; });
    on("loaduserfonts", [this](const QString&) {
        loadUserFonts();
        if (widget_)
            widget_->resourcesChanged();
        const QString face = std::exchange(importing_, {});
        if (userFonts_.loadedFamilies().contains(face))
            editor_->setFontFamily(face);
    });
    on("drawnewtext", [&editor, whenView](const QString&) {
        editor.addText(QObject::tr("Your Text"));
        whenView([](EditorWidget& widget) { widget.showPanel(EditorWidget::Panel::Tools); });
    });
    on("drawnewlogo", [whenView](const QString&) { whenView([](EditorWidget& widget) { widget.openClipArt(); }); });
    on("UploadImage", [this](const QString&) { requestPicture(); });
    on("resultimage", [&editor](const QString& name) {
        if (isPlainFileName(name))
            editor.addPicture(name);
    });
    on("cropedimage", [&editor](const QString& name) {
        if (!isPlainFileName(name))
            return;
        // The crop replaces the selected picture; without one it comes in as a new picture.
        for (const LogoElement* element : editor.selectedElements()) {
            if (element->kind == ElementKind::Picture) {
                editor.setPicture(element->id, name);
                return;
            }
        }
        editor.addPicture(name);
    });
    // A list of the catalogue got a keyword: read the library again so the browser shows and finds it.
    on("result keyword", [this](const QString&) {
        if (!clipArt_)
            return;
        *clipArt_ = loadClipArt();
        if (widget_)
            widget_->clipArtChanged();
    });
    on("ShowSelection", [this, whenView](const QString& argument) {
        selectionShown_ = argument.compare(trueText, Qt::CaseInsensitive) == 0;
        whenView([this](EditorWidget& widget) { widget.setSelectionShown(selectionShown_); });
    });
    on("groupall", [&editor](const QString&) { editor.groupAll(); });
    on("bringforward_link", [&editor](const QString&) { editor.bringForward(); });
    on("sendbackward_link", [&editor](const QString&) { editor.sendBackward(); });
    on("show undo", [&editor](const QString&) { editor.undo(); });
    on("show cut", [&editor](const QString&) { editor.cut(); });
    on("show copy", [&editor](const QString&) { editor.copy(); });
    on("show paste", [&editor](const QString&) { editor.paste(); });
    on("show delete", [&editor](const QString&) { editor.deleteSelected(); });
    on("panel_Color", [whenView](const QString&) { whenView([](EditorWidget& widget) { widget.showPanel(EditorWidget::Panel::Colour); }); });
    on("panel_Tools", [whenView](const QString&) { whenView([](EditorWidget& widget) { widget.showPanel(EditorWidget::Panel::Tools); }); });
    on("panel_ArrangeAll", [whenView](const QString&) { whenView([](EditorWidget& widget) { widget.arrangePanels(); }); });
    // The print dialog is modal: it runs from the event loop, after the host's call has returned.
    on("printmovie", [this](const QString&) { QTimer::singleShot(0, editor_.get(), [this] { print(); }); });
    // Publishing: the raster pictures come from the bitmap canvas, the transparent
    // ones once the host has passed it the background name, EPS through the printer.
    for (const publish_formats::Row& row : publish_formats::all()) {
        const PublishFormat format = row.format;
        if (row.route == publish_formats::Route::Printed)
            on(row.canvasCommand, [this, format](const QString&) { publishPrinted(format == PublishFormat::VectorEps); });
        else if (row.transparent)
            on(row.canvasCommand, [this, background = row.background](const QString&) {
                outbox_.post(QStringLiteral("publishtransparentimage"), background);
            });
        else if (row.route == publish_formats::Route::Picture)
            on(row.canvasCommand, [this, format](const QString&) { publishPicture(format); });
    }
    on("quick help", [this](const QString& argument) { setQuickHelp(argument.compare(trueText, Qt::CaseInsensitive) == 0, false); });
    on("show save", [this](const QString& path) {
        lastPath_ = path.isEmpty() ? QStringLiteral("New") : path;
        outbox_.post(QStringLiteral("show save"), lastPath_ + fieldSeparator + savedLogo());
    });
    on("is selection", [this](const QString& argument) {
        if (argument == trueText)
            outbox_.post(QStringLiteral("show publish"), QString());
    });
    on("result open", [this](const QString& argument) { openFile(argument); });
    on("show new", [this](const QString&) {
        lastPath_ = QStringLiteral("New");
        editor_->clear();
        outbox_.post(QStringLiteral("datatosave"), falseText);
    });
    // Our own: the logo for the host's recovery file. Not a save: the path the
    // host last named and the unsaved state stay as they are.
    on("autosave", [this](const QString&) { outbox_.post(QStringLiteral("autosave"), savedLogo()); });
    on("recover open", [this](const QString& argument) { recoverFile(argument); });
    on("Open New Template", [this](const QString&) { openTemplates(); });
    on("drawtemplate", [this](const QString&) {
        // Only a design the user chose replaces the logo; a late or repeated call changes nothing.
        if (!chosenTemplate_)
            return;
        // A new logo, not an edit of the old one: nothing to undo, nothing unsaved yet.
        loading_ = true;
        editor_->load(*chosenTemplate_);
        loading_ = false;
        lastPath_ = QStringLiteral("New");
        chosenTemplate_.reset();
    });
}

QString ReferenceCanvas::savedLogo() const { return QString::fromUtf8(logo_xml::write(editor_->document())); }

bool ReferenceCanvas::loadFile(const QString& path, bool hostMadeItCurrent)
{
    logo_xml::ReadResult result = logo_xml::readFile(path);
    if (!result.document) {
        // An open the host already counted as done: it takes that back first.
        if (hostMadeItCurrent)
            outbox_.post(QStringLiteral("openrefused"), path);
        outbox_.post(QStringLiteral("show alerto"), result.error);
        return false;
    }
    loading_ = true;
    editor_->load(std::move(*result.document));
    loading_ = false;
    return true;
}

void ReferenceCanvas::openFile(const QString& argument)
{
    // The path ends at the last fieldSeparator: it may hold an "æ" of its own.
    const qsizetype cut = argument.lastIndexOf(fieldSeparator);
    const QString path = cut < 0 ? argument : argument.left(cut);
    if (!loadFile(path, true))
        return;
    lastPath_ = path;
    outbox_.post(QStringLiteral("datatosave"), falseText);
}

void ReferenceCanvas::recoverFile(const QString& argument)
{
    // Read like a project file, then kept as unsaved changes of the project
    // named after the fieldSeparator ("New" for a logo without a file).
    if (!loadFile(argument.section(fieldSeparator, 0, 0), false))
        return;
    const QString project = argument.section(fieldSeparator, 1);
    lastPath_ = project.isEmpty() ? QStringLiteral("New") : project;
    outbox_.post(QStringLiteral("datatosave"), trueText);
}

void ReferenceCanvas::print()
{
    if (!printer_) {
        outbox_.post(QStringLiteral("show alerto"), QObject::tr("Printing is not available."));
        return;
    }
    const LogoDocument logo = editor_->document();
    LogoRenderer& renderer = editor_->renderer();
    printer_->printWithDialog(QStringLiteral("Vantamorph logo"), [&logo, &renderer](QPainter& painter, const QRectF& page) {
        // The stage at its own size when it fits, scaled down to the page when not.
        const QSizeF stage(logo.stageSize);
        const double scale = std::min({1.0, page.width() / stage.width(), page.height() / stage.height()});
        painter.save();
        painter.translate(page.topLeft());
        painter.scale(scale, scale);
        renderer.draw(painter, logo);
        painter.restore();
    });
}

ClipArtCatalogue ReferenceCanvas::loadClipArt() const
{
    const LogoResources& resources = editor_->renderer().resources();
    return ClipArtCatalogue::load(resources.dataFolder, resources.userDataFolder());
}

void ReferenceCanvas::loadUserFonts()
{
    if (root_.isEmpty())
        return;
    shippedFamilies_ = useLogoFonts(
        root_, userFonts_, editor_->renderer(),
        [this](const QString& line) {
            qWarning("vantamorph: %s", qPrintable(line));
            trace_.write(line);
        },
        places_.userRoot());
}

QStringList ReferenceCanvas::fontFamilies() const
{
    QStringList families = shippedFamilies_ + systemFontFamilies();
    families.removeDuplicates();
    families.sort(Qt::CaseInsensitive);
    return families;
}

QStringList ReferenceCanvas::importableFaces() const
{
    // Every name ends in a comma; a font without a readable name leaves an empty one.
    QStringList faces = userFontList_.split(QLatin1Char(','), Qt::SkipEmptyParts);
    faces.removeDuplicates();
    faces.sort(Qt::CaseInsensitive);
    return faces;
}

void ReferenceCanvas::importFont(const QString& face)
{
    if (face.isEmpty())
        return;
    importing_ = face;
    outbox_.post(QStringLiteral("importfonts"), face + fieldSeparator + userFonts_.listWith(face));
}

void ReferenceCanvas::publishPicture(BitmapCanvas::Picture picture)
{
    // The host waits for the picture: without one it is told why, or it would wait for ever.
    if (!bitmap_ || !bitmap_->publish(picture))
        outbox_.post(QStringLiteral("publishfailed"), QObject::tr("the bitmap canvas is not loaded."));
}

void ReferenceCanvas::publishPrinted(bool vector)
{
    if (!printer_) {
        outbox_.post(QStringLiteral("publishfailed"), QObject::tr("printing is not available."));
        return;
    }
    // Printed from the event loop, as a movie would: the host shows its wait
    // window first, and its automation answers the print windows meanwhile.
    QTimer::singleShot(0, editor_.get(), [this, vector] {
        const LogoDocument logo = editor_->document();
        const LogoRenderer& renderer = editor_->renderer();
        const auto paint = [&logo, &renderer](QPainter& painter, const QRectF& page) {
            const QRectF stage(page.topLeft() + publishOffset, QSizeF(logo.stageSize));
            painter.save();
            painter.setClipRect(stage);
            painter.fillRect(stage, logo.background.isValid() ? logo.background : QColor(Qt::white));
            painter.translate(stage.topLeft());
            renderer.draw(painter, logo);
            painter.restore();
        };
        const bool printed = printer_->printWithDialog(QStringLiteral("Vantamorph logo"), paint);
        if (!printed) {
            const QString reason = printer_->lastError();
            outbox_.post(QStringLiteral("publishfailed"), reason.isEmpty() ? QObject::tr("the print was cancelled.")
                                                                   : QObject::tr("it could not be printed (%1)").arg(reason));
        }
        else if (vector)
            outbox_.post(QStringLiteral("vectoreps"), QString());
        else
            outbox_.post(QStringLiteral("convertdata"),
                 QString::number(logo.stageSize.width()) + fieldSeparator + QString::number(logo.stageSize.height()));
    });
}

void ReferenceCanvas::requestNew() { outbox_.post(QStringLiteral("show new"), QString()); }
void ReferenceCanvas::requestOpen() { outbox_.post(QStringLiteral("show open"), QString()); }
void ReferenceCanvas::requestSave() { outbox_.post(QStringLiteral("show save"), lastPath_ + fieldSeparator + savedLogo()); }
void ReferenceCanvas::requestPublish() { outbox_.post(QStringLiteral("show publish"), QString()); }
void ReferenceCanvas::requestPicture() { outbox_.post(QStringLiteral("fnbrowseimage"), QString()); }
void ReferenceCanvas::requestCrop(const QString& argument) { outbox_.post(QStringLiteral("cropimage"), argument); }
void ReferenceCanvas::alert(const QString& message) { outbox_.post(QStringLiteral("show alerto"), message); }

void ReferenceCanvas::requestKeyword(const QString& category, const QString& id, const QString& keyword)
{
    outbox_.post(QStringLiteral("add keyword"), category + fieldSeparator + id + fieldSeparator + keyword);
}

const ClipArtCatalogue& ReferenceCanvas::clipArtCatalogue()
{
    if (!clipArt_)
        clipArt_ = loadClipArt();
    return *clipArt_;
}

void ReferenceCanvas::setQuickHelp(bool shown, bool tellHost)
{
    quickHelpShown_ = shown;
    if (widget_)
        widget_->setQuickHelpShown(shown);
    // The argument says whether the host's menus may be used meanwhile.
    if (tellHost)
        outbox_.post(QStringLiteral("quick help"), shown ? falseText : trueText);
}

void ReferenceCanvas::textEditing(bool editing) { outbox_.post(QStringLiteral("istextedit"), editing ? trueText : falseText); }

std::shared_ptr<const ideas::IdeaGenerator> ReferenceCanvas::ideaGenerator()
{
    // The ideas data sits beside datasrc: <root>/ideas in the program folder, data/ideas in the sources.
    const QString dataFolder = editor_->renderer().resources().dataFolder;
    if (!ideas_ || ideasDataFolder_ != dataFolder) {
        ideasDataFolder_ = dataFolder;
        const QString ideasFolder = QDir::cleanPath(dataFolder + QStringLiteral("/../ideas"));
        ideas_ = std::make_shared<ideas::IdeaGenerator>(dataFolder, ideasFolder);
    }
    return ideas_;
}

void ReferenceCanvas::finishWizard(const LogoDocument& logo, bool publish)
{
    lastPath_ = QStringLiteral("New");
    editor_->replaceAll(logo, QObject::tr("New logo"));
    outbox_.post(QStringLiteral("wizard finish"), publish ? QStringLiteral("publish") : QStringLiteral("done"));
}

void ReferenceCanvas::chooseTemplate(const LogoDocument& logo)
{
    // One choice per opening of the gallery: a second signal for the same click is not another choice.
    if (!galleryOpen_)
        return;
    chosenTemplate_ = logo;
    galleryOpen_ = false;
    if (widget_)
        widget_->hideTemplates();
    outbox_.post(QStringLiteral("templatecall"), QString());
}

void ReferenceCanvas::setTemplateFolders(const QString& shipped, const QString& own)
{
    shippedTemplates_ = shipped;
    ownTemplates_ = own;
}

void ReferenceCanvas::openTemplates()
{
    templates_ = TemplateLibrary::load(shippedTemplates_, ownTemplates_, [](const QString& line) {
        qWarning("vantamorph: %s", qPrintable(line));
    });
    galleryOpen_ = true;
    if (widget_)
        widget_->showTemplates(templates_);
}

bool ReferenceCanvas::pickTemplate(const QString& category, const QString& name)
{
    const LogoTemplate* found = galleryOpen_ ? templates_.find(category, name) : nullptr;
    if (!found)
        return false;
    chooseTemplate(found->logo);
    return true;
}

void ReferenceCanvas::leaveTemplates()
{
    galleryOpen_ = false;
    if (widget_)
        widget_->hideTemplates();
    outbox_.post(QStringLiteral("fmactivemenu"), QString());
}

QString ReferenceCanvas::saveAsTemplate(const QString& name, QString* error)
{
    return TemplateLibrary::saveOwn(ownTemplates_, name, editor_->document(), error);
}

} // namespace vm
