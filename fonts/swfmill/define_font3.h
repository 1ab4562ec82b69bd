#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace swfmill {

// One font of a movie's library: the characters to embed from a TrueType file.
struct FontRequest {
    std::string name;             // the font name stored in the movie
    std::string fontPath;         // the TrueType (or other FreeType-readable) file
    std::vector<char32_t> codes;  // characters in any order; repeats are ignored
    std::uint16_t characterId = 1;
};

// The glyph square the movie's fonts are drawn in: 1024 units of 20 twips.
constexpr double kEmSquare = 1024.0 * 20.0;

// The body of a DefineFont3 tag: glyph outlines as quadratic curves in the
// 20480-unit square (y grows downwards), the code table in ascending order,
// ascent, descent, leading, advances, bounds and the font's kerning pairs.
// Characters the font has no glyph for are left out. Throws std::runtime_error
// with a message for the user when the file is not a readable font, a glyph
// asked for cannot be read, or no character asked for has ink in it.
std::vector<std::uint8_t> defineFont3Body(const FontRequest& request);

}  // namespace swfmill
