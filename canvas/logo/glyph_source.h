#pragma once

#include <QPainterPath>
#include <QString>
#include <functional>
#include <memory>

namespace vm {

// The glyphs of one font face at one pixel size: what text layout needs to
// place and draw characters, whatever the face comes from (a font installed
// on this machine or shipped with the program, a font movie the user imported).
class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    // The character's outline with its origin on the baseline at x = 0, y
    // growing downwards; an empty path for white space or a missing glyph.
    virtual QPainterPath outline(char32_t character) const = 0;
    virtual double advance(char32_t character) const = 0;
    // Extra advance between two neighbours (usually negative); 0 without kerning.
    virtual double kerning(char32_t left, char32_t right) const = 0;
    virtual double ascent() const = 0;  // above the baseline, positive
    virtual double descent() const = 0; // below the baseline, positive
    virtual double lineSpacing() const = 0;
};

// Finds the glyphs for a family at a pixel size, or nullptr to let the
// renderer use the fonts of the system.
using GlyphLookup =
    std::function<std::shared_ptr<const GlyphSource>(const QString& family, double pixelSize, bool bold, bool italic)>;

} // namespace vm
