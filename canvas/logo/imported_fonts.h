#pragma once

#include "canvas/logo/glyph_source.h"
#include "canvas/logo/movie_font.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <memory>

namespace vm {

// The fonts the user imported: the faces datasrc/Font_user.xml lists, each
// drawn from its font movie flash/<fontMovieBaseName(face)>.swf. A face whose
// movie is missing or damaged is drawn in the fallback family instead, and
// the log hears why in one line.
class ImportedFonts {
public:
    static const QString fallbackFamily;

    ImportedFonts();

    // Reads the list and the movies below root (the folder above flash/),
    // userRoot's copies first when given; faces listed before are forgotten.
    void load(const QString& root, const std::function<void(const QString& line)>& log,
              const QString& userRoot = QString());

    // Every face of the list, in its order, each once.
    const QStringList& names() const { return names_; }
    // The faces that came from their movies.
    QStringList loadedFamilies() const;

    // Movie glyphs for a listed face: the loaded ones, and the fallback for
    // those that failed. Follows later loads; nullptr for any other family.
    GlyphLookup lookup() const;

    // The user font list with face added (once), as the canvas asks the host
    // to store it: <userfonts> with one <font name="..."/> per face.
    QString listWith(const QString& face) const;

private:
    struct Faces {
        QHash<QString, std::shared_ptr<const MovieFontFace>> byFamily; // key: family in lower case; null: fell back
    };
    QStringList names_;
    std::shared_ptr<Faces> faces_;
};

} // namespace vm
