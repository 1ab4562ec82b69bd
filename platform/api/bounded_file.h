#pragma once

#include <QByteArray>
#include <QString>

namespace vm {

// Why a file could not be read, so the user reads the real cause.
enum class ReadFailure {
    None,
    Missing,      // nothing at the path
    NotAFile,     // a folder, a pipe, a device or a socket
    TooLarge,     // larger than the limit for its kind
    Unreadable,   // permission denied or an input/output error
};

struct BoundedRead {
    QByteArray bytes;
    ReadFailure failure = ReadFailure::None;
    QString reason; // in words, for the user and the log; empty on success

    bool ok() const { return failure == ReadFailure::None; }
};

// Reads a file the program did not just write: only a regular file (a link is
// followed to what it names), opened without blocking so a pipe cannot hold
// the program, and refused when it holds more than limit bytes, also when it
// grows while it is read.
BoundedRead readBoundedFile(const QString& path, qint64 limit);

// The same checks without reading, for files a library opens itself: true when
// path names a regular file of at most limit bytes.
BoundedRead checkBoundedFile(const QString& path, qint64 limit);

// The reason for a failure in words: "<path> is a folder, not a file", ...
QString readFailureReason(ReadFailure failure, const QString& path, qint64 limit);

} // namespace vm
