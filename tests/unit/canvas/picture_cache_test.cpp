// A picture file replaced under the same name is drawn anew, not from memory.
#include "canvas/logo/logo_renderer.h"
#include "canvas_test_support.h"
#include "platform/api/atomic_file.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

QByteArray png(const QColor& colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(PictureCache, APictureReplacedUnderItsNameIsReadAgain)
{
    QTemporaryDir images;
    const QString path = images.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(writeFileAtomically(path, png(Qt::red)).ok);
    LogoRenderer renderer{{sourceDataFolder(), images.path()}};
    LogoDocument logo;
    LogoElement picture;
    picture.kind = ElementKind::Picture;
    picture.picture = QStringLiteral("photo.png");
    picture.position = QPointF(10, 10);
    picture.size = QSizeF(40, 40);
    logo.elements = {picture};
    EXPECT_EQ(renderer.render(logo, 1.0, Qt::white).pixelColor(30, 30), QColor(Qt::red));

    // Uploaded again a moment later: a new file in its place.
    ASSERT_TRUE(writeFileAtomically(path, png(Qt::blue)).ok);
    QFile replaced(path);
    ASSERT_TRUE(replaced.open(QIODevice::ReadWrite));
    ASSERT_TRUE(replaced.setFileTime(QDateTime::currentDateTime().addSecs(2), QFileDevice::FileModificationTime));
    replaced.close();
    EXPECT_EQ(renderer.render(logo, 1.0, Qt::white).pixelColor(30, 30), QColor(Qt::blue));
}

} // namespace
} // namespace vm::test
