// Two copies of the program run by one user: each works in its own folder, and
// one's end removes only its own and those of copies that are gone.
#include "shell/temp_folder.h"
#include "tests/unit/shell/host_fixture.h"

#include <QProcess>

namespace vm::test {
namespace {

using WorkFolderTest = HostFixture;

qint64 endedProcessId()
{
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ended.waitForFinished();
    return ended.processId() > 0 ? ended.processId() : 999999999; // an id no process has
}

TEST_F(WorkFolderTest, AnEndRemovesOnlyItsOwnFolderAndThoseOfCopiesThatAreGone)
{
    startToReady();
    const QString shared = sharedWorkFolderOf(host->state) + QLatin1Char('/');
    const QString own = workFolderOf(host->state);
    ASSERT_TRUE(QFileInfo(own).isDir());
    writeFile(own + QStringLiteral("/logo.eps"), "mine");

    QProcess running; // another copy, still printing
    running.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(running.waitForStarted());
    const QString other = shared + QString::number(running.processId());
    writeFile(other + QStringLiteral("/logo.eps"), "theirs");
    const QString gone = shared + QString::number(endedProcessId());
    writeFile(gone + QStringLiteral("/logo.eps"), "left by a crash");
    const QString notOurs = shared + QStringLiteral("notes");
    writeFile(notOurs + QStringLiteral("/keep.txt"), "keep");
    // A link named like a copy's folder goes nowhere near what it names.
    const QString outside = root.path() + QStringLiteral("/outside");
    writeFile(outside + QStringLiteral("/keep.txt"), "keep");
    const QString link = shared + QString::number(endedProcessId() + 1);
    ASSERT_TRUE(QFile::link(outside, link));

    host->mainForm.closeBox();
    EXPECT_EQ(process.exits, QList<int>{0});
    EXPECT_FALSE(QFileInfo::exists(own));
    EXPECT_FALSE(QFileInfo::exists(gone));
    EXPECT_EQ(readFile(other + QStringLiteral("/logo.eps")), QByteArray("theirs"));
    EXPECT_EQ(readFile(notOurs + QStringLiteral("/keep.txt")), QByteArray("keep"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(outside + QStringLiteral("/keep.txt")), QByteArray("keep"));
    running.kill();
    running.waitForFinished();
}

} // namespace
} // namespace vm::test
