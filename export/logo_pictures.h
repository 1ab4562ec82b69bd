#pragma once

#include "canvas/logo/logo_renderer.h"
#include "export/export_format.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>

namespace vm::logo_pictures {

// The stage drawn by the one renderer to exactly pixels; an invalid or
// transparent background leaves the empty stage see-through.
QImage render(const LogoDocument& logo, const LogoRenderer& renderer, const QSize& pixels, const QColor& background);

// A picture scaled smoothly to exactly pixels, laid on background.
QImage scaled(const QImage& picture, const QSize& pixels, const QColor& background);

// The part of a see-through picture that holds anything; the whole picture when it is empty.
QRect contentBounds(const QImage& picture);

// The part of picture inside content, centred on a canvas of size with padding
// (a share of the canvas's shorter side) around it, on background.
QImage placed(const QImage& picture, const QRect& content, const QSize& size, double padding, const QColor& background);

// The same shapes in one colour, keeping the picture's alpha.
QImage oneColour(const QImage& picture, const QColor& colour);

// The picture in a raster format's bytes; formats without alpha lie on
// white. Empty, with error set, when the picture cannot be encoded.
QByteArray encode(const QImage& picture, ExportFormat format, QString* error);

} // namespace vm::logo_pictures
