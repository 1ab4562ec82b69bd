#include "canvas/logo/font_movie_reader.h"

#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <optional>
#include <zlib.h>

namespace vm {

namespace {
constexpr qsizetype maxMovieBytes = file_limits::fontMovie;
constexpr int defineFont3Tag = 75;
// Path elements a whole font may have: tiny records could otherwise turn a
// small file into gigabytes of outlines.
constexpr qsizetype maxOutlineElements = 4 * 1024 * 1024;

// Reads little-endian fields and bit fields from a slice of bytes. Reading
// past the end yields zeros and marks the reader failed, so callers check once.
class SwfReader {
public:
    SwfReader(const QByteArray& data, qsizetype begin, qsizetype end) : data_(data), at_(begin), end_(end) {}

    bool failed() const { return failed_; }
    qsizetype at() const { return at_; }
    qsizetype left() const { return end_ - at_; }

    quint32 u8() { return take(1) ? quint8(data_[at_ - 1]) : 0; }
    quint32 u16() { return take(2) ? quint32(quint8(data_[at_ - 2])) | quint32(quint8(data_[at_ - 1])) << 8 : 0; }
    quint32 u32() { return u16() | u16() << 16; }
    qint32 s16() { return qint16(u16()); }
    void skip(qsizetype count) { take(count); }

    quint32 bits(int count)
    {
        quint32 value = 0;
        for (int i = 0; i < count; ++i) {
            if (bitsLeft_ == 0) {
                current_ = u8();
                bitsLeft_ = 8;
            }
            --bitsLeft_;
            value = value << 1 | ((current_ >> bitsLeft_) & 1);
        }
        return value;
    }
    qint32 signedBits(int count)
    {
        const quint32 value = bits(count);
        if (count == 0 || count >= 32)
            return qint32(value);
        return (value & (1u << (count - 1))) ? qint32(value | ~((1u << count) - 1)) : qint32(value);
    }
    void align() { bitsLeft_ = 0; }

private:
    bool take(qsizetype count)
    {
        align();
        if (failed_ || count < 0 || count > left()) {
            failed_ = true;
            at_ = end_;
            return false;
        }
        at_ += count;
        return true;
    }

    const QByteArray& data_;
    qsizetype at_;
    qsizetype end_;
    quint32 current_ = 0;
    int bitsLeft_ = 0;
    bool failed_ = false;
};

// The movie body of a "CWS" file, inflated to exactly the length its header
// declares: a stream that runs longer or shorter is damaged.
std::optional<QByteArray> inflateBody(const QByteArray& compressed, qsizetype expected)
{
    QByteArray out(expected, Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.constData()));
    stream.avail_in = uInt(compressed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(expected);
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.avail_out == 0;
    inflateEnd(&stream);
    return whole ? std::optional<QByteArray>(out) : std::nullopt;
}

// One glyph's shape records: moves are absolute, edges relative to the pen.
bool readShape(SwfReader& in, QPainterPath& path, qsizetype& budget)
{
    path.setFillRule(Qt::WindingFill);
    const int fillBits = int(in.bits(4));
    const int lineBits = int(in.bits(4));
    qint32 x = 0, y = 0;
    while (!in.failed() && --budget > 0) {
        if (in.bits(1) == 0) {
            const quint32 flags = in.bits(5);
            if (flags == 0)
                return !in.failed();
            if (flags & 0x10) // new style arrays: never in a font
                return false;
            if (flags & 0x01) {
                const int count = int(in.bits(5));
                x = in.signedBits(count);
                y = in.signedBits(count);
                path.moveTo(x, y);
            }
            if (flags & 0x02)
                in.bits(fillBits);
            if (flags & 0x04)
                in.bits(fillBits);
            if (flags & 0x08)
                in.bits(lineBits);
        } else if (in.bits(1) == 1) {
            const int count = int(in.bits(4)) + 2;
            qint32 dx = 0, dy = 0;
            if (in.bits(1) == 1) {
                dx = in.signedBits(count);
                dy = in.signedBits(count);
            } else if (in.bits(1) == 1) {
                dy = in.signedBits(count);
            } else {
                dx = in.signedBits(count);
            }
            x += dx;
            y += dy;
            path.lineTo(x, y);
        } else {
            const int count = int(in.bits(4)) + 2;
            const qint32 cx = x + in.signedBits(count);
            const qint32 cy = y + in.signedBits(count);
            x = cx + in.signedBits(count);
            y = cy + in.signedBits(count);
            path.quadTo(cx, cy, x, y);
        }
    }
    return false;
}

FontMovieRead refused(const QString& why) { return {nullptr, why}; }

FontMovieRead readDefineFont3(const QByteArray& movie, qsizetype begin, qsizetype end)
{
    SwfReader in(movie, begin, end);
    in.u16(); // character id
    const quint32 flags = in.u8();
    const bool hasLayout = flags & 0x80;
    const bool wideOffsets = flags & 0x08;
    const bool wideCodes = flags & 0x04;
    in.u8(); // language
    in.skip(in.u8()); // name: the font list names the face
    const quint32 count = in.u16();
    if (!hasLayout)
        return refused(QStringLiteral("the font has no advances"));

    // Offsets count from the offset table's start and must run forward inside the tag.
    const qsizetype tableStart = in.at();
    QList<qsizetype> offsets;
    offsets.reserve(qsizetype(count) + 1);
    for (quint32 i = 0; i <= count && !in.failed(); ++i)
        offsets.append(tableStart + (wideOffsets ? in.u32() : in.u16()));
    if (in.failed())
        return refused(QStringLiteral("the glyph table is cut short"));
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        const qsizetype previous = i == 0 ? in.at() : offsets[i - 1];
        if (offsets[i] < previous || offsets[i] > end)
            return refused(QStringLiteral("a glyph lies outside the font"));
    }

    auto face = std::make_shared<MovieFontFace>();
    QList<QPainterPath> outlines(count);
    qsizetype budget = maxOutlineElements;
    for (quint32 i = 0; i < count; ++i) {
        SwfReader shape(movie, offsets[i], offsets[i + 1]);
        if (!readShape(shape, outlines[i], budget))
            return refused(QStringLiteral("glyph %1 is damaged").arg(i));
    }
    SwfReader tail(movie, offsets[count], end);
    QList<char32_t> codes(count);
    for (quint32 i = 0; i < count; ++i)
        codes[i] = wideCodes ? tail.u16() : tail.u8();
    face->ascent = tail.u16();
    face->descent = tail.u16();
    face->leading = tail.s16();
    for (quint32 i = 0; i < count; ++i)
        face->glyphs.insert(codes[i], {outlines[i], double(tail.s16())});
    for (quint32 i = 0; i < count; ++i) { // bounds: the outlines say it already
        const int bits = int(tail.bits(5));
        tail.bits(4 * bits);
        tail.align();
    }
    const quint32 pairs = tail.u16();
    if (tail.failed() || qsizetype(pairs) * (wideCodes ? 6 : 4) > tail.left())
        return refused(QStringLiteral("the font's tables are cut short"));
    for (quint32 i = 0; i < pairs; ++i) {
        const char32_t left = wideCodes ? tail.u16() : tail.u8();
        const char32_t right = wideCodes ? tail.u16() : tail.u8();
        face->kerning.insert(MovieFontFace::kerningKey(left, right), tail.s16());
    }
    return {face, QString()};
}
} // namespace

FontMovieRead readFontMovie(const QByteArray& bytes)
{
    if (bytes.size() < 8 || bytes.size() > maxMovieBytes)
        return refused(QStringLiteral("not a font movie of a usable size"));
    const QByteArray signature = bytes.left(3);
    if (signature != "FWS" && signature != "CWS")
        return refused(QStringLiteral("not a movie"));
    SwfReader header(bytes, 4, 8);
    const quint32 declared = header.u32();
    if (declared < 8 || declared > quint32(maxMovieBytes))
        return refused(QStringLiteral("the movie declares an impossible length"));

    QByteArray movie;
    if (signature == "CWS") {
        const std::optional<QByteArray> body = inflateBody(bytes.mid(8), qsizetype(declared) - 8);
        if (!body)
            return refused(QStringLiteral("the compressed movie is damaged"));
        movie = bytes.left(8) + *body;
    } else {
        if (qsizetype(declared) > bytes.size())
            return refused(QStringLiteral("the movie is cut short"));
        movie = bytes.left(declared);
    }

    SwfReader in(movie, 8, movie.size());
    in.skip(((5 + 4 * int(in.bits(5))) + 7) / 8 - 1); // frame rectangle, its first byte read
    in.u16(); // frame rate
    in.u16(); // frame count
    while (!in.failed() && in.left() > 0) {
        const quint32 header = in.u16();
        const int code = int(header >> 6);
        qsizetype length = header & 0x3f;
        if (length == 0x3f)
            length = in.u32();
        if (in.failed() || length > in.left())
            return refused(QStringLiteral("a tag runs past the end of the movie"));
        if (code == 0)
            break;
        if (code == defineFont3Tag)
            return readDefineFont3(movie, in.at(), in.at() + length);
        in.skip(length);
    }
    return refused(QStringLiteral("the movie holds no font"));
}

FontMovieRead readFontMovieFile(const QString& path)
{
    const BoundedRead file = readBoundedFile(path, maxMovieBytes);
    if (!file.ok())
        return refused(QStringLiteral("the font movie %1").arg(file.reason));
    FontMovieRead read = readFontMovie(file.bytes);
    if (!read.face)
        read.error = QStringLiteral("%1: %2").arg(path, read.error);
    return read;
}

} // namespace vm
