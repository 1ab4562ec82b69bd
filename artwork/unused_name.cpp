#include "artwork/unused_name.h"

#include <QFileInfo>

namespace vm {

namespace {
// Taken also when it is a link to nothing: writing there would follow it.
bool taken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
} // namespace

QString unusedName(const QString& folder, const QString& name)
{
    if (!taken(folder + name))
        return name;
    const qsizetype point = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = point > 0 ? name.left(point) : name;
    const QString extension = point > 0 ? name.mid(point) : QString();
    for (int counter = 2;; ++counter) {
        const QString candidate = stem + QLatin1Char('-') + QString::number(counter) + extension;
        if (!taken(folder + candidate))
            return candidate;
    }
}

} // namespace vm
