#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <vector>

namespace swfmill {

// Where a TrueType font's location table puts each glyph. FreeType reads a
// glyph placed outside the glyph table as an empty glyph, without an error;
// the compiler must see it as the damage it is. Fonts without these tables
// (PostScript outlines) have every glyph inside.
class GlyphLocations {
public:
    explicit GlyphLocations(FT_Face face);
    bool inside(FT_UInt index) const;

private:
    std::vector<std::uint8_t> table_;
    bool longOffsets_ = false;
    FT_ULong glyphTableLength_ = 0;
};

// Characters with no ink in any font (white space, controls, invisible
// formatting): an empty outline is what they should have.
bool isBlank(char32_t code);

}  // namespace swfmill
