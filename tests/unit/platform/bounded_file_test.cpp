#include "platform/api/bounded_file.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vm {
namespace {

// Pipes, folders, devices and huge files are refused at once, with the real cause.
TEST(BoundedFile, RefusesWhatIsNotAnOrdinaryFileWithoutBlocking)
{
    QTemporaryDir folder;
    const QString pipe = folder.filePath("pipe.vmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString zeroLink = folder.filePath("zero.svg");
    ASSERT_TRUE(QFile::link("/dev/zero", zeroLink));
    const QString sparse = folder.filePath("sparse.vmp");
    {
        QFile file(sparse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(6) << 30));
    }

    QElapsedTimer clock;
    clock.start();
    const BoundedRead fromPipe = readBoundedFile(pipe, 1024);
    EXPECT_EQ(fromPipe.failure, ReadFailure::NotAFile);
    EXPECT_TRUE(fromPipe.reason.contains("a pipe")) << fromPipe.reason.toStdString();
    EXPECT_EQ(readBoundedFile(folder.path(), 1024).failure, ReadFailure::NotAFile);
    EXPECT_TRUE(readBoundedFile(folder.path(), 1024).reason.contains("a folder"));
    EXPECT_EQ(readBoundedFile(zeroLink, 1024).failure, ReadFailure::NotAFile);
    EXPECT_EQ(readBoundedFile(sparse, 1 << 20).failure, ReadFailure::TooLarge);
    EXPECT_EQ(checkBoundedFile(pipe, 1024).failure, ReadFailure::NotAFile);
    EXPECT_EQ(readBoundedFile(folder.filePath("gone"), 1024).failure, ReadFailure::Missing);
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(BoundedFile, ReadsAFileUpToItsLimitExactly)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("logo.vmp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, 'x'));
    file.close();
    const BoundedRead whole = readBoundedFile(path, 100);
    EXPECT_TRUE(whole.ok());
    EXPECT_EQ(whole.bytes, QByteArray(100, 'x'));
    EXPECT_EQ(readBoundedFile(path, 99).failure, ReadFailure::TooLarge);
    EXPECT_TRUE(readBoundedFile(path, 99).reason.contains("larger than"));

    const QString empty = folder.filePath("empty");
    QFile(empty).open(QIODevice::WriteOnly);
    EXPECT_TRUE(readBoundedFile(empty, 10).ok());
}

} // namespace
} // namespace vm
