#pragma once

#include "export/brand_fonts.h"
#include "export/brand_pack.h"

#include <QByteArray>

namespace vm {

// What the brand pack's page shows.
struct BrandPageContent {
    QString name;           // the logo's name, for the title; may be empty
    QList<BrandFile> files; // every file of the pack, the fonts included
    QStringList palette;    // #RRGGBB
    QList<BrandFont> fonts;
    QString iconNote;       // what the icons show
    bool lightLogo = false; // the logo's colours are light: its see-through version shows on dark
    QSize stage;            // the logo's stage
    QRectF drawn;           // the part of the stage that holds the logo, in shares of it: the top shows only that
    QString ground;         // the logo's background (#RRGGBB), empty when see-through
};

// The page a designer sends with the files: the logo large, each file
// previewed on a ground that shows it with what it is for, the colours as
// swatches with hex, RGB and CMYK values, and each font in its own face
// (from the pack's copy when it ships one). Everything it shows is in the
// pack, so it opens offline.
QByteArray brandPage(const BrandPageContent& content);

// "12 34 56 78" percentages of cyan, magenta, yellow and black for colour,
// the plain conversion a print shop starts from.
QString cmykText(const QColor& colour);

} // namespace vm
