#pragma once

#include <QString>

namespace vm {

// True when the family's regular face draws every letter of text (spaces aside).
bool familyCovers(const QString& family, const QString& text);

// The family to draw text in: preferred when it has all the letters, else the
// first shipped or system family of the same kind (serif or sans) that has
// them, else the default text family. A Greek, Cyrillic or Polish name thus
// never shows empty boxes in a font made for Latin letters.
QString familyForText(const QString& text, const QString& preferred, bool serif);

} // namespace vm
