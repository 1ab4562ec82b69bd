#include "canvas/logo/shipped_fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QHash>

namespace vm {

QStringList registerShippedFonts(const QString& folder)
{
    // One font id per file for the life of the process: the database keeps them anyway.
    static QHash<QString, QStringList> registered;
    QStringList families;
    const QDir directory(folder);
    const QStringList files = directory.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString path = directory.absoluteFilePath(file);
        auto found = registered.constFind(path);
        if (found == registered.constEnd()) {
            const int id = QFontDatabase::addApplicationFont(path);
            // A file can answer to several names (its family, then older names such as
            // "EB Garamond 12"); the first is the one people choose it by.
            const QStringList names = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
            found = registered.insert(path, names.isEmpty() ? QStringList() : QStringList{names.first()});
        }
        for (const QString& family : *found)
            if (!families.contains(family))
                families.append(family);
    }
    return families;
}

const QStringList& systemFontFamilies()
{
    // What the setup installs (fonts-dejavu-core).
    static const QStringList families = {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
                                         QStringLiteral("DejaVu Sans Mono")};
    return families;
}

} // namespace vm
