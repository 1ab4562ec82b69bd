#pragma once

#include "canvas/ideas/composition.h"
#include "canvas/ideas/idea_data.h"

#include <QString>

namespace vm::ideas {

// Everything a layout needs to draw one idea: the words, their fonts (already
// checked to have the letters), the colours and the mark.
struct Design {
    QString name;
    QString tagline;
    QString initials;
    TextStyle nameStyle;
    TextStyle taglineStyle;
    Palette palette;
    QString symbol; // catalogue path; empty: the layout draws a monogram or a shape instead
    int variant = 0; // a small free choice (which shape, which side), 0..

    // A name of a few letters is its own monogram: marks then avoid repeating it.
    bool shortName() const { return name.size() <= 3 && !name.contains(QLatin1Char(' ')); }
};

// The colour of a filled badge and of the words on it: the accent with paper or
// ink, whichever reads better, or the ink with paper when the accent is too mid-toned.
struct FillColours {
    QColor fill;
    QColor text;
};
FillColours badgeColours(const Palette& palette);
// Symbols and rules on the paper: the accent, or the ink when the accent is too faint on it.
QColor markColour(const Palette& palette);

// The name as large as fits width and at most maxFont high, in colour; put on
// two lines when that lets it be much larger (long names).
Block nameBlock(const Design& design, double width, double maxFont, const QColor& colour,
                TextAlignment alignment = TextAlignment::Centre);
// The tagline fitted to width, at most fontSize; empty when there is none.
Block taglineBlock(const Design& design, double width, double fontSize, const QColor& colour,
                   TextAlignment alignment = TextAlignment::Centre);
// The symbol (square), or the initials in a ring when there is no symbol (a plain
// geometric mark for a short name, which would only repeat itself).
Block markBlock(const Design& design, double side, const QColor& colour);
Block symbolBlock(const QString& path, double side, const QColor& colour);
Block initialsBlock(const Design& design, const QSizeF& room, const QColor& colour);
// A shape: filled in fill (transparent for none), outlined in stroke when strokeWidth > 0.
LogoElement shapeOf(ShapeType type, const QSizeF& size, const QColor& fill, const QColor& stroke = {},
                    double strokeWidth = 0);
Block shapeBlock(ShapeType type, const QSizeF& size, const QColor& fill, const QColor& stroke = {},
                 double strokeWidth = 0, const QString& role = role::badge);
// A thin bar.
Block ruleBlock(double width, double thickness, const QColor& colour);

} // namespace vm::ideas
