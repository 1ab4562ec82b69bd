#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace vm {

// Pictures the bitmap canvas hands over as Base64 text.
namespace picture_files {

// Standard Base64 with "=" padding; line breaks and blanks are ignored.
// Empty when the text is not Base64 at all.
std::optional<QByteArray> DecodeBase64(const QString& text);

// Writes the bytes whole or not at all: a temporary file beside the target,
// then a rename over it. False (and the old file untouched) on any failure.
bool FileWriteBinary(const QByteArray& data, const QString& path);

} // namespace picture_files
} // namespace vm
