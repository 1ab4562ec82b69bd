#pragma once

#include "canvas/logo/glyph_source.h"

#include <QFont>
#include <QRawFont>

namespace vm {

// The glyphs of a font Qt can find (installed on this machine or shipped and
// registered with the program), read through QRawFont.
class RawFontGlyphSource : public GlyphSource {
public:
    explicit RawFontGlyphSource(const QFont& font);
    explicit RawFontGlyphSource(QRawFont font) : font_(std::move(font)) {}

    QPainterPath outline(char32_t character) const override;
    double advance(char32_t character) const override;
    double kerning(char32_t left, char32_t right) const override;
    double ascent() const override { return font_.ascent(); }
    double descent() const override { return font_.descent(); }
    double lineSpacing() const override { return font_.ascent() + font_.descent() + font_.leading(); }

private:
    quint32 glyph(char32_t character) const;

    QRawFont font_;
};

} // namespace vm
