// make_swf: writes the placeholder movies shipped in the program folder.
//
//   make_swf OUTPUT WIDTH_PX HEIGHT_PX FRAME_RATE
//
// The result is the smallest well-formed uncompressed movie: the "FWS" header
// (version, total length), the stage rectangle in twips, the frame rate as 8.8
// fixed point, a frame count of 1, then one ShowFrame tag and the End tag.
// The canvas itself is drawn by the program; these files only have to exist
// and be readable by anything that opens them.

#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr std::uint8_t kVersion = 6;  // the last version that needs no FileAttributes tag
constexpr int kTwipsPerPixel = 20;
constexpr std::uint16_t kTagShowFrame = 1;
constexpr std::uint16_t kTagEnd = 0;

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void put(std::uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            if (used_ == 0) out_.push_back(0);
            if ((value >> i) & 1u) out_.back() |= static_cast<std::uint8_t>(0x80u >> used_);
            used_ = (used_ + 1) % 8;
        }
    }

private:
    std::vector<std::uint8_t>& out_;
    int used_ = 0;
};

void putU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putTag(std::vector<std::uint8_t>& out, std::uint16_t code) {
    putU16(out, static_cast<std::uint16_t>(code << 6));  // short header, length 0
}

// Bits for a signed field that holds every value in 0..maxValue.
int signedBits(std::int32_t maxValue) {
    int bits = 1;
    while ((std::int64_t{1} << (bits - 1)) <= maxValue) ++bits;
    return bits;
}

std::vector<std::uint8_t> movie(int widthPx, int heightPx, double frameRate) {
    const std::int32_t xMax = widthPx * kTwipsPerPixel;
    const std::int32_t yMax = heightPx * kTwipsPerPixel;
    const int nbits = std::max(signedBits(xMax), signedBits(yMax));

    std::vector<std::uint8_t> out = {'F', 'W', 'S', kVersion, 0, 0, 0, 0};
    BitWriter rect(out);
    rect.put(static_cast<std::uint32_t>(nbits), 5);
    rect.put(0, nbits);
    rect.put(static_cast<std::uint32_t>(xMax), nbits);
    rect.put(0, nbits);
    rect.put(static_cast<std::uint32_t>(yMax), nbits);
    putU16(out, static_cast<std::uint16_t>(frameRate * 256.0 + 0.5));
    putU16(out, 1);
    putTag(out, kTagShowFrame);
    putTag(out, kTagEnd);

    const auto length = static_cast<std::uint32_t>(out.size());
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    return out;
}

bool writeAtomically(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::path tmp = target;
    tmp += ".tmp";
    bool written = false;
    {
        std::ofstream file(tmp, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        written = static_cast<bool>(file.flush());
    }
    std::error_code ec;
    if (written) std::filesystem::rename(tmp, target, ec);
    if (!written || ec) {
        std::error_code ignored;
        std::filesystem::remove(tmp, ignored);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: make_swf OUTPUT WIDTH_PX HEIGHT_PX FRAME_RATE\n";
        return 2;
    }
    int width = 0, height = 0;
    double rate = 0;
    try {
        width = std::stoi(argv[2]);
        height = std::stoi(argv[3]);
        rate = std::stod(argv[4]);
    } catch (const std::exception&) {
        width = 0;
    }
    if (width <= 0 || height <= 0 || width > 100000 || height > 100000 || rate <= 0 || rate >= 256) {
        std::cerr << "make_swf: stage size or frame rate out of range\n";
        return 2;
    }
    if (!writeAtomically(argv[1], movie(width, height, rate))) {
        std::cerr << "make_swf: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
