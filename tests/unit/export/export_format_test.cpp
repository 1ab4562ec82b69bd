#include "export/export_format.h"
#include "export/ico_file.h"

#include <QImage>
#include <gtest/gtest.h>

namespace vm {
namespace {

// Other names and sizes are the export run's and the logo export's tests.
TEST(ExportFormat, ExtensionsInAnyCaseAndSizesAtTheEdges)
{
    EXPECT_EQ(export_format::fromPath(QStringLiteral("/a/logo.PNG")), ExportFormat::Png);
    EXPECT_EQ(export_format::fromPath(QStringLiteral("logo.jpeg")), ExportFormat::Jpg);
    EXPECT_EQ(export_format::fromPath(QStringLiteral("logo.tif")), ExportFormat::Tiff);
    EXPECT_EQ(export_format::fromPath(QStringLiteral("x.y/logo.svg")), ExportFormat::Svg);
    EXPECT_EQ(export_format::fromPath(QStringLiteral("png")), std::nullopt);
    const QSize stage(507, 397);
    EXPECT_EQ(export_format::scaledSize(stage, 0, 0), stage);
    EXPECT_EQ(export_format::scaledSize(stage, 1, 0), QSize(1, 1));
    EXPECT_EQ(export_format::scaledSize(stage, 300, 300), QSize(300, 235));
    EXPECT_EQ(export_format::scaledSize(QSize(0, 0), 50, 0), QSize(50, 50));
}

TEST(IcoFile, HoldsEachSizeAsAnEntryTheSystemCanRead)
{
    QList<QImage> pictures;
    for (const int side : {16, 32, 48}) {
        QImage picture(side, side, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        picture.setPixelColor(side / 2, side / 2, Qt::red);
        pictures.append(picture);
    }
    const QByteArray bytes = ico_file::encode(pictures);
    EXPECT_EQ(ico_file::entrySizes(bytes), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    // Qt's own icon reader agrees.
    QImage read;
    ASSERT_TRUE(read.loadFromData(bytes, "ICO"));
    EXPECT_EQ(read.width(), 16);

    QImage large(257, 257, QImage::Format_ARGB32);
    large.fill(Qt::red);
    EXPECT_TRUE(ico_file::encode({large}).isEmpty());
    EXPECT_TRUE(ico_file::entrySizes(QByteArray("\0\0\1\0\5\0", 6)).isEmpty()); // five entries promised, none there
    EXPECT_TRUE(ico_file::entrySizes(QByteArray("GIF89a")).isEmpty());
}

} // namespace
} // namespace vm
