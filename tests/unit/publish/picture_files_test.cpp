#include "publish/picture_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::picture_files {
namespace {

TEST(PictureFilesTest, DecodesStandardBase64AndRefusesAnythingElse)
{
    EXPECT_EQ(DecodeBase64(QStringLiteral("iVBORw0KGgo=")), QByteArray("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(DecodeBase64(QStringLiteral("aGVs\r\nbG8=")), QByteArray("hello"));
    EXPECT_FALSE(DecodeBase64(QString()));
    EXPECT_FALSE(DecodeBase64(QStringLiteral("not base64!")));
    EXPECT_FALSE(DecodeBase64(QStringLiteral("aGVsbG8")));      // missing padding
    EXPECT_FALSE(DecodeBase64(QStringLiteral("aGVs\u00e6bG8=")));
    EXPECT_FALSE(DecodeBase64(QStringLiteral("aGVsbG8=aGVs")));  // data after the padding
}

TEST(PictureFilesTest, WritesWholeOrLeavesTheOldFile)
{
    QTemporaryDir folder;
    const QString target = folder.path() + QStringLiteral("/logo.png");
    ASSERT_TRUE(FileWriteBinary("first", target));
    ASSERT_TRUE(FileWriteBinary("second", target));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("second"));
    EXPECT_FALSE(FileWriteBinary("x", folder.path() + QStringLiteral("/missing/logo.png")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("logo.png")});
}

} // namespace
} // namespace vm::picture_files
