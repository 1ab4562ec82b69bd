#include "canvas/logo/soft_shadow.h"

#include <QColor>
#include <vector>

namespace vm {

namespace {

// One box blur of a row or column of alpha values, in place (a running sum).
void boxBlur(std::vector<float>& values, int count, int stride, int offset, int radius, std::vector<float>& scratch)
{
    scratch.assign(size_t(count), 0);
    const float width = float(2 * radius + 1);
    float sum = 0;
    const auto at = [&](int index) { return index < 0 || index >= count ? 0.f : values[size_t(offset + index * stride)]; };
    for (int index = -radius; index <= radius; ++index)
        sum += at(index);
    for (int index = 0; index < count; ++index) {
        scratch[size_t(index)] = sum / width;
        sum += at(index + radius + 1) - at(index - radius);
    }
    for (int index = 0; index < count; ++index)
        values[size_t(offset + index * stride)] = scratch[size_t(index)];
}

} // namespace

QImage softShadow(const QImage& drawing, double radius, const QColor& colour)
{
    const QImage source = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = source.width();
    const int height = source.height();
    std::vector<float> alpha(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x)
            alpha[size_t(y) * size_t(width) + size_t(x)] = float(qAlpha(line[x]));
    }
    // Three box blurs come close to a Gaussian of the same reach.
    const int box = std::max(0, int(std::lround(radius / 2)));
    std::vector<float> scratch;
    for (int pass = 0; pass < 3 && box > 0; ++pass) {
        for (int y = 0; y < height; ++y)
            boxBlur(alpha, width, 1, y * width, box, scratch);
        for (int x = 0; x < width; ++x)
            boxBlur(alpha, height, width, x, box, scratch);
    }
    QImage shadow(width, height, QImage::Format_ARGB32_Premultiplied);
    const double tint = colour.alphaF() / 255.0;
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double coverage = std::clamp(double(alpha[size_t(y) * size_t(width) + size_t(x)]) * tint, 0.0, 1.0);
            line[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), int(std::lround(coverage * 255))));
        }
    }
    return shadow;
}

} // namespace vm
