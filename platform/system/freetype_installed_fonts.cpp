#include "platform/system/freetype_installed_fonts.h"

#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

namespace vm {

struct FreeTypeInstalledFonts::Library {
    FT_Library handle = nullptr;
};

FreeTypeInstalledFonts::FreeTypeInstalledFonts() : library_(new Library)
{
    if (FT_Init_FreeType(&library_->handle) != 0)
        library_->handle = nullptr;
}

FreeTypeInstalledFonts::~FreeTypeInstalledFonts()
{
    if (library_->handle)
        FT_Done_FreeType(library_->handle);
    delete library_;
}

QStringList FreeTypeInstalledFonts::systemFontFolders()
{
    QStringList candidates = QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
    candidates.append(QDir::homePath() + QStringLiteral("/.fonts"));
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates.append(data + QStringLiteral("/fonts"));
    candidates << QStringLiteral("/usr/share/fonts") << QStringLiteral("/usr/local/share/fonts");
    QStringList folders;
    QStringList seen;
    for (const QString& folder : candidates) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical))
            continue;
        // A folder inside one already listed would list its fonts twice.
        const bool inside = std::any_of(seen.cbegin(), seen.cend(), [&](const QString& outer) {
            return canonical.startsWith(outer + QLatin1Char('/'));
        });
        seen.append(canonical);
        if (!inside)
            folders.append(folder);
    }
    return folders;
}

namespace {
QString utf16BigEndian(const FT_SfntName& name)
{
    QString text;
    for (FT_UInt index = 0; index + 1 < name.string_len; index += 2)
        text.append(QChar(char16_t((name.string[index] << 8) | name.string[index + 1])));
    return text;
}

// The family (name 1) of the Windows platform's Unicode names, US English
// first: what Windows lists the font under.
QString windowsFamilyName(FT_Face face)
{
    QString anyLanguage;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt index = 0; index < count; ++index) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, index, &name) != 0 || name.name_id != TT_NAME_ID_FONT_FAMILY
            || name.platform_id != TT_PLATFORM_MICROSOFT
            || (name.encoding_id != TT_MS_ID_UNICODE_CS && name.encoding_id != TT_MS_ID_SYMBOL_CS))
            continue;
        if (name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES)
            return utf16BigEndian(name);
        if (anyLanguage.isEmpty())
            anyLanguage = utf16BigEndian(name);
    }
    return anyLanguage;
}
} // namespace

QString FreeTypeInstalledFonts::faceName(const QString& path)
{
    // FreeType opens the file itself and would wait for ever on a pipe.
    if (!library_->handle || !checkBoundedFile(path, file_limits::fontFile).ok())
        return QString(QLatin1String(""));
    FT_Face face = nullptr;
    if (FT_New_Face(library_->handle, QFile::encodeName(path).constData(), 0, &face) != 0)
        return QString(QLatin1String(""));
    QString name = windowsFamilyName(face);
    if (name.isEmpty() && face->family_name)
        name = QString::fromUtf8(face->family_name);
    FT_Done_Face(face);
    return name.isNull() ? QString(QLatin1String("")) : name;
}

} // namespace vm
