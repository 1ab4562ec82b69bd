#include "canvas/logo/png_file.h"
#include "export/brand_pack.h"
#include "export/ico_file.h"
#include "export/logo_export.h"
#include "tests/unit/export/export_test_support.h"

#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

namespace vm::export_test {
namespace {

QImage straight(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

QImage gradient(const QSize& size, bool opaque)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgba(x * 255 / size.width(), y * 255 / size.height(), (x * y) % 251, opaque ? 255 : (x + y) % 256));
    return image;
}

// Every way the writer lays pixels out must read back exactly: palettes of
// 1, 2, 4 and 8 bits (odd widths end their rows mid-byte), grey, grey with
// alpha, RGB and RGBA, and the fast packing of work files.
TEST(PngFile, EveryLayoutReadsBackPixelForPixel)
{
    QList<QImage> pictures;
    for (const int colours : {2, 4, 16, 200}) {
        QImage image(13, 7, QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int entry = (x * 7 + y * 3) % colours;
                image.setPixel(x, y, entry == 0 ? qRgba(0, 0, 0, 0) : qRgba(entry, 255 - entry, entry / 2, entry % 3 ? 255 : 128));
            }
        pictures.append(image);
    }
    QImage grey(300, 20, QImage::Format_ARGB32), greyAlpha(300, 20, QImage::Format_ARGB32);
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 20; ++y) {
            grey.setPixel(x, y, qRgb(x % 256, x % 256, x % 256));
            greyAlpha.setPixel(x, y, qRgba(y * 10, y * 10, y * 10, x % 256)); // more than 256 grey-alpha pairs
        }
    pictures << grey << greyAlpha << gradient(QSize(301, 203), true) << gradient(QSize(301, 203), false);
    QImage premultiplied(64, 64, QImage::Format_ARGB32_Premultiplied);
    premultiplied.fill(Qt::transparent);
    QPainter painter(&premultiplied);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(10, 120, 200, 180));
    painter.drawEllipse(4, 4, 56, 40);
    painter.end();
    pictures << premultiplied;

    for (qsizetype index = 0; index < pictures.size(); ++index) {
        for (const auto packing : {png_file::Packing::Small, png_file::Packing::Fast}) {
            const QByteArray png = png_file::encode(pictures[index], packing);
            ASSERT_TRUE(png.startsWith("\x89PNG")) << index;
            EXPECT_EQ(straight(QImage::fromData(png, "PNG")), straight(pictures[index])) << "picture " << index;
        }
    }
    EXPECT_TRUE(png_file::encode(QImage()).isEmpty());
}

class PngPackingTest : public ExportFixture {
protected:
    // The bytes ImageMagick packs the same pixels into.
    qint64 imageMagickBytes(const QByteArray& png)
    {
        const QString in = path(QStringLiteral("in.png")), out = path(QStringLiteral("out.png"));
        QFile file(in);
        file.open(QIODevice::WriteOnly);
        file.write(png);
        file.close();
        QFile::remove(out);
        QProcess convert;
        convert.start(QStandardPaths::findExecutable(QStringLiteral("convert")), {in, QStringLiteral("-strip"), out});
        convert.waitForFinished(60000);
        return QFileInfo(out).size();
    }
    void expectAsSmall(const QByteArray& png, const QString& what)
    {
        const qint64 theirs = imageMagickBytes(png);
        ASSERT_GT(theirs, 0) << what.toStdString();
        EXPECT_LE(double(png.size()), 1.15 * double(theirs)) << what.toStdString() << ": " << png.size() << " against " << theirs;
    }
};

// What the user receives, by the program's routes: an exported PNG, a picture
// of many colours with and without alpha, and every PNG of a brand pack with
// the favicon's entries.
TEST_F(PngPackingTest, HandedOverPngsAreAsSmallAsImageMagicksWithin15Percent)
{
    if (QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty())
        GTEST_SKIP() << "ImageMagick is not installed";
    ExportOptions wide;
    wide.width = 1024;
    ASSERT_TRUE(logo_export::write(path(QStringLiteral("wide.png")), ExportFormat::Png, logo, renderer, wide).ok);
    expectAsSmall(readFile(path(QStringLiteral("wide.png"))), QStringLiteral("export"));
    expectAsSmall(png_file::encode(gradient(QSize(400, 300), true)), QStringLiteral("opaque gradient"));
    expectAsSmall(png_file::encode(gradient(QSize(400, 300), false)), QStringLiteral("gradient with alpha"));

    if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty())
        GTEST_SKIP() << "Ghostscript is not installed";
    BrandPack pack(logo, renderer, path(QStringLiteral("pack")));
    ASSERT_TRUE(pack.run()) << pack.error().reason.toStdString();
    int pictures = 0;
    for (const QString& name : BrandPack::fileNames()) {
        const QByteArray bytes = readFile(path(QStringLiteral("pack/") + name));
        if (name.endsWith(QLatin1String(".png"))) {
            expectAsSmall(bytes, name);
            ++pictures;
        }
        if (!name.endsWith(QLatin1String(".ico")))
            continue;
        const int entries = int(ico_file::entrySizes(bytes).size());
        ASSERT_EQ(entries, 3);
        for (int index = 0; index < entries; ++index) {
            const char* entry = bytes.constData() + 6 + 16 * index;
            expectAsSmall(bytes.mid(qFromLittleEndian<quint32>(entry + 12), qFromLittleEndian<quint32>(entry + 8)),
                          name + QString::number(index));
            ++pictures;
        }
    }
    EXPECT_EQ(pictures, 14);
}

} // namespace
} // namespace vm::export_test
