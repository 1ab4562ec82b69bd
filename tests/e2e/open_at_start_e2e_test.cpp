#include "tests/e2e/session_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace vm::e2e {
namespace {

QString openLine(const QString& path)
{
    return QStringLiteral("toFlash \"result open\" \"") + path + QStringLiteral("\u00e6null\" -> true");
}

// A project named on the command line opens as from Open Project: the real
// canvas draws it, the history lists it, and the file stays as it was. A
// damaged one is refused with the canvas's message and leaves the history alone.
TEST(OpenAtStartSession, AProjectOnTheCommandLineOpensOnceReadyAndADamagedOneIsRefused)
{
    InstalledProgram program;
    const QString logo = program.installRoot() + QStringLiteral("my logos/first logo.vmp");
    QDir().mkpath(QFileInfo(logo).path());
    const QByteArray content = "<VantamorphLogo version=\"2\" width=\"507\" height=\"397\" background=\"#ffffff\"/>";
    writeFile(logo, content);
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference"), logo};
    const auto opened = program.run("wait ready\nwait 500\ndump state\n", QString(), 30000);
    ASSERT_EQ(opened.exitCode, 0) << opened.shown();
    EXPECT_TRUE(opened.transcript.contains(openLine(logo))) << opened.shown();
    EXPECT_TRUE(opened.transcript.contains(QStringLiteral("state CurrentProjectFile ") + QString::fromUtf8(quoted(logo))))
        << opened.shown();
    EXPECT_TRUE(matching(opened.transcript, QStringLiteral("log ")).isEmpty()) << opened.shown();
    EXPECT_TRUE(readFile(program.file(QStringLiteral("App.Config"))).contains(logo.toUtf8()));
    EXPECT_EQ(readFile(logo), content);

    const QString damaged = program.installRoot() + QStringLiteral("damaged.vmp");
    writeFile(damaged, "<VantamorphLogo version=\"1\"><text");
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference"), damaged};
    const auto refused = program.run("answer alert \"ok\"\nwait ready\nwait 500\ndump state\n", QString(), 30000);
    ASSERT_EQ(refused.exitCode, 0) << refused.shown();
    EXPECT_TRUE(refused.has(QStringLiteral("toFlash \"result open\" \"") + damaged)) << refused.shown();
    EXPECT_TRUE(refused.has(QStringLiteral("state CurrentProjectFile \"New\""))) << refused.shown();
    const QByteArray history = readFile(program.file(QStringLiteral("App.Config")));
    EXPECT_FALSE(history.contains(damaged.toUtf8()));
    EXPECT_TRUE(history.contains(logo.toUtf8()));
}

// Opened from the file manager while the program runs: the running copy on
// the same desktop opens it, and the new copy ends without a window.
TEST(OpenAtStartSession, ASecondCopyHandsItsProjectToTheRunningCopy)
{
    InstalledProgram program;
    const QString desktop = QStringLiteral("e2e-open-%1").arg(QCoreApplication::applicationPid());
    QProcess first;
    program.startScript(first, "wait ready\nwait 6000\n", desktop);
    QElapsedTimer clock;
    clock.start();
    while (!InstalledProgram::transcriptOf(first).contains(QStringLiteral("window frmMain shown")) && clock.elapsed() < 10000)
        QThread::msleep(50);
    ASSERT_TRUE(InstalledProgram::transcriptOf(first).contains(QStringLiteral("window frmMain shown")));

    const QString logo = program.installRoot() + QStringLiteral("handed.vmp");
    writeFile(logo, "<VantamorphLogo version=\"2\"/>");
    program.extraArguments = {logo};
    const auto second = program.run("wait 3000\n", desktop);
    EXPECT_EQ(second.exitCode, 0) << second.shown();
    EXPECT_FALSE(second.transcript.contains(QStringLiteral("window frmMain shown"))) << second.shown();
    EXPECT_FALSE(second.has(QStringLiteral("result open"))) << second.shown();

    clock.restart();
    while (!InstalledProgram::transcriptOf(first).contains(openLine(logo)) && clock.elapsed() < 5000)
        QThread::msleep(50);
    EXPECT_TRUE(InstalledProgram::transcriptOf(first).contains(openLine(logo)))
        << InstalledProgram::transcriptOf(first).join('\n').toStdString();
    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace vm::e2e
