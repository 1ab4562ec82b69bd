#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A reader of uncompressed movie files written for the tests from the file
// format's description, sharing no code with the compiler under test.
namespace movie_reader {

struct Tag {
    int code = 0;
    std::vector<std::uint8_t> body;
};

struct Movie {
    int version = 0;
    std::uint32_t declaredLength = 0;
    std::int32_t xMax = 0, yMax = 0;  // frame size in twips (minimums checked 0)
    std::int32_t xMin = 0, yMin = 0;
    int frameRate256 = 0;  // 8.8 fixed point
    int frameCount = 0;
    std::vector<Tag> tags;
};

// Returns false when the bytes are not a whole movie ending in an End tag.
bool readMovie(const std::vector<std::uint8_t>& bytes, Movie& movie);

// A point of a glyph outline in twips; onCurve false for a curve's control point.
struct OutlinePoint {
    std::int32_t x, y;
    bool onCurve;
    bool startsContour;
};

struct Font {
    int id = 0;
    std::string name;
    int languageCode = 0;
    bool wideCodes = false;
    std::vector<std::vector<OutlinePoint>> glyphs;
    std::vector<std::uint16_t> codes;
    int ascent = 0, descent = 0;
    std::vector<std::int16_t> advances;
    struct Kerning {
        std::uint16_t left, right;
        std::int16_t adjustment;
    };
    std::vector<Kerning> kerning;
    std::size_t bytesLeft = 0;  // after the kerning table; 0 for a well-formed tag
};

bool readDefineFont3(const std::vector<std::uint8_t>& body, Font& font);

// ExportAssets / the asset list of ImportAssets2: (id, name) pairs.
std::vector<std::pair<int, std::string>> readAssets(const std::vector<std::uint8_t>& body, std::size_t at);
std::string readString(const std::vector<std::uint8_t>& body, std::size_t& at);

}  // namespace movie_reader
