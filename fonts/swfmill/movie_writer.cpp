#include "fonts/swfmill/movie_writer.h"

#include "fonts/swfmill/swf_bytes.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace swfmill {
namespace {

constexpr std::uint8_t kVersion = 8;
constexpr int kTwipsPerPixel = 20;

enum TagCode : std::uint16_t {
    kEnd = 0,
    kShowFrame = 1,
    kSetBackgroundColor = 9,
    kExportAssets = 56,
    kFileAttributes = 69,
    kImportAssets2 = 71,
    kDefineFont3 = 75,
};

std::uint32_t readLe(const std::vector<std::uint8_t>& data, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(data[at + i]) << (8 * i);
    return value;
}

struct NamedCharacter {
    std::uint16_t id;
    std::string name;
};

std::vector<std::uint8_t> assetList(const std::vector<NamedCharacter>& assets) {
    SwfBytes list;
    list.u16(static_cast<std::uint16_t>(assets.size()));
    for (const NamedCharacter& asset : assets) {
        list.u16(asset.id);
        list.text(asset.name);
    }
    return list.data();
}

}  // namespace

std::vector<std::string> exportedNames(const std::string& moviePath) {
    std::ifstream file(moviePath, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read the library movie " + moviePath);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (data.size() < 9 || data[0] != 'F' || data[1] != 'W' || data[2] != 'S')
        throw std::runtime_error(moviePath + " is not an uncompressed movie");
    const int rectBits = data[8] >> 3;
    std::size_t at = 8 + (5 + 4 * rectBits + 7) / 8 + 4;  // past the frame size, rate and count
    std::vector<std::string> names;
    while (at + 2 <= data.size()) {
        const std::uint32_t header = readLe(data, at, 2);
        at += 2;
        std::uint32_t length = header & 0x3f;
        if (length == 0x3f) {
            if (at + 4 > data.size()) break;
            length = readLe(data, at, 4);
            at += 4;
        }
        if (length > data.size() - at) throw std::runtime_error(moviePath + " is damaged");
        const std::uint16_t code = static_cast<std::uint16_t>(header >> 6);
        if (code == kEnd) return names;
        if (code == kExportAssets && length >= 2) {
            const std::size_t end = at + length;
            std::size_t p = at + 2;
            for (std::uint32_t n = readLe(data, at, 2); n > 0 && p + 2 < end; --n) {
                p += 2;  // the character id is the library's own
                std::string name;
                while (p < end && data[p] != 0) name.push_back(static_cast<char>(data[p++]));
                ++p;
                names.push_back(name);
            }
        }
        at += length;
    }
    throw std::runtime_error(moviePath + " is damaged");
}

std::vector<std::uint8_t> buildMovie(const MovieDescription& movie) {
    SwfBytes out;
    for (char c : {'F', 'W', 'S'}) out.u8(static_cast<std::uint8_t>(c));
    out.u8(kVersion);
    out.u32(0);  // the file length, filled in at the end
    out.rect(0, movie.widthPx * kTwipsPerPixel, 0, movie.heightPx * kTwipsPerPixel);
    out.u16(static_cast<std::uint16_t>(std::lround(movie.frameRate * 256.0)));
    out.u16(static_cast<std::uint16_t>(movie.frames.empty() ? 1 : movie.frames.size()));

    out.tag(kFileAttributes, {0, 0, 0, 0});
    if (movie.hasBackground) out.tag(kSetBackgroundColor, {movie.red, movie.green, movie.blue});

    std::uint16_t nextId = 1;
    for (const Frame& frame : movie.frames) {
        for (const FontRequest& font : frame.fonts) nextId = std::max<std::uint16_t>(nextId, font.characterId + 1);
    }
    for (const Frame& frame : movie.frames) {
        std::vector<NamedCharacter> exports;
        for (std::size_t i = 0; i < frame.fonts.size(); ++i) {
            out.tag(kDefineFont3, defineFont3Body(frame.fonts[i]));
            exports.push_back({frame.fonts[i].characterId, frame.fontIds[i]});
        }
        if (!exports.empty()) out.tag(kExportAssets, assetList(exports));
        for (const ImportRequest& import : frame.imports) {
            std::vector<NamedCharacter> imported;
            for (const std::string& name : exportedNames(import.file)) imported.push_back({nextId++, name});
            SwfBytes body;
            body.text(import.url);
            body.u8(1);  // reserved, always 1
            body.u8(0);  // reserved, always 0
            body.bytes(assetList(imported));
            out.tag(kImportAssets2, body.data());
        }
        out.tag(kShowFrame, {});
    }
    if (movie.frames.empty()) out.tag(kShowFrame, {});
    out.tag(kEnd, {});

    std::vector<std::uint8_t>& bytes = out.data();
    const auto length = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    return bytes;
}

bool writeAtomically(const std::string& target, const std::vector<std::uint8_t>& bytes) {
    namespace fs = std::filesystem;
    const std::string temporary = target + ".part" + std::to_string(::getpid());
    bool written = false;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        written = static_cast<bool>(file.flush());
    }
    std::error_code ec;
    if (written) fs::rename(temporary, target, ec);
    if (!written || ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

}  // namespace swfmill
