#include "export/export_format.h"

#include <QFileInfo>
#include <QHash>
#include <cmath>

namespace vm::export_format {

std::optional<ExportFormat> fromPath(const QString& path)
{
    static const QHash<QString, ExportFormat> byExtension = {
        {QStringLiteral("png"), ExportFormat::Png},   {QStringLiteral("jpg"), ExportFormat::Jpg},
        {QStringLiteral("jpeg"), ExportFormat::Jpg},  {QStringLiteral("gif"), ExportFormat::Gif},
        {QStringLiteral("tif"), ExportFormat::Tiff},  {QStringLiteral("tiff"), ExportFormat::Tiff},
        {QStringLiteral("eps"), ExportFormat::Eps},   {QStringLiteral("svg"), ExportFormat::Svg},
        {QStringLiteral("pdf"), ExportFormat::Pdf},
    };
    const auto found = byExtension.constFind(QFileInfo(path).suffix().toLower());
    if (found == byExtension.constEnd())
        return std::nullopt;
    return *found;
}

QString extension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Png: return QStringLiteral("png");
    case ExportFormat::Jpg: return QStringLiteral("jpg");
    case ExportFormat::Gif: return QStringLiteral("gif");
    case ExportFormat::Tiff: return QStringLiteral("tiff");
    case ExportFormat::Eps: return QStringLiteral("eps");
    case ExportFormat::Svg: return QStringLiteral("svg");
    case ExportFormat::Pdf: return QStringLiteral("pdf");
    }
    return {};
}

bool isRaster(ExportFormat format)
{
    return format == ExportFormat::Png || format == ExportFormat::Jpg || format == ExportFormat::Gif || format == ExportFormat::Tiff;
}

bool keepsAlpha(ExportFormat format)
{
    return format == ExportFormat::Png || format == ExportFormat::Gif || format == ExportFormat::Tiff;
}

QSize scaledSize(const QSize& stage, int width, int height)
{
    const double stageWidth = std::max(1, stage.width());
    const double stageHeight = std::max(1, stage.height());
    if (width <= 0 && height <= 0)
        return QSize(int(stageWidth), int(stageHeight));
    double scale = width > 0 ? width / stageWidth : height / stageHeight;
    if (width > 0 && height > 0)
        scale = std::min(width / stageWidth, height / stageHeight);
    // The named side is exact; the other follows the aspect.
    const int outWidth = width > 0 && (height <= 0 || width / stageWidth <= height / stageHeight) ? width
                                                                                                  : int(std::lround(stageWidth * scale));
    const int outHeight = height > 0 && (width <= 0 || height / stageHeight <= width / stageWidth) ? height
                                                                                                     : int(std::lround(stageHeight * scale));
    return QSize(std::max(1, outWidth), std::max(1, outHeight));
}

} // namespace vm::export_format
