#pragma once

#include "canvas/logo/glyph_source.h"

#include <QHash>
#include <QPainterPath>
#include <memory>

namespace vm {

// One face as an imported font movie holds it: outlines, advances and
// metrics in the movie's glyph square (1024 units of 20 twips), y growing
// downwards, origin on the baseline.
struct MovieFontFace {
    static constexpr double emSquare = 1024.0 * 20.0;

    struct Glyph {
        QPainterPath outline;
        double advance = 0;
    };
    QHash<char32_t, Glyph> glyphs;
    QHash<quint64, double> kerning; // kerningKey(left, right) -> extra advance
    double ascent = 0;
    double descent = 0;
    double leading = 0;

    static quint64 kerningKey(char32_t left, char32_t right) { return (quint64(left) << 32) | right; }
};

// A movie face at one pixel size.
class MovieGlyphSource : public GlyphSource {
public:
    MovieGlyphSource(std::shared_ptr<const MovieFontFace> face, double pixelSize);

    QPainterPath outline(char32_t character) const override;
    double advance(char32_t character) const override;
    double kerning(char32_t left, char32_t right) const override;
    double ascent() const override;
    double descent() const override;
    double lineSpacing() const override;

private:
    std::shared_ptr<const MovieFontFace> face_;
    double scale_;
};

} // namespace vm
