#include "canvas/logo/movie_font.h"

#include <QTransform>

namespace vm {

MovieGlyphSource::MovieGlyphSource(std::shared_ptr<const MovieFontFace> face, double pixelSize)
    : face_(std::move(face)), scale_(pixelSize / MovieFontFace::emSquare)
{
}

QPainterPath MovieGlyphSource::outline(char32_t character) const
{
    const auto glyph = face_->glyphs.constFind(character);
    if (glyph == face_->glyphs.constEnd())
        return {};
    return QTransform::fromScale(scale_, scale_).map(glyph->outline);
}

double MovieGlyphSource::advance(char32_t character) const
{
    return face_->glyphs.value(character).advance * scale_;
}

double MovieGlyphSource::kerning(char32_t left, char32_t right) const
{
    return face_->kerning.value(MovieFontFace::kerningKey(left, right)) * scale_;
}

double MovieGlyphSource::ascent() const { return face_->ascent * scale_; }
double MovieGlyphSource::descent() const { return face_->descent * scale_; }
// A negative leading from a damaged movie would stack lines on each other.
double MovieGlyphSource::lineSpacing() const { return (face_->ascent + face_->descent + std::max(0.0, face_->leading)) * scale_; }

} // namespace vm
