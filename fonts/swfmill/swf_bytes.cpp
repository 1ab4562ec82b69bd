#include "fonts/swfmill/swf_bytes.h"

#include <algorithm>
#include <initializer_list>

namespace swfmill {

void SwfBytes::u8(std::uint8_t value) {
    align();
    data_.push_back(value);
}

void SwfBytes::u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value & 0xff));
    u8(static_cast<std::uint8_t>(value >> 8));
}

void SwfBytes::u32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>(value >> (8 * i)));
}

void SwfBytes::text(const std::string& value) {
    for (char c : value) {
        if (c == '\0') break;  // a NUL would end the string early for every reader
        u8(static_cast<std::uint8_t>(c));
    }
    u8(0);
}

void SwfBytes::bytes(const std::vector<std::uint8_t>& more) {
    align();
    data_.insert(data_.end(), more.begin(), more.end());
}

void SwfBytes::bits(std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (bitsUsed_ == 0) data_.push_back(0);
        if ((value >> i) & 1u) data_.back() |= static_cast<std::uint8_t>(0x80u >> bitsUsed_);
        bitsUsed_ = (bitsUsed_ + 1) % 8;
    }
}

void SwfBytes::rect(std::int32_t xMin, std::int32_t xMax, std::int32_t yMin, std::int32_t yMax) {
    align();
    int count = 1;
    for (std::int32_t v : {xMin, xMax, yMin, yMax}) count = std::max(count, signedBitCount(v));
    bits(static_cast<std::uint32_t>(count), 5);
    for (std::int32_t v : {xMin, xMax, yMin, yMax}) signedBits(v, count);
    align();
}

void SwfBytes::tag(std::uint16_t code, const std::vector<std::uint8_t>& body) {
    u16(static_cast<std::uint16_t>((code << 6) | 0x3f));
    u32(static_cast<std::uint32_t>(body.size()));
    bytes(body);
}

int signedBitCount(std::int32_t value) {
    int count = 1;
    // A signed field of n bits holds -2^(n-1) .. 2^(n-1)-1.
    while (count < 32 && (value < -(std::int64_t{1} << (count - 1)) || value >= (std::int64_t{1} << (count - 1))))
        ++count;
    return count;
}

}  // namespace swfmill
