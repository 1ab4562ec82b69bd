#pragma once

#include "canvas/logo/glyph_source.h"

#include <QRawFont>

namespace vm {

// The glyphs of a font this process knows (installed or shipped), read
// through QRawFont at the raw font's pixel size.
class RawFontGlyphs : public GlyphSource {
public:
    explicit RawFontGlyphs(QRawFont font) : font_(std::move(font)) {}

    QPainterPath outline(char32_t character) const override;
    double advance(char32_t character) const override;
    double kerning(char32_t left, char32_t right) const override;
    double ascent() const override { return font_.ascent(); }
    double descent() const override { return font_.descent(); }
    double lineSpacing() const override { return font_.ascent() + font_.descent() + font_.leading(); }

private:
    quint32 glyphIndex(char32_t character) const;

    QRawFont font_;
};

} // namespace vm
