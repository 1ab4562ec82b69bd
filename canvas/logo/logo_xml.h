#pragma once

#include "canvas/logo/logo_document.h"
#include "platform/api/file_limits.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vm {

// Our logo format: one root element with a format version, one element per
// stage item in drawing order. Writing is deterministic, so a logo read and
// written again gives the same bytes.
namespace logo_xml {

inline constexpr int formatVersion = 2;
inline constexpr const char* rootName = "VantamorphLogo";

struct ReadResult {
    std::optional<LogoDocument> document;
    QString error; // for the user, when document is empty
};

ReadResult read(const QByteArray& xml);
// Reads only a regular file of at most limit bytes, without waiting on a pipe;
// the error names why anything else was refused.
ReadResult readFile(const QString& path, qint64 limit = file_limits::logoProject);
QByteArray write(const LogoDocument& document);

} // namespace logo_xml
} // namespace vm
