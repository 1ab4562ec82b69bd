#include "canvas/logo/png_file.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <png.h>
#include <vector>

namespace vm::png_file {

namespace {
constexpr int paletteLimit = 256;
constexpr int smallLevel = 9; // zlib's best: a logo packs in tens of milliseconds
constexpr int fastLevel = 1;

// What the pixels need: alpha, colour, and their colours when there are few.
struct Shape {
    bool opaque = true;
    bool grey = true;
    bool fewColours = true;
    std::vector<QRgb> colours; // when fewColours: every colour, unordered
};

// A small open-addressing set: counting colours must not cost more than packing them.
class ColourSet {
public:
    // False once a colour beyond the limit arrives.
    bool add(QRgb colour, std::vector<QRgb>& colours)
    {
        std::size_t slot = (colour * 2654435761u) >> 22; // 10 bits
        while (used_[slot]) {
            if (keys_[slot] == colour)
                return true;
            slot = (slot + 1) & (keys_.size() - 1);
        }
        if (int(colours.size()) == paletteLimit)
            return false;
        used_[slot] = true;
        keys_[slot] = colour;
        colours.push_back(colour);
        return true;
    }

private:
    std::array<QRgb, 1024> keys_{};
    std::array<bool, 1024> used_{};
};

Shape shapeOf(const QImage& image)
{
    Shape shape;
    ColourSet set;
    QRgb last = 0;
    bool haveLast = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            if (haveLast && pixel == last)
                continue;
            last = pixel;
            haveLast = true;
            shape.opaque = shape.opaque && qAlpha(pixel) == 255;
            shape.grey = shape.grey && qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
            if (shape.fewColours && !set.add(pixel, shape.colours)) {
                shape.fewColours = false;
                shape.colours.clear();
            }
        }
    }
    return shape;
}

// One PNG's header, palette and rows, ready for libpng.
struct Layout {
    int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    int depth = 8;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha; // the leading, not fully opaque entries
    std::vector<png_byte> pixels;
    std::size_t stride = 0;
};

int channelsOf(int colourType)
{
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    default: return 4;
    }
}

void fillDirect(const QImage& image, Layout& layout)
{
    const int channels = channelsOf(layout.colourType);
    layout.stride = std::size_t(image.width()) * std::size_t(channels);
    layout.pixels.resize(layout.stride * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        png_byte* out = layout.pixels.data() + layout.stride * std::size_t(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            if (channels <= 2) {
                *out++ = png_byte(qRed(pixel));
            } else {
                *out++ = png_byte(qRed(pixel));
                *out++ = png_byte(qGreen(pixel));
                *out++ = png_byte(qBlue(pixel));
            }
            if (channels == 2 || channels == 4)
                *out++ = png_byte(qAlpha(pixel));
        }
    }
}

void fillPalette(const QImage& image, std::vector<QRgb> colours, Layout& layout)
{
    // Entries with alpha first, so the transparency chunk stops at the last of them.
    std::stable_partition(colours.begin(), colours.end(), [](QRgb colour) { return qAlpha(colour) != 255; });
    const int count = int(colours.size());
    layout.colourType = PNG_COLOR_TYPE_PALETTE;
    layout.depth = count <= 2 ? 1 : count <= 4 ? 2 : count <= 16 ? 4 : 8;
    for (const QRgb colour : colours) {
        layout.palette.push_back({png_byte(qRed(colour)), png_byte(qGreen(colour)), png_byte(qBlue(colour))});
        if (qAlpha(colour) != 255)
            layout.paletteAlpha.push_back(png_byte(qAlpha(colour)));
    }
    std::vector<std::pair<QRgb, png_byte>> index(colours.size());
    for (int entry = 0; entry < count; ++entry)
        index[std::size_t(entry)] = {colours[std::size_t(entry)], png_byte(entry)};
    std::sort(index.begin(), index.end());
    const auto entryOf = [&index](QRgb colour) {
        return std::lower_bound(index.begin(), index.end(), std::pair<QRgb, png_byte>(colour, 0))->second;
    };
    const int perByte = 8 / layout.depth;
    layout.stride = std::size_t((image.width() + perByte - 1) / perByte);
    layout.pixels.assign(layout.stride * std::size_t(image.height()), 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        png_byte* out = layout.pixels.data() + layout.stride * std::size_t(y);
        QRgb last = line[0];
        png_byte entry = entryOf(last);
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] != last) {
                last = line[x];
                entry = entryOf(last);
            }
            const int shift = 8 - layout.depth * (x % perByte + 1);
            out[x / perByte] |= png_byte(entry << shift);
        }
    }
}

void writeBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<QByteArray*>(png_get_io_ptr(png));
    try {
        out->append(reinterpret_cast<const char*>(data), qsizetype(length));
    } catch (...) {
        png_error(png, "out of memory");
    }
}

void flushNothing(png_structp) {}
void stopOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

// libpng reports failures by a long jump: nothing here owns a C++ object.
bool writePng(const QImage& image, const Layout& layout, int level, int filters, png_bytepp rows, QByteArray* out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, stopOnError, ignoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, writeBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), layout.depth, layout.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty()) {
        png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
        if (!layout.paletteAlpha.empty())
            png_set_tRNS(png, info, layout.paletteAlpha.data(), int(layout.paletteAlpha.size()), nullptr);
    }
    png_set_compression_level(png, level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace

QByteArray encode(const QImage& picture, Packing packing)
{
    if (picture.isNull())
        return {};
    const QImage image = picture.format() == QImage::Format_ARGB32 ? picture : picture.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    Layout layout;
    int filters = PNG_ALL_FILTERS;
    if (packing == Packing::Fast) {
        layout.colourType = picture.hasAlphaChannel() ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
        filters = PNG_FILTER_NONE;
        fillDirect(image, layout);
    } else {
        Shape shape = shapeOf(image);
        // Grey without alpha packs as well as a palette and lets the filters work on gradients.
        if (shape.fewColours && !(shape.grey && shape.opaque && shape.colours.size() > 16)) {
            fillPalette(image, std::move(shape.colours), layout);
            filters = PNG_FILTER_NONE;
        } else {
            layout.colourType = shape.grey ? (shape.opaque ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_GRAY_ALPHA)
                                           : (shape.opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA);
            fillDirect(image, layout);
        }
    }
    std::vector<png_bytep> rows(std::size_t(image.height()));
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = const_cast<png_bytep>(layout.pixels.data() + layout.stride * y);
    QByteArray bytes;
    if (!writePng(image, layout, packing == Packing::Fast ? fastLevel : smallLevel, filters, rows.data(), &bytes))
        return {};
    return bytes;
}

} // namespace vm::png_file
