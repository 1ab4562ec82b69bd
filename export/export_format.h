#pragma once

#include <QSize>
#include <QString>
#include <optional>

namespace vm {

// The files a logo can be exported as, picked by the target's extension.
enum class ExportFormat { Png, Jpg, Gif, Tiff, Eps, Svg, Pdf };

namespace export_format {

// The largest side a picture may have, and the smallest.
inline constexpr int maxSide = 20000;

// png, jpg/jpeg, gif, tif/tiff, eps, svg, pdf, in any letter case.
std::optional<ExportFormat> fromPath(const QString& path);
QString extension(ExportFormat format); // "png"
bool isRaster(ExportFormat format);
// Only PNG, GIF and TIFF keep see-through pixels.
bool keepsAlpha(ExportFormat format);

// The pixel size for a requested width and/or height (0: not given), the
// stage's aspect kept; both given: the largest size inside that box. Neither:
// the stage itself.
QSize scaledSize(const QSize& stage, int width, int height);

} // namespace export_format
} // namespace vm
