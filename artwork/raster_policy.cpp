#include "artwork/raster_policy.h"

#include "platform/api/atomic_file.h"
#include "platform/api/path_style.h"

#include <QDir>
#include <QFile>

namespace vm::raster_policy {

QString policyXml()
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<policymap>\n"
        "  <policy domain=\"delegate\" rights=\"none\" pattern=\"*\" />\n"
        "  <policy domain=\"path\" rights=\"none\" pattern=\"@*\" />\n"
        "  <policy domain=\"coder\" rights=\"none\" pattern=\"*\" />\n"
        "  <policy domain=\"coder\" rights=\"read|write\" pattern=\"{PNG,JPEG,JPG,GIF}\" />\n"
        "</policymap>\n");
}

QString folder(const QString& programFolder)
{
    const QString& sep = path_style::separator;
    return programFolder + sep + QStringLiteral("bin") + sep + QStringLiteral("config-raster");
}

QString prepare(const QString& folder)
{
    const QString magickFolder = folder + path_style::separator + QStringLiteral("ImageMagick");
    if (!QDir().mkpath(magickFolder))
        return QString();
    const QString path = magickFolder + path_style::separator + QStringLiteral("policy.xml");
    const QByteArray wanted = policyXml().toUtf8();
    if (QFile existing(path); existing.open(QIODevice::ReadOnly) && existing.readAll() == wanted)
        return folder;
    return writeFileAtomically(path, wanted).ok ? folder : QString();
}

} // namespace vm::raster_policy
