#pragma once

#include "fonts/swfmill/movie_description.h"

#include <cstdint>
#include <string>
#include <vector>

namespace swfmill {

// The names a movie file exports (its ExportAssets tags), in file order.
// Throws std::runtime_error when the file cannot be read or is not a movie.
std::vector<std::string> exportedNames(const std::string& moviePath);

// The whole uncompressed movie file (version 8) for a description.
std::vector<std::uint8_t> buildMovie(const MovieDescription& movie);

// Writes bytes to a temporary file beside target and renames it over the
// target: the target is either the old file or the whole new one.
bool writeAtomically(const std::string& target, const std::vector<std::uint8_t>& bytes);

}  // namespace swfmill
