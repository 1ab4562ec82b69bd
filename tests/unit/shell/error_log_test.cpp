#include "bridge/canvas_link.h"
#include "canvas/player/movie_player.h"
#include "shell/log/error_log.h"
#include "shell/log/error_trap.h"
#include "tests/fakes/fake_platform.h"
#include "tests/support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm {
namespace {

const QDateTime sampleTime(QDate(2026, 12, 5), QTime(18, 14, 29));

using test::readFile;

TEST(ErrorLogTest, TimestampFollowsTheSystemsShortDateAndLongTime)
{
    EXPECT_EQ(ErrorLog::formatTimestamp(sampleTime, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("12/5/2026 6:14:29 PM"));
    // A day-first locale keeps its own order, still with the full year.
    const QString german = ErrorLog::formatTimestamp(sampleTime, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(german.startsWith(QStringLiteral("05.12.2026 18:14:29"))) << german.toStdString();
}

TEST(ErrorLogTest, EntriesAreSixCrlfLinesAppendedToOneFile)
{
    QTemporaryDir folder;
    test::RecordingTrace trace;
    ErrorLog log(folder.path(), trace, QLocale(QLocale::English, QLocale::UnitedStates), [] { return sampleTime; });
    ASSERT_FALSE(QFile::exists(log.path()));

    log.write(5, QStringLiteral("Invalid procedure call or argument"), QStringLiteral("frmMain\\SaveIt"));
    log.write(53, QStringLiteral("File not found"), QStringLiteral("frmAlert\\Get Message"));

    const QByteArray separator(62, '-');
    const QByteArray expected = "\r\n" + separator + "\r\nDate : 12/5/2026 6:14:29 PM\r\nForm : frmMain\\SaveIt\r\n"
                                "Description :5 : Invalid procedure call or argument\r\n" + separator + "\r\n"
                                "\r\n" + separator + "\r\nDate : 12/5/2026 6:14:29 PM\r\nForm : frmAlert\\Get Message\r\n"
                                "Description :53 : File not found\r\n" + separator + "\r\n";
    EXPECT_EQ(readFile(log.path()), expected);
    EXPECT_EQ(trace.lines, (QStringList{QStringLiteral("log \"frmMain\\\\SaveIt\""),
                                        QStringLiteral("log \"frmAlert\\\\Get Message\"")}));
}

TEST(ErrorLogTest, UnwritableLogIsSkippedAndTheProgramGoesOn)
{
    QTemporaryDir folder;
    test::RecordingTrace trace;
    ErrorLog log(folder.path() + QStringLiteral("/missing/folder"), trace);
    log.write(70, QStringLiteral("Permission denied"), QStringLiteral("frmMain\\Form_Load"));
    EXPECT_FALSE(QFile::exists(log.path()));

    // A folder where the log file should be cannot be opened as a file either.
    QDir(folder.path()).mkpath(QStringLiteral("Error.log"));
    ErrorLog blocked(folder.path(), trace);
    blocked.write(70, QStringLiteral("Permission denied"), QStringLiteral("frmMain\\Form_Load"));
    EXPECT_EQ(trace.lines.size(), 2);
}

TEST(ErrorTrapTest, LogsFailuresUnderTheLabelAndLeavesTheRoutine)
{
    QTemporaryDir folder;
    test::RecordingTrace trace;
    ErrorLog log(folder.path(), trace);
    ErrorTrap trap(log);

    bool reachedEnd = false;
    EXPECT_FALSE(trap.run(QStringLiteral("frmMain\\SaveIt"), [&] {
        throw RunTimeError(75, QStringLiteral("Path/File access error"));
        reachedEnd = true;
    }));
    EXPECT_FALSE(reachedEnd);
    EXPECT_TRUE(readFile(log.path()).contains("Description :75 : Path/File access error"));

    EXPECT_EQ(trap.value(QStringLiteral("x\\y"), 7, [] { return 3; }), 3);
    EXPECT_EQ(trap.value(QStringLiteral("x\\y"), 7, []() -> int { throw std::runtime_error("boom"); }), 7);

    // Statement by statement: a failure does not stop the statements after it.
    ResumeNext resume(trap, QStringLiteral("frmSaveLogo\\imgSave_Click"));
    int ran = 0;
    resume([&] { ++ran; });
    resume([&] { throw RunTimeError(53, QStringLiteral("File not found")); });
    resume([&] { ++ran; });
    EXPECT_EQ(ran, 2);
    EXPECT_TRUE(resume.anyFailed());
    EXPECT_EQ(trace.lines.size(), 3);
}

// A canvas whose clip call fails, as a broken player control's would.
struct FailingPlayer : MoviePlayer {
    using MoviePlayer::MoviePlayer;
    void tPlay(const QString&) override
    {
        throw RunTimeError(error_number::Automation, QStringLiteral("Method 'skwFlash' failed"));
    }
};

TEST(ErrorTrapTest, AFailedCanvasCallIsLoggedUnderItsOwnLabel)
{
    QTemporaryDir folder;
    test::RecordingTrace trace;
    ErrorLog log(folder.path(), trace);
    ErrorTrap trap(log);
    FailingPlayer canvas(QStringLiteral("skwFlash"), trace);
    CanvasLink link(canvas, trap, trace);
    EXPECT_FALSE(link.toFlash(QStringLiteral("show undo"), QStringLiteral("True")));
    EXPECT_TRUE(readFile(log.path()).contains("\r\nForm : frmMain\\toFlash\r\nDescription :440 : Method"));
}

} // namespace
} // namespace vm
