#pragma once

#include "canvas/ideas/idea_data.h"
#include "canvas/logo/logo_document.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

namespace vm::ideas {

// A text element set in style (family as given: the caller has checked it has the letters).
LogoElement makeText(const QString& text, const TextStyle& style, const QColor& colour, double fontSize,
                     TextAlignment alignment = TextAlignment::Centre);
// The text's box at its font size, as the renderer lays it out (remembered: the
// same text is measured many times while ideas are made).
QSizeF measureText(const LogoElement& text);
// Sets the font size (whole pixels, at most maxFontSize) so that the text is as
// large as fits room, and its box to match. Letter spacing and arcs scale with it.
void fitText(LogoElement& text, const QSizeF& room, double maxFontSize);
// Changes the font size to fontSize, scaling what is measured in font pixels, and measures again.
void setFontSize(LogoElement& text, double fontSize);
// True when every letter of text reads right set one by one (Latin, Greek, Cyrillic and the
// like). Joined or right-to-left scripts (Arabic, Hebrew, Indic) need the shaper: they are
// never spaced out or bent round a circle, which sets letters one by one.
bool readsLetterByLetter(const QString& text);
// The name on two lines, broken at the space that balances them best; one word stays one line.
QString onTwoLines(const QString& name);
// One or two capital letters for a monogram: the first letters of the first two words.
QString initialsOf(const QString& name);
// For a text bent by arcRadius: the centre of its circle, from the box's top left (at its natural size).
QPointF arcCentre(const LogoElement& text);

} // namespace vm::ideas
