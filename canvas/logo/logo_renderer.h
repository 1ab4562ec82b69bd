#pragma once

#include "canvas/logo/glyph_source.h"
#include "canvas/logo/logo_document.h"
#include "canvas/logo/logo_resource_files.h"
#include "canvas/logo/text_layout.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QSvgRenderer;

namespace vm {

// Where a logo's symbols and pictures live on disk.
struct LogoResources {
    QString dataFolder;  // datasrc: symbol paths are relative to it
    QString imageFolder; // LogoImages: picture names are relative to it
    // The user's folder laid over the install root (its datasrc/ and flash/ are
    // read before the shipped ones); empty when the program folder is written.
    QString userRoot = QString();

    // The user's datasrc laid over dataFolder; empty for none.
    QString userDataFolder() const { return userRoot.isEmpty() ? QString() : userRoot + QStringLiteral("/datasrc"); }
};

// The one way a logo is drawn: on the screen, to an image, to a printer.
// Missing symbols and pictures draw as a grey placeholder, never fail; what
// was drawn so is listed, with why, for callers that report it (the command line).
class LogoRenderer {
public:
    explicit LogoRenderer(LogoResources resources = {});
    ~LogoRenderer();

    void setResources(LogoResources resources);
    const LogoResources& resources() const { return resources_; }
    // Texts whose font family this accepts are drawn as filled outlines, not as
    // text: a vector file then shows them without the font.
    void setTextAsOutlines(std::function<bool(const QString& family)> outlined) { outlined_ = std::move(outlined); }
    // Where texts find glyphs before the system's fonts (imported font movies):
    // a family it answers for is laid out from those glyphs and filled as
    // outlines. Set it again after the fonts behind it change.
    void setGlyphLookup(GlyphLookup lookup);

    // The elements in stage coordinates, without the background.
    void draw(QPainter& painter, const LogoDocument& logo) const;
    // One element with its position and rotation.
    void drawElement(QPainter& painter, const LogoElement& element) const;
    // One element's content filling box, without its position and rotation:
    // nothing when hidden, else with its opacity, flips and shadow.
    void drawContent(QPainter& painter, const LogoElement& element, const QRectF& box) const;

    // The stage scaled by scale; a transparent background leaves the pixels clear.
    QImage render(const LogoDocument& logo, double scale, const QColor& background) const;

    // The unscaled size of a text at its font size: a new text's box.
    QSizeF textSize(const LogoElement& text) const;
    // The same with the fonts of the system only.
    static QSizeF naturalTextSize(const LogoElement& text);
    // The size a picture file would like on the stage, or an empty size.
    QSizeF pictureSize(const QString& fileName) const;

    // Each picture or symbol drawn as a placeholder since the resources were
    // set, once per element name and file, in the order first met.
    const QList<DrawProblem>& problems() const { return problems_; }

private:
    void drawBody(QPainter& painter, const LogoElement& element, const QRectF& box) const;
    void drawText(QPainter& painter, const LogoElement& text, const QRectF& box) const;
    void drawShape(QPainter& painter, const LogoElement& shape, const QRectF& box) const;
    void drawShadow(QPainter& painter, const LogoElement& element, const QRectF& box) const;
    // The glyph set text is laid out with, or nullptr when Qt draws it as text.
    std::shared_ptr<const GlyphSource> glyphsFor(const LogoElement& text) const;
    const TextLayout& layoutFor(const LogoElement& text, const GlyphSource& glyphs) const;
    QSvgRenderer* symbolRenderer(const QString& path, const QColor& color) const;
    const LoadedPicture& picture(const QString& fileName) const;
    void notePlaceholder(const LogoElement& element, const QString& reason) const;
    static void drawPlaceholder(QPainter& painter, const QRectF& box);

    LogoResources resources_;
    std::function<bool(const QString& family)> outlined_;
    GlyphLookup lookup_;
    mutable QHash<QString, std::shared_ptr<const GlyphSource>> systemGlyphs_;
    mutable QHash<QString, std::shared_ptr<const GlyphSource>> lookedUpGlyphs_;
    mutable QHash<QString, TextLayout> layouts_;
    mutable QHash<QString, std::shared_ptr<QSvgRenderer>> symbols_; // by path and colour
    mutable QHash<QString, LoadedSymbol> symbolFiles_;             // by path: read once for all colours
    // By name, with the size and time of the file read, so that a changed file is read again.
    struct StampedPicture {
        LoadedPicture picture;
        QString stamp;
    };
    mutable QHash<QString, StampedPicture> pictures_;
    mutable QList<DrawProblem> problems_;
    mutable QSet<QString> problemKeys_;
};

// A file name that stays inside its folder.
bool isPlainFileName(const QString& name);
// A catalogue path that stays inside the data folder.
bool isInsidePath(const QString& relativePath);

} // namespace vm
