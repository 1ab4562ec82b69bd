#pragma once

#include <QString>

// The program builds its paths by plain concatenation. The separator and the
// few literals that differ between platforms live here and nowhere else.
namespace vm::path_style {

inline const QString separator = QStringLiteral("/");
// Where the work folder goes when no user folder can be found at all.
inline const QString fallbackTempRoot = QStringLiteral("/tmp/tmpEPS");
// Helper programs carry no extension on this platform.
inline const QString executableSuffix = QString();

// The path cut after its last separator, separator kept ("/a/b" gives "/a/").
inline QString parentWithSeparator(const QString& path)
{
    const int cut = path.lastIndexOf(separator);
    return cut < 0 ? QString() : path.left(cut + 1);
}

} // namespace vm::path_style
