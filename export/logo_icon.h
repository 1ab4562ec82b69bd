#pragma once

#include "canvas/logo/logo_renderer.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace vm::logo_icon {

// What the small pictures of a brand pack show: a name and a tagline shrunk
// to 16 pixels are a smear, so an icon shows the logo's mark alone, or
// without one the first letter of its largest text.
enum class Source { Mark, Initial, WholeLogo };

struct IconLogo {
    Source source = Source::WholeLogo;
    LogoDocument logo; // only what the icon shows, at stage positions; the background is the caller's
    QRectF area;       // the stage area that holds it, room for strokes and shadows included
    QString initial;   // Initial: the letter drawn
    QString family;    // Initial: its font
};

// The mark is every visible element that is not text (a group of texts only
// is text), without thin rules (dividers, underlines); texts that sit on a
// mark (a monogram's letters) go with it. The renderer sizes the initial.
IconLogo iconLogo(const LogoDocument& logo, const LogoRenderer& renderer);

struct IconArt {
    Source source = Source::WholeLogo;
    QString initial;
    QString family;
    QImage picture; // on a clear ground, its longest side at about side pixels
    QRect content;  // the part of picture that holds anything
};

// The icon's art drawn by the one renderer; the whole logo, drawn from
// wholeLogo (a clear rendering of the stage), when there is neither a mark
// nor a text, or when the mark draws nothing.
IconArt draw(const LogoDocument& logo, const LogoRenderer& renderer, int side, const QImage& wholeLogo);

// Whether the drawn part of a see-through picture is mostly light.
bool isLight(const QImage& picture, const QRect& part);

// A ground that shows art for icons that cannot be see-through: background
// when it is opaque, else white, or a dark slate under light art.
QColor opaqueGround(const QColor& background, const IconArt& art);

// The logo's name as its largest text reads (the first line); empty without text.
QString logoName(const LogoDocument& logo);

// One line for the brand page saying what the icons show.
QString describe(const IconArt& art);

} // namespace vm::logo_icon
