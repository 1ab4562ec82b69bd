#include "export/brand_fonts.h"

#include "canvas/logo/shipped_fonts.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QDir>
#include <QRawFont>

namespace vm::brand_fonts {

namespace {
const QString licenceName = QStringLiteral("OFL.txt");
constexpr int sampleLength = 40;

void collect(const std::vector<LogoElement>& elements, QList<BrandFont>& fonts)
{
    for (const LogoElement& element : elements) {
        if (element.kind == ElementKind::Text) {
            const QString family = element.fontFamily.isEmpty() ? defaultTextFamily() : element.fontFamily;
            auto font = std::find_if(fonts.begin(), fonts.end(), [&](const BrandFont& known) { return known.family == family; });
            if (font == fonts.end())
                font = fonts.insert(fonts.end(), BrandFont{family, {}, false, false, {}, {}, {}});
            if (font->sample.isEmpty()) {
                const QString text = element.text.section(QLatin1Char('\n'), 0, 0).simplified();
                font->sample = element.textCase == TextCase::Upper ? text.toUpper()
                               : element.textCase == TextCase::Lower ? text.toLower()
                                                                     : text;
                font->sample.truncate(sampleLength);
                font->bold = element.bold;
                font->italic = element.italic;
            }
        }
        collect(element.children, fonts);
    }
}

// A file's family is the one the logo names, or that name followed by a
// size or a style ("EB Garamond 12").
bool belongsTo(const QString& fileFamily, const QString& family)
{
    return fileFamily.compare(family, Qt::CaseInsensitive) == 0
           || fileFamily.startsWith(family + QLatin1Char(' '), Qt::CaseInsensitive);
}
} // namespace

QList<BrandFont> find(const LogoDocument& logo, const QString& fontsFolder)
{
    QList<BrandFont> fonts;
    collect(logo.elements, fonts);
    if (fonts.isEmpty() || fontsFolder.isEmpty())
        return fonts;
    const QDir folder(fontsFolder);
    const BoundedRead licence = readBoundedFile(folder.filePath(licenceName), file_limits::fontLicence);
    if (!licence.ok())
        return fonts;
    const QString licenceText = QString::fromUtf8(licence.bytes);
    for (const QString& name : folder.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files, QDir::Name)) {
        if (!licenceText.contains(name))
            continue;
        const BoundedRead file = readBoundedFile(folder.filePath(name), file_limits::fontFile);
        if (!file.ok())
            continue;
        const QRawFont face(file.bytes, 16);
        if (!face.isValid())
            continue;
        for (BrandFont& font : fonts) {
            if (!belongsTo(face.familyName(), font.family))
                continue;
            font.faces.append({folder.filePath(name), packFolder + QLatin1Char('/') + name, face.weight(), face.style() != QFont::StyleNormal});
            font.licence = packFolder + QLatin1Char('/') + licenceName;
            font.licenceSource = folder.filePath(licenceName);
        }
    }
    return fonts;
}

} // namespace vm::brand_fonts
