#include "tests/unit/fonts/movie_reader.h"

namespace movie_reader {
namespace {

class Bits {
public:
    Bits(const std::vector<std::uint8_t>& data, std::size_t at) : data_(data), bit_(at * 8) {}
    std::uint32_t u(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++bit_) {
            if (bit_ / 8 >= data_.size()) {
                overrun = true;
                return 0;
            }
            value = (value << 1) | ((data_[bit_ / 8] >> (7 - bit_ % 8)) & 1u);
        }
        return value;
    }
    std::int32_t s(int count) {
        const std::uint32_t value = u(count);
        if (count > 0 && (value >> (count - 1)) & 1u) return static_cast<std::int32_t>(value | ~((1u << count) - 1));
        return static_cast<std::int32_t>(value);
    }
    std::size_t nextByte() const { return (bit_ + 7) / 8; }
    bool overrun = false;

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t bit_;
};

std::uint32_t le(const std::vector<std::uint8_t>& data, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value |= std::uint32_t(data.at(at + i)) << (8 * i);
    return value;
}

}  // namespace

bool readMovie(const std::vector<std::uint8_t>& bytes, Movie& movie) {
    if (bytes.size() < 12 || bytes[0] != 'F' || bytes[1] != 'W' || bytes[2] != 'S') return false;
    movie.version = bytes[3];
    movie.declaredLength = le(bytes, 4, 4);
    Bits rect(bytes, 8);
    const int n = static_cast<int>(rect.u(5));
    movie.xMin = rect.s(n);
    movie.xMax = rect.s(n);
    movie.yMin = rect.s(n);
    movie.yMax = rect.s(n);
    std::size_t at = rect.nextByte();
    if (at + 4 > bytes.size()) return false;
    movie.frameRate256 = static_cast<int>(le(bytes, at, 2));
    movie.frameCount = static_cast<int>(le(bytes, at + 2, 2));
    at += 4;
    while (at + 2 <= bytes.size()) {
        const std::uint32_t header = le(bytes, at, 2);
        at += 2;
        std::uint32_t length = header & 0x3f;
        if (length == 0x3f) {
            if (at + 4 > bytes.size()) return false;
            length = le(bytes, at, 4);
            at += 4;
        }
        if (length > bytes.size() - at) return false;
        Tag tag{static_cast<int>(header >> 6), std::vector<std::uint8_t>(bytes.begin() + at, bytes.begin() + at + length)};
        at += length;
        movie.tags.push_back(std::move(tag));
        if (movie.tags.back().code == 0) return at == bytes.size();
    }
    return false;
}

std::string readString(const std::vector<std::uint8_t>& body, std::size_t& at) {
    std::string text;
    while (at < body.size() && body[at] != 0) text.push_back(static_cast<char>(body[at++]));
    ++at;
    return text;
}

std::vector<std::pair<int, std::string>> readAssets(const std::vector<std::uint8_t>& body, std::size_t at) {
    std::vector<std::pair<int, std::string>> assets;
    const int count = static_cast<int>(le(body, at, 2));
    at += 2;
    for (int i = 0; i < count && at + 2 <= body.size(); ++i) {
        const int id = static_cast<int>(le(body, at, 2));
        at += 2;
        assets.emplace_back(id, readString(body, at));
    }
    return assets;
}

bool readDefineFont3(const std::vector<std::uint8_t>& body, Font& font) {
    if (body.size() < 6) return false;
    font.id = static_cast<int>(le(body, 0, 2));
    const std::uint8_t flags = body[2];
    const bool hasLayout = flags & 0x80, wideOffsets = flags & 0x08;
    font.wideCodes = flags & 0x04;
    font.languageCode = body[3];
    const std::size_t nameLength = body[4];
    font.name.assign(body.begin() + 5, body.begin() + 5 + static_cast<long>(nameLength));
    std::size_t at = 5 + nameLength;
    const std::size_t count = le(body, at, 2);
    at += 2;
    const std::size_t tableStart = at, offsetSize = wideOffsets ? 4 : 2;
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i <= count; ++i) offsets.push_back(le(body, tableStart + i * offsetSize, static_cast<int>(offsetSize)));
    for (std::size_t i = 0; i < count; ++i) {
        Bits bits(body, tableStart + offsets[i]);
        const int fillBits = static_cast<int>(bits.u(4));
        const int lineBits = static_cast<int>(bits.u(4));
        std::vector<OutlinePoint> points;
        std::int32_t x = 0, y = 0;
        for (;;) {
            if (bits.overrun) return false;
            if (bits.u(1) == 0) {
                const std::uint32_t state = bits.u(5);
                if (state == 0) break;
                if (state & 0x10) return false;  // glyphs have no new styles
                if (state & 0x01) {
                    const int n = static_cast<int>(bits.u(5));
                    x = bits.s(n);
                    y = bits.s(n);
                    points.push_back({x, y, true, true});
                }
                if (state & 0x02) bits.u(fillBits);
                if (state & 0x04) bits.u(fillBits);
                if (state & 0x08) bits.u(lineBits);
            } else if (bits.u(1) == 1) {
                const int n = static_cast<int>(bits.u(4)) + 2;
                if (bits.u(1) == 1) {
                    x += bits.s(n);
                    y += bits.s(n);
                } else if (bits.u(1) == 1) {
                    y += bits.s(n);
                } else {
                    x += bits.s(n);
                }
                points.push_back({x, y, true, false});
            } else {
                const int n = static_cast<int>(bits.u(4)) + 2;
                x += bits.s(n);
                y += bits.s(n);
                points.push_back({x, y, false, false});
                x += bits.s(n);
                y += bits.s(n);
                points.push_back({x, y, true, false});
            }
        }
        if (bits.nextByte() > tableStart + offsets[i + 1]) return false;
        font.glyphs.push_back(std::move(points));
    }
    at = tableStart + offsets[count];
    for (std::size_t i = 0; i < count; ++i, at += 2) font.codes.push_back(static_cast<std::uint16_t>(le(body, at, 2)));
    if (hasLayout) {
        font.ascent = static_cast<int>(le(body, at, 2));
        font.descent = static_cast<int>(le(body, at + 2, 2));
        at += 6;
        for (std::size_t i = 0; i < count; ++i, at += 2)
            font.advances.push_back(static_cast<std::int16_t>(le(body, at, 2)));
        for (std::size_t i = 0; i < count; ++i) {
            Bits rect(body, at);
            const int n = static_cast<int>(rect.u(5));
            for (int k = 0; k < 4; ++k) rect.s(n);
            at = rect.nextByte();
        }
        const std::size_t pairs = le(body, at, 2);
        at += 2;
        for (std::size_t i = 0; i < pairs; ++i, at += 6)
            font.kerning.push_back({static_cast<std::uint16_t>(le(body, at, 2)), static_cast<std::uint16_t>(le(body, at + 2, 2)),
                                    static_cast<std::int16_t>(le(body, at + 4, 2))});
    }
    if (at > body.size()) return false;
    font.bytesLeft = body.size() - at;
    return true;
}

}  // namespace movie_reader
