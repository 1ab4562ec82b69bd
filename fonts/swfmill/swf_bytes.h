#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace swfmill {

// Little-endian bytes and MSB-first bit fields, as movie files store them.
// Bit fields are packed into the current byte until align() or a byte write.
class SwfBytes {
public:
    void u8(std::uint8_t value);
    void u16(std::uint16_t value);
    void s16(std::int16_t value) { u16(static_cast<std::uint16_t>(value)); }
    void u32(std::uint32_t value);
    void text(const std::string& value);  // NUL-terminated string
    void bytes(const std::vector<std::uint8_t>& more);
    void bits(std::uint32_t value, int count);
    void signedBits(std::int32_t value, int count) { bits(static_cast<std::uint32_t>(value), count); }
    void align() { bitsUsed_ = 0; }

    // A rectangle in twips with the fewest bits that hold all four values.
    void rect(std::int32_t xMin, std::int32_t xMax, std::int32_t yMin, std::int32_t yMax);
    // A tag, always with the long length form so readers never guess.
    void tag(std::uint16_t code, const std::vector<std::uint8_t>& body);

    std::size_t size() const { return data_.size(); }
    std::vector<std::uint8_t>& data() { return data_; }
    const std::vector<std::uint8_t>& data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
    int bitsUsed_ = 0;
};

// Bits a signed field needs to hold value (at least 1).
int signedBitCount(std::int32_t value);

}  // namespace swfmill
