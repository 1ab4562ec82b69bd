#pragma once

#include <QList>
#include <QString>

namespace vm {

// The formats a logo is published in. The numbers are the publish dialog's
// options: optExtension0 to 5, 8 and 9; transparent6 and 7.
enum class PublishFormat { Png = 0, Eps, Jpg, Gif, Tiff, VectorEps, TransparentPng, TransparentGif, Svg, Pdf };

// One row per format: what the publish dialog and the Publish Logo menu offer,
// what the editing canvas is asked, how the picture comes back and what the
// converter makes of it. Both the program and its canvases read it.
namespace publish_formats {

// How a format's file comes about.
enum class Route {
    Printed, // the canvas prints an EPS page; the converter crops it into the file
    Picture, // the bitmap canvas draws a picture; the converter turns it into the file
    Direct,  // the program draws the file itself, straight from the logo
};

// What the converter does with the bitmap canvas's picture.
enum class Conversion {
    None,            // the picture is the file: written straight to the target
    Scale,           // bin/sample.png scaled to the chosen size into the target
    ScaleJpeg,       // bin/sample.jpg scaled: the canvas's own JPEG
    Convert,         // bin/sample.png converted by the target's extension
    ConvertAndScale, // converted, then scaled
    TiffAndScale,    // through temp.bmp into TIFF, then scaled
};

struct Row {
    PublishFormat format;
    QString title;          // on the dialog's option; empty: the option shows its language caption
    QString keyword;        // remembered as the requested format, e.g. "png"
    QString extension;      // given to the file the user names, e.g. ".png"
    QString menuName;       // the menu item "mnuPublish" + menuName (+ "100%", "25%", "Thumbnail")
    QString canvasCommand;  // asked of the editing canvas; empty on the direct route
    QString pictureCommand; // the bitmap canvas's answer carrying the picture
    QString background;     // transparent pictures: the background name passed to the bitmap canvas
    Route route;
    Conversion conversion;
    bool smallSizes;        // offers the quarter and thumbnail sizes
    bool transparent;
    bool vector;
};

inline const QList<Row>& all()
{
    using C = Conversion;
    using F = PublishFormat;
    using R = Route;
    static const QList<Row> rows = {
        {F::Png, "PNG", "png", ".png", "PNG", "png", "publishpng", {}, R::Picture, C::Scale, true, false, false},
        {F::Eps, "EPS", "eps", ".eps", "EPS", "doPublish", {}, {}, R::Printed, C::None, false, false, true},
        {F::Jpg, "JPG", "jpg", ".jpg", "JPG", "jpg", "publishjpg", {}, R::Picture, C::ScaleJpeg, true, false, false},
        {F::Gif, "GIF", "gif", ".gif", "GIF", "gif", "publishgif", {}, R::Picture, C::ConvertAndScale, true, false, false},
        {F::Tiff, "TIFF", "tiff", ".tiff", "TIFF", "tiff", "publishtiff", {}, R::Picture, C::TiffAndScale, true, false, false},
        {F::VectorEps, "Vector EPS", "veps", ".eps", "VEPS", "dovector", {}, {}, R::Printed, C::None, false, false, true},
        {F::TransparentPng, {}, "png", ".png", "transparentPNG", "transparentpng", "publishtransparentpng", "png",
         R::Picture, C::None, false, true, false},
        {F::TransparentGif, {}, "gif", ".gif", "transparentGIF", "transparentgif", "publishtransparentgif", "gif",
         R::Picture, C::Convert, false, true, false},
        {F::Svg, "SVG", "svg", ".svg", {}, {}, {}, {}, R::Direct, C::None, false, false, true},
        {F::Pdf, "PDF", "pdf", ".pdf", {}, {}, {}, {}, R::Direct, C::None, false, false, true},
    };
    return rows;
}

inline const Row& row(PublishFormat format)
{
    return all().at(int(format));
}

// The format whose picture the bitmap canvas sends with this command; null for any other.
inline const Row* byPictureCommand(const QString& command)
{
    for (const Row& candidate : all())
        if (!candidate.pictureCommand.isEmpty() && candidate.pictureCommand == command)
            return &candidate;
    return nullptr;
}

} // namespace publish_formats
} // namespace vm
