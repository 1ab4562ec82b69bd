#pragma once

#include <QString>

namespace vm {

// The characters every imported font movie carries, as numeric character
// references without separators: printable ASCII, Latin-1, the C1 range, the
// Latin Extended letters of Central and Northern Europe, then the rest of
// Latin-1 (339 references, starting with the space "&#32;").
QString userFontGlyphs();

// The description of the font library movie for face name F and font file P:
// the font named and exported as F with every glyph of userFontGlyphs().
// F and P are escaped for XML; a name without quotes, "<", ">" or "&" keeps
// the exact text the canvas expects.
QString fontLibraryDescription(const QString& faceName, const QString& fontPath);

// The description of the import movie that imports the library movie
// fontMovieBaseName(F) + ".swf".
QString fontImportDescription(const QString& faceName);

// The file name (without ".swf" or "_lib.swf") of a face's movies in the flash
// folder: the face name with path separators, characters no file system takes
// and control characters replaced by "_", leading dots too, so no name reaches
// outside the folder or hides its file. Ordinary names stay as they are.
QString fontMovieBaseName(const QString& faceName);

// Text for an XML attribute in single or double quotes.
QString xmlAttributeText(const QString& text);

} // namespace vm
