#include "export/brand_fonts.h"

#include "canvas/logo/shipped_fonts.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QDir>
#include <QFileInfo>
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
bool hasLicence(const QDir& folder, const QString& name)
{
    const QFileInfo licence(folder.filePath(name));
    return licence.isFile() && licence.size() <= file_limits::fontLicence;
}
} // namespace

QList<BrandFont> find(const LogoDocument& logo, const QString& fontsFolder)
{
    QList<BrandFont> fonts;
    collect(logo.elements, fonts);
    if (fonts.isEmpty() || fontsFolder.isEmpty())
        return fonts;
    const QDir folder(fontsFolder);
    const BoundedRead sharedLicence = readBoundedFile(folder.filePath(licenceName), file_limits::fontLicence);
    const QString sharedText = sharedLicence.ok() ? QString::fromUtf8(sharedLicence.bytes) : QString();
    for (const QString& name : folder.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files, QDir::Name)) {
        const bool inShared = !sharedText.isEmpty() && sharedText.contains(name);
        const BoundedRead file = readBoundedFile(folder.filePath(name), file_limits::fontFile);
        if (!file.ok())
            continue;
        const QRawFont face(file.bytes, 16);
        if (!face.isValid())
            continue;
        // A face the shared licence does not name ships only with its family's own licence.
        const QString ownLicence = familyLicenceName(face.familyName());
        if (!inShared && !hasLicence(folder, ownLicence))
            continue;
        const QString licence = inShared ? licenceName : ownLicence;
        for (BrandFont& font : fonts) {
            if (!belongsTo(face.familyName(), font.family))
                continue;
            font.faces.append({folder.filePath(name), packFolder + QLatin1Char('/') + name, face.weight(), face.style() != QFont::StyleNormal});
            font.licence = packFolder + QLatin1Char('/') + QFileInfo(licence).fileName();
            font.licenceSource = folder.filePath(licence);
        }
    }
    return fonts;
}

QString familyLicenceName(const QString& family)
{
    QString name = family;
    name.remove(QLatin1Char(' '));
    return QStringLiteral("licenses/") + name + QStringLiteral("-LICENSE.txt");
}

} // namespace vm::brand_fonts
