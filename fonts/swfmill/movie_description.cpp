#include "fonts/swfmill/movie_description.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace swfmill {
namespace {

namespace fs = std::filesystem;

std::string resolve(const std::string& path, const fs::path& descriptionFolder) {
    if (path.empty()) return path;
    const fs::path given(path);
    std::error_code ec;
    if (given.is_absolute() || fs::exists(given, ec)) return path;
    const fs::path beside = descriptionFolder / given;
    return fs::exists(beside, ec) ? beside.string() : path;
}

long wholeNumber(const pugi::xml_node& node, const char* name, long low, long high) {
    const std::string text = node.attribute(name).value();
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high)
        throw std::runtime_error(std::string("<") + node.name() + "> needs a " + name + " from " + std::to_string(low) +
                                 " to " + std::to_string(high));
    return value;
}

void readColor(const pugi::xml_node& node, MovieDescription& movie) {
    const std::string color = node.attribute("color").value();
    char* end = nullptr;
    const unsigned long value = color.size() == 7 && color[0] == '#' ? std::strtoul(color.c_str() + 1, &end, 16) : 0;
    if (color.size() != 7 || color[0] != '#' || *end != '\0')
        throw std::runtime_error("<background> needs a color like #ffffff");
    movie.red = static_cast<std::uint8_t>(value >> 16);
    movie.green = static_cast<std::uint8_t>(value >> 8);
    movie.blue = static_cast<std::uint8_t>(value);
    movie.hasBackground = true;
}

void readFont(const pugi::xml_node& node, const fs::path& folder, Frame& frame, std::uint16_t& nextId) {
    FontRequest font;
    font.name = node.attribute("name").value();
    font.fontPath = resolve(node.attribute("import").value(), folder);
    font.codes = decodeUtf8(node.attribute("glyphs").value());
    font.characterId = nextId++;
    if (font.fontPath.empty()) throw std::runtime_error("<font> needs an import file");
    std::string id = node.attribute("id").value();
    frame.fontIds.push_back(id.empty() ? font.name : id);
    frame.fonts.push_back(std::move(font));
}

}  // namespace

std::vector<char32_t> decodeUtf8(const std::string& text) {
    std::vector<char32_t> codes;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xe ? 3 : (lead >> 3) == 0x1e ? 4 : 0;
        if (length == 0 || i + length > text.size()) throw std::runtime_error("glyphs are not valid UTF-8");
        char32_t code = length == 1 ? lead : lead & (0x7f >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80) throw std::runtime_error("glyphs are not valid UTF-8");
            code = (code << 6) | (next & 0x3f);
        }
        codes.push_back(code);
        i += length;
    }
    return codes;
}

MovieDescription readMovieDescription(const std::string& path) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(path.c_str());
    if (parsed.status == pugi::status_file_not_found || parsed.status == pugi::status_io_error)
        throw std::runtime_error("cannot read " + path);
    if (!parsed) throw std::runtime_error(path + " is not well-formed XML: " + parsed.description());

    const pugi::xml_node root = document.document_element();
    if (std::string(root.name()) != "movie") throw std::runtime_error(path + " has no <movie> element");
    const fs::path folder = fs::path(path).parent_path();

    MovieDescription movie;
    movie.widthPx = static_cast<std::int32_t>(wholeNumber(root, "width", 1, 8191));
    movie.heightPx = static_cast<std::int32_t>(wholeNumber(root, "height", 1, 8191));
    const double rate = root.attribute("framerate").as_double(-1);
    if (!(rate > 0 && rate < 256)) throw std::runtime_error("<movie> needs a framerate above 0 and below 256");
    movie.frameRate = rate;

    std::uint16_t nextId = 1;
    for (const pugi::xml_node child : root.children()) {
        if (child.type() != pugi::node_element) continue;
        const std::string name = child.name();
        if (name == "background") {
            readColor(child, movie);
        } else if (name == "frame") {
            Frame frame;
            for (const pugi::xml_node item : child.children()) {
                if (item.type() != pugi::node_element) continue;
                const std::string itemName = item.name();
                if (itemName == "library") {
                    for (const pugi::xml_node entry : item.children()) {
                        if (entry.type() != pugi::node_element) continue;
                        if (std::string(entry.name()) != "font")
                            throw std::runtime_error(std::string("unknown library entry <") + entry.name() + ">");
                        readFont(entry, folder, frame, nextId);
                    }
                } else if (itemName == "Import") {
                    ImportRequest import{item.attribute("url").value(), resolve(item.attribute("file").value(), folder)};
                    if (import.url.empty() || import.file.empty())
                        throw std::runtime_error("<Import> needs a url and a file");
                    frame.imports.push_back(std::move(import));
                } else {
                    throw std::runtime_error("unknown frame content <" + itemName + ">");
                }
            }
            movie.frames.push_back(std::move(frame));
        } else {
            throw std::runtime_error("unknown movie content <" + name + ">");
        }
    }
    return movie;
}

}  // namespace swfmill
