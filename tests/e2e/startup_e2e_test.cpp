#include "tests/e2e/session_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace vm::e2e {
namespace {

// The order of the start is the shell's start-up test; here the installed
// program folder is complete: the movie where the program looks, nothing logged.
TEST(StartupSession, TheInstalledProgramStartsFromItsOwnFolderWithoutAFailureAndEnds)
{
    InstalledProgram program;
    const auto result = program.run("wait ready\ndump menu\ndump state\n");
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    const QStringList& lines = result.transcript;
    const QString movie = QStringLiteral("movie \"skwFlash\" \"") + program.installRoot() + QStringLiteral("/flash/LogoMain.swf\"");
    EXPECT_TRUE(lines.contains(movie)) << result.shown();
    EXPECT_TRUE(lines.contains(QStringLiteral("item \"mnuBondingObjects\" parent=\"mnuObject\" caption=\"Show &Selection Frame\" enabled=1 checked=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("state InstallRoot \"") + program.installRoot() + QStringLiteral("\"")));
    EXPECT_EQ(lines.last(), QStringLiteral("exit 0"));
    EXPECT_TRUE(matching(lines, QStringLiteral("log ")).isEmpty());
}

TEST(StartupSession, ASecondCopyOnTheSameDesktopHandsOverAndEndsWithoutAWindow)
{
    InstalledProgram program;
    const QString desktop = QStringLiteral("e2e-%1").arg(QCoreApplication::applicationPid());
    QProcess first;
    program.startScript(first, "wait 6000\n", desktop);
    QElapsedTimer clock;
    clock.start();
    while (!InstalledProgram::transcriptOf(first).contains(QStringLiteral("window frmMain shown")) && clock.elapsed() < 10000)
        QThread::msleep(50);
    ASSERT_TRUE(InstalledProgram::transcriptOf(first).contains(QStringLiteral("window frmMain shown")));

    const auto second = program.run("wait 3000\n", desktop);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_FALSE(second.transcript.contains(QStringLiteral("window frmMain shown")));
    EXPECT_TRUE(matching(second.transcript, QStringLiteral("movie")).isEmpty());
    EXPECT_EQ(second.transcript.last(), QStringLiteral("exit 0"));

    // Another desktop sees no running copy.
    const auto elsewhere = program.run("wait ready\n", desktop + QStringLiteral("-other"));
    EXPECT_TRUE(elsewhere.transcript.contains(QStringLiteral("window frmMain shown")));

    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace vm::e2e
