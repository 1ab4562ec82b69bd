#include "canvas/logo/imported_fonts.h"

#include "canvas/logo/font_movie_reader.h"
#include "canvas/logo/raw_font_glyphs.h"
#include "canvas/logo/shipped_fonts.h"
#include "fonts/movies/font_movie_descriptions.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"
#include "platform/api/user_places.h"

#include <QFont>
#include <QRawFont>

#include <pugixml.hpp>
#include <sstream>

namespace vm {

namespace {
QStringList listedFaces(const QString& path, const std::function<void(const QString& line)>& log)
{
    const BoundedRead file = readBoundedFile(path, file_limits::xmlList);
    if (!file.ok()) {
        // No list yet is the usual case; anything else is worth a line.
        if (file.failure != ReadFailure::Missing && log)
            log(QStringLiteral("user fonts not loaded: %1").arg(file.reason));
        return {};
    }
    const QByteArray& text = file.bytes;
    pugi::xml_document document;
    if (!document.load_buffer(text.constData(), size_t(text.size())))
        return {};
    QStringList faces;
    for (const pugi::xml_node font : document.child("userfonts").children("font")) {
        const QString name = QString::fromUtf8(font.attribute("name").value());
        if (!name.isEmpty() && !faces.contains(name))
            faces.append(name);
    }
    return faces;
}
} // namespace

const QString ImportedFonts::fallbackFamily = defaultTextFamily();

ImportedFonts::ImportedFonts() : faces_(std::make_shared<Faces>()) {}

void ImportedFonts::load(const QString& root, const std::function<void(const QString& line)>& log, const QString& userRoot)
{
    names_ = listedFaces(overlaidFile(userRoot, root, QStringLiteral("datasrc/Font_user.xml")), log);
    faces_->byFamily.clear();
    for (const QString& name : names_) {
        const QString movie =
            overlaidFile(userRoot, root, QStringLiteral("flash/") + fontMovieBaseName(name) + QStringLiteral(".swf"));
        const FontMovieRead read = readFontMovieFile(movie);
        if (!read.face && log)
            log(QStringLiteral("user font \"%1\" is drawn in %2: %3").arg(name, fallbackFamily, read.error));
        faces_->byFamily.insert(name.toLower(), read.face);
    }
}

QStringList ImportedFonts::loadedFamilies() const
{
    QStringList families;
    for (const QString& name : names_)
        if (faces_->byFamily.value(name.toLower()))
            families.append(name);
    return families;
}

GlyphLookup ImportedFonts::lookup() const
{
    return [faces = faces_](const QString& family, double pixelSize, bool bold, bool italic) -> std::shared_ptr<const GlyphSource> {
        const auto found = faces->byFamily.constFind(family.toLower());
        if (found == faces->byFamily.constEnd())
            return nullptr;
        if (*found)
            return std::make_shared<MovieGlyphSource>(*found, pixelSize);
        QFont fallback(fallbackFamily);
        fallback.setPixelSize(std::max(1, qRound(pixelSize)));
        fallback.setBold(bold);
        fallback.setItalic(italic);
        return std::make_shared<RawFontGlyphSource>(fallback);
    };
}

QString ImportedFonts::listWith(const QString& face) const
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node list = document.append_child("userfonts");
    QStringList faces = names_;
    if (!faces.contains(face))
        faces.append(face);
    for (const QString& name : faces)
        list.append_child("font").append_attribute("name") = name.toUtf8().constData();
    std::ostringstream text;
    document.save(text, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    return QString::fromStdString(text.str());
}

} // namespace vm
