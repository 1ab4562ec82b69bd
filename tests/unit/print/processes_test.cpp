#include "platform/system/linux_process_runner.h"
#include "platform/scripted/transcript_process_runner.h"
#include "tests/fakes/fake_platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(CommandLineSplit, FollowsTheWindowsQuotingRules)
{
    const QList<QPair<QString, QStringList>> cases = {
        {R"(convert.exe  -crop 10x10+34+45 "a b.eps")", {"convert.exe", "-crop", "10x10+34+45", "a b.eps"}},
        {R"("C:\Program Files\x.exe" arg)", {R"(C:\Program Files\x.exe)", "arg"}},
        {R"(a\\\"b)", {R"(a\"b)"}},          // 2n+1 backslashes: n and a literal quote
        {R"("a\\" b)", {R"(a\)", "b"}},       // 2n backslashes: n, and the quote ends the group
        {R"(a\b\\c)", {R"(a\b\\c)"}},        // backslashes not before a quote stay
        {R"("say ""hi""")", {R"(say "hi")"}}, // "" inside quotes is a quote
        {R"("" x)", {"", "x"}},               // an empty quoted argument counts
        {"tab\tseparated  ", {"tab", "separated"}},
        {"", {}},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(splitCommandLine(line), expected) << line.toStdString();
}

TEST(CommandLineSplit, QuotingGivesHostileArgumentsBackUnchanged)
{
    const QStringList hostile = {"plain", "with space", "quote\"inside", "trailing\\", "\\\\server\\share\\",
                                 "semi;colon $(rm -rf ~) `x`", "new\nline", "ümlaut ı ç", "", "a\\\"b"};
    // Quoted when needed (the process runner) and always (the converter lines).
    for (const bool always : {false, true}) {
        QString line;
        for (const QString& argument : hostile)
            line += quoteCommandLineArgument(argument, always) + QLatin1Char(' ');
        EXPECT_EQ(splitCommandLine(line), hostile) << always;
    }
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(not run)");
}

class LinuxProcessRunnerTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    LinuxProcessRunner runner;
};

TEST_F(LinuxProcessRunnerTest, InstallRunsGiveTheExitCodeAndMissingProgramsFailAtOnce)
{
    EXPECT_EQ(runner.runForExitCode("true"), 0);
    EXPECT_EQ(runner.runForExitCode("false"), 1);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(runner.runProcess(folder.path() + "/no such tool.exe -x", folder.path(), -1, 0, 128));
    EXPECT_FALSE(runner.runProcess("", folder.path(), -1, 0, 128));
    EXPECT_EQ(runner.runForExitCode("/nonexistent/tool"), -1);
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST_F(LinuxProcessRunnerTest, WaitsWithoutLimitOrUntilTheLimit)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(runner.runProcess("sleep 0.4", folder.path(), ProcessRunner::noTimeLimit, 0, 128));
    EXPECT_GE(clock.elapsed(), 380);

    clock.restart();
    EXPECT_TRUE(runner.runProcess("sleep 5", folder.path(), 100, 0, 128));
    EXPECT_LT(clock.elapsed(), 2000); // the tool goes on; the wait does not
}

TEST_F(LinuxProcessRunnerTest, ArgumentsReachTheToolWithoutAShell)
{
    const QString name = "it's a \"logo\"; $(touch pwned) `x` & ü ı.eps";
    const QString line = "touch " + quoteCommandLineArgument(name) + " plain.txt";
    EXPECT_TRUE(runner.runProcess(line, folder.path(), -1, 0, 128));
    EXPECT_TRUE(QFile::exists(folder.filePath(name)));
    EXPECT_TRUE(QFile::exists(folder.filePath("plain.txt")));
    EXPECT_FALSE(QFile::exists(folder.filePath("pwned")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(LinuxProcessRunnerTest, OnlyTheNamedProgramGetsItsOwnEnvironment)
{
    // Two copies of one tool that writes what it was given into its argument.
    for (const char* name : {"convert", "helper"}) {
        QFile tool(folder.filePath(name));
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\nprintf '%s' \"$XDG_CONFIG_HOME\" > \"$1\"\n");
        tool.close();
        tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner);
    }
    QProcessEnvironment converter = QProcessEnvironment::systemEnvironment();
    converter.insert("XDG_CONFIG_HOME", "/program/bin/config");
    runner.setProgramEnvironment(folder.path() + "/./convert", converter);
    const QByteArray own = qgetenv("XDG_CONFIG_HOME");
    const QString seen = folder.filePath("seen");
    auto seenBy = [&](const QString& line, const QString& cwd) {
        QFile::remove(seen);
        runner.runProcess(line + " " + quoteCommandLineArgument(seen), cwd, -1, 0, 128);
        return readAll(seen);
    };
    EXPECT_EQ(seenBy(folder.path() + "//convert", "/"), "/program/bin/config");
    EXPECT_EQ(seenBy("./convert", folder.path()), "/program/bin/config");
    EXPECT_EQ(seenBy(folder.path() + "/helper", "/"), own);
    // The printer helper's installing run, too, sees the user's own configuration.
    QFile::remove(seen);
    EXPECT_EQ(runner.runForExitCode(folder.path() + "/helper " + quoteCommandLineArgument(seen)), 0);
    EXPECT_EQ(readAll(seen), own);
}

TEST(TranscriptProcessRunner, WritesOneLinePerRun)
{
    QTemporaryDir folder;
    LinuxProcessRunner real;
    test::RecordingTrace trace;
    TranscriptProcessRunner runner(real, trace);
    runner.runProcess("true \"a b\"", folder.path(), -1, 0, 128);
    runner.runForExitCode("/nonexistent/x");
    EXPECT_EQ(trace.matching("run "),
              QStringList({"run \"true \\\"a b\\\"\" cwd=\"" + folder.path() + "\" wait=1 -> true",
                           "run \"/nonexistent/x\" cwd=\"" + QDir::currentPath() + "\" wait=1 -> -1"}));
}

} // namespace
} // namespace vm
