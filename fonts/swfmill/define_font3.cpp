#include "fonts/swfmill/define_font3.h"

#include "fonts/swfmill/glyph_checks.h"
#include "fonts/swfmill/swf_bytes.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BBOX_H

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace swfmill {
namespace {

constexpr int kMaxEdgeBits = 17;  // NumBits is stored as n - 2 in four bits

struct Point {
    double x = 0;
    double y = 0;
};

Point mid(Point a, Point b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// Writes one glyph's shape records. Positions are kept in whole twips so the
// rounded deltas never drift away from the outline.
class ShapeEncoder {
public:
    ShapeEncoder(SwfBytes& out, double scale) : out_(out), scale_(scale) {}

    void moveTo(Point p) {
        const auto [x, y] = toTwips(p);
        out_.bits(0, 1);  // style change record
        out_.bits(0, 1);  // no new styles
        out_.bits(0, 1);  // no line style
        out_.bits(0, 1);  // fill style 1 unchanged
        out_.bits(first_ ? 1 : 0, 1);
        out_.bits(1, 1);  // move to
        const int count = std::max(signedBitCount(x), signedBitCount(y));
        out_.bits(static_cast<std::uint32_t>(count), 5);
        out_.signedBits(x, count);
        out_.signedBits(y, count);
        if (first_) out_.bits(1, 1);  // glyphs fill with style 0 = 1, one fill bit
        first_ = false;
        x_ = x;
        y_ = y;
        at_ = p;
    }

    void lineTo(Point p) {
        const auto [x, y] = toTwips(p);
        const std::int32_t dx = x - x_, dy = y - y_;
        const int count = std::max({2, signedBitCount(dx), signedBitCount(dy)});
        if (count > kMaxEdgeBits) {
            const Point half = mid(at_, p);
            lineTo(half);
            lineTo(p);
            return;
        }
        at_ = p;
        if (dx == 0 && dy == 0) return;
        out_.bits(1, 1);  // edge
        out_.bits(1, 1);  // straight
        out_.bits(static_cast<std::uint32_t>(count - 2), 4);
        if (dx != 0 && dy != 0) {
            out_.bits(1, 1);  // general line
            out_.signedBits(dx, count);
            out_.signedBits(dy, count);
        } else {
            out_.bits(0, 1);
            out_.bits(dx == 0 ? 1 : 0, 1);  // vertical?
            out_.signedBits(dx == 0 ? dy : dx, count);
        }
        x_ = x;
        y_ = y;
    }

    void conicTo(Point control, Point anchor) {
        const auto [cx, cy] = toTwips(control);
        const auto [ax, ay] = toTwips(anchor);
        const std::int32_t deltas[] = {cx - x_, cy - y_, ax - cx, ay - cy};
        int count = 2;
        for (std::int32_t d : deltas) count = std::max(count, signedBitCount(d));
        if (count > kMaxEdgeBits) {  // split the curve in two halves
            const Point c1 = mid(at_, control), c2 = mid(control, anchor), m = mid(c1, c2);
            conicTo(c1, m);
            conicTo(c2, anchor);
            return;
        }
        if (deltas[0] == 0 && deltas[1] == 0 && deltas[2] == 0 && deltas[3] == 0) {
            at_ = anchor;
            return;
        }
        out_.bits(1, 1);  // edge
        out_.bits(0, 1);  // curved
        out_.bits(static_cast<std::uint32_t>(count - 2), 4);
        for (std::int32_t d : deltas) out_.signedBits(d, count);
        x_ = ax;
        y_ = ay;
        at_ = anchor;
    }

    // PostScript-flavoured fonts have cubic curves: two quadratics per cubic.
    void cubicTo(Point c1, Point c2, Point end) {
        const Point p0 = at_;
        const Point a = mid(p0, c1), b = mid(c1, c2), c = mid(c2, end);
        const Point ab = mid(a, b), bc = mid(b, c), m = mid(ab, bc);
        conicTo(quadraticControl(p0, a, ab, m), m);
        conicTo(quadraticControl(m, bc, c, end), end);
    }

    void end() {
        out_.bits(0, 6);  // end of shape
        out_.align();
    }

private:
    static Point quadraticControl(Point p0, Point c1, Point c2, Point p3) {
        return {(3 * (c1.x + c2.x) - p0.x - p3.x) / 4, (3 * (c1.y + c2.y) - p0.y - p3.y) / 4};
    }
    std::pair<std::int32_t, std::int32_t> toTwips(Point p) const {
        return {static_cast<std::int32_t>(std::lround(p.x * scale_)),
                static_cast<std::int32_t>(std::lround(-p.y * scale_))};
    }

    SwfBytes& out_;
    double scale_;
    bool first_ = true;
    std::int32_t x_ = 0, y_ = 0;
    Point at_;
};

Point fromVector(const FT_Vector* v) { return {static_cast<double>(v->x), static_cast<double>(v->y)}; }

int onMove(const FT_Vector* to, void* user) {
    static_cast<ShapeEncoder*>(user)->moveTo(fromVector(to));
    return 0;
}
int onLine(const FT_Vector* to, void* user) {
    static_cast<ShapeEncoder*>(user)->lineTo(fromVector(to));
    return 0;
}
int onConic(const FT_Vector* control, const FT_Vector* to, void* user) {
    static_cast<ShapeEncoder*>(user)->conicTo(fromVector(control), fromVector(to));
    return 0;
}
int onCubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    static_cast<ShapeEncoder*>(user)->cubicTo(fromVector(c1), fromVector(c2), fromVector(to));
    return 0;
}

struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

std::int16_t clamp16(double value) {
    return static_cast<std::int16_t>(std::clamp<long>(std::lround(value), -32768, 32767));
}

struct Glyph {
    char32_t code = 0;
    FT_UInt index = 0;
    std::vector<std::uint8_t> shape;
    std::int16_t advance = 0;
    std::int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

}  // namespace

std::vector<std::uint8_t> defineFont3Body(const FontRequest& request) {
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) throw std::runtime_error("cannot start the font reader");
    std::unique_ptr<FT_LibraryRec_, LibraryCloser> library(rawLibrary);

    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), request.fontPath.c_str(), 0, &rawFace) != 0)
        throw std::runtime_error("not a readable font file: " + request.fontPath);
    std::unique_ptr<FT_FaceRec_, FaceCloser> face(rawFace);
    if (!FT_IS_SCALABLE(face.get()) || face->units_per_EM == 0)
        throw std::runtime_error("the font has no outlines: " + request.fontPath);

    const double scale = kEmSquare / face->units_per_EM;
    std::vector<char32_t> codes = request.codes;
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());

    const FT_Outline_Funcs funcs = {onMove, onLine, onConic, onCubic, 0, 0};
    const GlyphLocations locations(face.get());
    std::vector<Glyph> glyphs;
    // A font may lack some characters, but one with no ink for any of them
    // would compile into a movie that shows nothing.
    bool inkWanted = false, inkFound = false, anyMapped = false;
    for (char32_t code : codes) {
        Glyph glyph;
        glyph.code = code;
        glyph.index = FT_Get_Char_Index(face.get(), code);
        inkWanted = inkWanted || (!isBlank(code) && code <= 0xffff);
        if (glyph.index == 0 || code > 0xffff) continue;
        if (!locations.inside(glyph.index)) throw std::runtime_error("damaged glyph in " + request.fontPath);
        anyMapped = anyMapped || !isBlank(code);
        if (FT_Load_Glyph(face.get(), glyph.index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
            throw std::runtime_error("damaged glyph in " + request.fontPath);
        FT_GlyphSlot slot = face->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE)
            throw std::runtime_error("the font has no outlines: " + request.fontPath);
        SwfBytes shape;
        shape.bits(1, 4);  // one fill bit
        shape.bits(0, 4);  // no line bits
        ShapeEncoder encoder(shape, scale);
        if (FT_Outline_Decompose(&slot->outline, &funcs, &encoder) != 0)
            throw std::runtime_error("damaged glyph in " + request.fontPath);
        encoder.end();
        glyph.shape = std::move(shape.data());
        glyph.advance = clamp16(slot->metrics.horiAdvance * scale);
        if (slot->outline.n_points > 0) {
            inkFound = true;
            FT_BBox box;
            FT_Outline_Get_BBox(&slot->outline, &box);
            glyph.xMin = static_cast<std::int32_t>(std::lround(box.xMin * scale));
            glyph.xMax = static_cast<std::int32_t>(std::lround(box.xMax * scale));
            glyph.yMin = static_cast<std::int32_t>(std::lround(-box.yMax * scale));
            glyph.yMax = static_cast<std::int32_t>(std::lround(-box.yMin * scale));
        }
        glyphs.push_back(std::move(glyph));
    }
    if (inkWanted && !anyMapped)
        throw std::runtime_error("the font has none of the characters asked for: " + request.fontPath);
    if (inkWanted && !inkFound)
        throw std::runtime_error("no glyph of the font can be read, it is damaged: " + request.fontPath);

    std::size_t shapeBytes = 0;
    for (const Glyph& glyph : glyphs) shapeBytes += glyph.shape.size();
    const std::size_t offsetSize2 = (glyphs.size() + 1) * 2;
    const bool wideOffsets = offsetSize2 + shapeBytes > 0xffff;
    const std::size_t offsetTableSize = (glyphs.size() + 1) * (wideOffsets ? 4 : 2);

    SwfBytes body;
    body.u16(request.characterId);
    body.bits(1, 1);  // layout
    body.bits(0, 1);  // Shift-JIS
    body.bits(0, 1);  // small text
    body.bits(0, 1);  // ANSI
    body.bits(wideOffsets ? 1 : 0, 1);
    body.bits(1, 1);  // wide codes
    body.bits((face->style_flags & FT_STYLE_FLAG_ITALIC) ? 1 : 0, 1);
    body.bits((face->style_flags & FT_STYLE_FLAG_BOLD) ? 1 : 0, 1);
    body.u8(1);  // language: Latin, the script of the glyph lists the program asks for
    const std::string name = request.name.substr(0, 255);
    body.u8(static_cast<std::uint8_t>(name.size()));
    for (char c : name) body.u8(static_cast<std::uint8_t>(c));
    body.u16(static_cast<std::uint16_t>(glyphs.size()));

    std::size_t offset = offsetTableSize;
    auto putOffset = [&](std::size_t value) {
        if (wideOffsets) body.u32(static_cast<std::uint32_t>(value));
        else body.u16(static_cast<std::uint16_t>(value));
    };
    for (const Glyph& glyph : glyphs) {
        putOffset(offset);
        offset += glyph.shape.size();
    }
    putOffset(offset);  // the code table follows the shapes
    for (const Glyph& glyph : glyphs) body.bytes(glyph.shape);
    for (const Glyph& glyph : glyphs) body.u16(static_cast<std::uint16_t>(glyph.code));

    const double ascent = face->ascender * scale;
    const double descent = -face->descender * scale;
    body.u16(static_cast<std::uint16_t>(std::clamp<long>(std::lround(ascent), 0, 0xffff)));
    body.u16(static_cast<std::uint16_t>(std::clamp<long>(std::lround(descent), 0, 0xffff)));
    body.s16(clamp16(face->height * scale - ascent - descent));
    for (const Glyph& glyph : glyphs) body.s16(glyph.advance);
    for (const Glyph& glyph : glyphs) body.rect(glyph.xMin, glyph.xMax, glyph.yMin, glyph.yMax);

    struct Kerning {
        std::uint16_t left, right;
        std::int16_t adjustment;
    };
    std::vector<Kerning> pairs;
    if (FT_HAS_KERNING(face.get())) {
        for (const Glyph& left : glyphs) {
            for (const Glyph& right : glyphs) {
                FT_Vector kern{0, 0};
                if (FT_Get_Kerning(face.get(), left.index, right.index, FT_KERNING_UNSCALED, &kern) != 0) continue;
                const std::int16_t adjustment = clamp16(kern.x * scale);
                if (adjustment != 0)
                    pairs.push_back({static_cast<std::uint16_t>(left.code), static_cast<std::uint16_t>(right.code), adjustment});
                if (pairs.size() == 0xffff) break;
            }
            if (pairs.size() == 0xffff) break;
        }
    }
    body.u16(static_cast<std::uint16_t>(pairs.size()));
    for (const Kerning& pair : pairs) {
        body.u16(pair.left);
        body.u16(pair.right);
        body.s16(pair.adjustment);
    }
    return body.data();
}

}  // namespace swfmill
