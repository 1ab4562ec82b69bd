#pragma once

#include "canvas/logo/logo_document.h"

#include <QList>
#include <QString>

namespace vm {

// One font file a brand pack ships.
struct FontFace {
    QString source; // the program's own copy
    QString file;   // in the pack: "fonts/Lato-Bold.ttf"
    int weight = 400; // as CSS counts it
    bool italic = false;
};

// A font family the logo's texts use, as the brand page shows it.
struct BrandFont {
    QString family;
    QString sample;        // one of the logo's texts in this family
    bool bold = false, italic = false; // the sample's style
    QList<FontFace> faces; // empty when the pack cannot ship the family
    QString licence;       // in the pack, with the faces: "fonts/OFL.txt" or "fonts/Cabin-LICENSE.txt"
    QString licenceSource; // the program's own copy
};

namespace brand_fonts {

inline const QString packFolder = QStringLiteral("fonts");

// The families the logo's texts use, in the order met. A family is shipped
// when the program's fonts folder holds its files and a licence that allows it:
// OFL.txt beside them naming each file, or the family's own licence file
// (familyLicenceName), which the pack carries as fonts/<Family>-LICENSE.txt.
QList<BrandFont> find(const LogoDocument& logo, const QString& fontsFolder);

// A family's own licence below the fonts folder: "licenses/RobotoSlab-LICENSE.txt".
QString familyLicenceName(const QString& family);

} // namespace brand_fonts
} // namespace vm
