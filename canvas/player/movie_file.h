#pragma once

#include <QSize>
#include <QString>

namespace vm {

// What a movie file's header says: a movie is an SWF file (plain "FWS" or
// compressed "CWS"/"ZWS") with its stage size in the header.
struct MovieHeader {
    bool valid = false;
    int version = 0;
    QSize stageSize; // in pixels; known for uncompressed movies
};

MovieHeader readMovieHeader(const QString& path);

} // namespace vm
