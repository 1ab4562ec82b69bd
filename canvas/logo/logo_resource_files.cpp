#include "canvas/logo/logo_resource_files.h"

#include "canvas/logo/logo_renderer.h"
#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QFileInfo>

namespace vm {

namespace {
// The reason in words about "it": the warning names the file once, before it.
QString aboutIt(const BoundedRead& read, const QString& path)
{
    QString reason = read.reason;
    if (reason.startsWith(path))
        reason.replace(0, path.size(), QStringLiteral("it"));
    return reason;
}
} // namespace

QString DrawProblem::text() const
{
    const QString what = elementName.isEmpty() ? QStringLiteral("the %1 %2").arg(kind, file)
                                               : QStringLiteral("the %1 \"%2\" (%3)").arg(kind, elementName, file);
    return QStringLiteral("%1 could not be drawn: %2").arg(what, reason);
}

QString shownResourcePath(const QString& folder, const QString& relative)
{
    const QString folderName = QFileInfo(folder).fileName();
    return folderName.isEmpty() ? relative : folderName + QLatin1Char('/') + relative;
}

LoadedPicture loadPictureFile(const QString& folder, const QString& name)
{
    if (name.isEmpty())
        return {QImage(), QStringLiteral("the element names no file")};
    if (!isPlainFileName(name))
        return {QImage(), QStringLiteral("its name leads outside the %1 folder").arg(QFileInfo(folder).fileName())};
    const QString path = folder + QLatin1Char('/') + name;
    const BoundedRead read = readBoundedFile(path, file_limits::picture);
    if (!read.ok())
        return {QImage(), aboutIt(read, path)};
    QImage image;
    if (!image.loadFromData(read.bytes))
        return {QImage(), QStringLiteral("it is not a picture the program can read")};
    return {image, QString()};
}

LoadedSymbol loadSymbolFile(const QString& dataFolder, const QString& path)
{
    if (!isInsidePath(path))
        return {QByteArray(), QStringLiteral("its path leads outside the %1 folder").arg(QFileInfo(dataFolder).fileName())};
    const QString full = dataFolder + QLatin1Char('/') + path;
    const BoundedRead read = readBoundedFile(full, file_limits::symbol);
    if (!read.ok())
        return {QByteArray(), aboutIt(read, full)};
    return {read.bytes, QString()};
}

} // namespace vm
