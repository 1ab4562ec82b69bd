#pragma once

#include "canvas/logo/movie_font.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace vm {

struct FontMovieRead {
    std::shared_ptr<const MovieFontFace> face; // null when the movie could not be used
    QString error;                             // why, for one line of the log
};

// The first DefineFont3 font of a movie file, plain ("FWS") or compressed
// ("CWS"). Anything that is not a whole, consistent movie is refused with a
// reason: lengths past the end, counts the data cannot hold, truncated shape
// records, movies larger than any font movie of ours.
FontMovieRead readFontMovie(const QByteArray& bytes);
FontMovieRead readFontMovieFile(const QString& path);

} // namespace vm
