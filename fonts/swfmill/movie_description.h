#pragma once

#include "fonts/swfmill/define_font3.h"

#include <cstdint>
#include <string>
#include <vector>

namespace swfmill {

// A library movie another movie imports from.
struct ImportRequest {
    std::string url;   // where the player finds the library movie
    std::string file;  // the library movie read now, for the names it exports
};

struct Frame {
    std::vector<FontRequest> fonts;
    std::vector<std::string> fontIds;  // the export name of each font
    std::vector<ImportRequest> imports;
};

// What `swfmill simple` reads: <movie width height framerate>, an optional
// <background color='#rrggbb'/>, and frames holding <library><font .../></library>
// and <Import url file/>.
struct MovieDescription {
    std::int32_t widthPx = 0;
    std::int32_t heightPx = 0;
    double frameRate = 0;
    std::uint8_t red = 0xff, green = 0xff, blue = 0xff;
    bool hasBackground = false;
    std::vector<Frame> frames;
};

// Reads a description file. Relative font and import paths are taken from
// the current folder first, then from the description's own folder.
// Throws std::runtime_error with a message for the user.
MovieDescription readMovieDescription(const std::string& path);

// The characters of a glyphs attribute (UTF-8 after the XML reader has
// resolved its character references).
std::vector<char32_t> decodeUtf8(const std::string& text);

}  // namespace swfmill
