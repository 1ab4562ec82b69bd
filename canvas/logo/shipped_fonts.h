#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// The font files the program folder ships (InstallRoot/fonts): made known to
// this process so that logos and templates naming them draw the same on every
// machine. Registering a folder twice adds nothing. Returns the families added,
// one name a file (its family, not the older names it also answers to).
QStringList registerShippedFonts(const QString& folder);

// The family of a text that names none, and of a font that cannot be drawn.
inline QString defaultTextFamily() { return QStringLiteral("DejaVu Sans"); }

// Families every machine that runs the program has without the shipped files.
const QStringList& systemFontFamilies();

} // namespace vm
