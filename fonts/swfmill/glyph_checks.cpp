#include "fonts/swfmill/glyph_checks.h"

#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

namespace swfmill {

GlyphLocations::GlyphLocations(FT_Face face) {
    FT_ULong length = 0;
    const auto* header = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD));
    if (!header || FT_Load_Sfnt_Table(face, TTAG_loca, 0, nullptr, &length) != 0 || length == 0 ||
        FT_Load_Sfnt_Table(face, TTAG_glyf, 0, nullptr, &glyphTableLength_) != 0)
        return;
    table_.resize(length);
    if (FT_Load_Sfnt_Table(face, TTAG_loca, 0, table_.data(), &length) != 0) {
        table_.clear();
        return;
    }
    longOffsets_ = header->Index_To_Loc_Format != 0;
}

bool GlyphLocations::inside(FT_UInt index) const {
    if (table_.empty()) return true;
    const std::size_t size = longOffsets_ ? 4 : 2;
    const auto offset = [&](std::size_t entry) -> FT_ULong {
        const std::uint8_t* at = table_.data() + entry * size;
        return longOffsets_ ? (FT_ULong(at[0]) << 24 | FT_ULong(at[1]) << 16 | FT_ULong(at[2]) << 8 | at[3])
                            : (FT_ULong(at[0]) << 8 | at[1]) * 2;
    };
    const std::size_t entries = table_.size() / size;
    if (std::size_t(index) + 1 >= entries) return false;
    // FreeType mends a last entry past the end, so only the others count against it.
    const bool last = std::size_t(index) + 2 == entries;
    return offset(index) <= glyphTableLength_ && (last || offset(index + 1) <= glyphTableLength_);
}

bool isBlank(char32_t code) {
    return code <= 0x20 || (code >= 0x7f && code <= 0xa0) || code == 0xad || code == 0x034f || code == 0x1680 ||
           code == 0x180e || (code >= 0x2000 && code <= 0x200f) || (code >= 0x2028 && code <= 0x202f) ||
           (code >= 0x205f && code <= 0x2064) || code == 0x3000 || code == 0xfeff;
}

}  // namespace swfmill
