#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vm {

// Something the renderer could not draw and drew as a placeholder instead.
struct DrawProblem {
    QString kind;        // "picture" or "symbol"
    QString elementName; // the name the layers list shows; empty for an unnamed element
    QString file;        // as the user finds it: "LogoImages/x.png", "datasrc/ClipArts/Geometric/star.svg"
    QString reason;      // "it does not exist", "it is a pipe, not a file"

    // "the picture LogoImages/x.png could not be drawn: it does not exist"
    QString text() const;
};

// A picture or symbol file as read for drawing: its bytes, or why there are none.
struct LoadedPicture {
    QImage image;
    QString reason; // empty when the image was read
};
struct LoadedSymbol {
    QByteArray svg;
    QString reason; // empty when the file was read (its SVG is checked by the renderer)
};

// Picture names stay inside folder; symbol paths inside dataFolder. Both are
// read within their kind's size limit and never block on a pipe or a device.
LoadedPicture loadPictureFile(const QString& folder, const QString& name);
LoadedSymbol loadSymbolFile(const QString& dataFolder, const QString& path);

// The file as the user finds it: the folder's own name and the path inside it.
QString shownResourcePath(const QString& folder, const QString& relative);

} // namespace vm
