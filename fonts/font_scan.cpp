#include "fonts/font_scan.h"

#include "platform/api/file_limits.h"
#include "platform/api/installed_fonts.h"
#include "platform/api/path_style.h"
#include "fonts/font_name_cache.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <sys/stat.h>

namespace vm {

namespace {
struct Folder {
    QString path;
    bool withSubfolders = false;
};

// Size and modification time straight from the file system: a second start
// does little else for each font, and Qt's local-time conversion of the
// time would cost more than the look-up itself. Null for what is not a font
// file at all: a pipe, a device or a socket named *.ttf (FreeType would wait
// on a pipe for ever), or a file larger than any font.
std::optional<FontNameCache::Key> stampOf(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)
        || status.st_size > file_limits::fontFile)
        return std::nullopt;
    return FontNameCache::Key{qint64(status.st_size),
                              qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000};
}

QList<Folder> foldersToSearch(const QString& windowsFolder, InstalledFonts& fonts)
{
    if (!windowsFolder.isEmpty()) {
        // Windows does not mind the case of "Fonts"; a copied tree may.
        const QString named = windowsFolder + path_style::separator + QStringLiteral("Fonts");
        const QString lower = windowsFolder + path_style::separator + QStringLiteral("fonts");
        return {{!QFileInfo(named).isDir() && QFileInfo(lower).isDir() ? lower : named, false}};
    }
    QList<Folder> folders;
    for (const QString& folder : fonts.systemFontFolders())
        folders.append({folder, true});
    return folders;
}
} // namespace

FontScanResult scanInstalledFonts(const QString& windowsFolder, InstalledFonts& fonts, const QString& cacheFile)
{
    FontNameCache cache;
    if (!cacheFile.isEmpty())
        cache.load(cacheFile);
    FontScanResult result;
    for (const Folder& folder : foldersToSearch(windowsFolder, fonts)) {
        QDirIterator files(folder.path, QDir::Files | QDir::Hidden | QDir::System,
                           folder.withSubfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
        while (files.hasNext()) {
            const QString path = files.next();
            if (!files.fileName().endsWith(QLatin1String("ttf"), Qt::CaseInsensitive))
                continue;
            const std::optional<FontNameCache::Key> stamp = stampOf(path);
            if (!stamp)
                continue;
            const FontNameCache::Key key = *stamp;
            QString name = cache.find(path, key);
            if (name.isNull()) {
                name = fonts.faceName(path);
                ++result.fontsOpened;
            }
            cache.record(path, key, name);
            result.catalogue.fontFiles.append(path);
            result.catalogue.fontNames.append(QString(name).replace(QLatin1Char('&'), QLatin1String("And")));
        }
    }
    if (!cacheFile.isEmpty() && cache.changed()) {
        QDir().mkpath(QFileInfo(cacheFile).absolutePath());
        cache.save(cacheFile); // a cache that cannot be written costs the next start its speed only
    }
    return result;
}

} // namespace vm
