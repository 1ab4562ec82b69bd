#include "export/logo_pictures.h"

#include "canvas/logo/png_file.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <mutex>
#include <wand/MagickWand.h>

namespace vm::logo_pictures {

namespace {
QImage blank(const QSize& pixels, const QColor& background)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(background.isValid() ? background : QColor(Qt::transparent));
    return image;
}

// Qt reads GIF but does not write it: ImageMagick turns the PNG into one,
// keeping full transparency as the GIF's transparent colour.
QByteArray gifFromPng(const QByteArray& png, QString* error)
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (IsMagickWandInstantiated() == MagickFalse)
            MagickWandGenesis();
    });
    MagickWand* wand = NewMagickWand();
    QByteArray gif;
    if (MagickReadImageBlob(wand, png.constData(), size_t(png.size())) == MagickTrue
        && MagickSetImageFormat(wand, "GIF") == MagickTrue) {
        size_t length = 0;
        if (unsigned char* bytes = MagickGetImageBlob(wand, &length)) {
            gif = QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(length));
            MagickRelinquishMemory(bytes);
        }
    }
    if (gif.isEmpty() && error) {
        ExceptionType severity;
        char* description = MagickGetException(wand, &severity);
        *error = QStringLiteral("cannot make the GIF: ") + QString::fromLocal8Bit(description);
        MagickRelinquishMemory(description);
    }
    DestroyMagickWand(wand);
    return gif;
}
} // namespace

QImage render(const LogoDocument& logo, const LogoRenderer& renderer, const QSize& pixels, const QColor& background)
{
    QImage image = blank(pixels, background);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QSize stage = logo.stageSize.isValid() && !logo.stageSize.isEmpty() ? logo.stageSize : QSize(1, 1);
    painter.scale(double(pixels.width()) / stage.width(), double(pixels.height()) / stage.height());
    renderer.draw(painter, logo);
    painter.end();
    return image;
}

QImage scaled(const QImage& picture, const QSize& pixels, const QColor& background)
{
    QImage image = blank(pixels, background);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), pixels), picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.end();
    return image;
}

QRect contentBounds(const QImage& picture)
{
    const QImage image = picture.format() == QImage::Format_ARGB32_Premultiplied
                             ? picture
                             : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first < 0)
            continue;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0)
        return image.rect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage placed(const QImage& picture, const QRect& content, const QSize& size, double padding, const QColor& background)
{
    QImage image = blank(size, background);
    if (image.isNull() || content.isEmpty())
        return image;
    const double margin = std::min(size.width(), size.height()) * padding;
    const QSizeF room(std::max(1.0, size.width() - 2 * margin), std::max(1.0, size.height() - 2 * margin));
    const double scale = std::min(room.width() / content.width(), room.height() / content.height());
    const QSize drawn(std::max(1, qRound(content.width() * scale)), std::max(1, qRound(content.height() * scale)));
    const QPoint origin((size.width() - drawn.width()) / 2, (size.height() - drawn.height()) / 2);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(origin, drawn), picture.copy(content).scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.end();
    return image;
}

QImage oneColour(const QImage& picture, const QColor& colour)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), colour);
    painter.end();
    return image;
}

QByteArray encode(const QImage& picture, ExportFormat format, QString* error)
{
    QImage image = picture;
    if (!export_format::keepsAlpha(format) && image.hasAlphaChannel()) {
        image = blank(picture.size(), Qt::white);
        QPainter painter(&image);
        painter.drawImage(0, 0, picture);
        painter.end();
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    const bool gif = format == ExportFormat::Gif;
    if (format == ExportFormat::Png || gif) {
        // A GIF is made by ImageMagick from a PNG it reads at once: that one only needs to be quick.
        const QByteArray png = png_file::encode(image, gif ? png_file::Packing::Fast : png_file::Packing::Small);
        if (png.isEmpty()) {
            if (error)
                *error = QStringLiteral("cannot encode the picture as PNG");
            return {};
        }
        return gif ? gifFromPng(png, error) : png;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, export_format::extension(format).toLatin1());
    if (format == ExportFormat::Jpg)
        writer.setQuality(95);
    if (!writer.write(image)) {
        if (error)
            *error = QStringLiteral("cannot encode the picture: ") + writer.errorString();
        return {};
    }
    buffer.close();
    return bytes;
}

} // namespace vm::logo_pictures
