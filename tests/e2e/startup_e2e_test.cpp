#include "tests/e2e/session_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace vm::e2e {
namespace {

// The order of the start is the shell's start-up test; here the installed
// program folder is complete (the movie where the program looks, nothing
// logged), and a first logo is saved under a name it asks for, listed first in
// the history, and opened from there by the next run.
TEST(StartupSession, TheInstalledProgramStartsSavesALogoAndTheNextRunReopensIt)
{
    InstalledProgram program;
    const QString target = program.installRoot() + QStringLiteral("logo one.vmp");
    const QByteArray logo = "<logo v=\"1\">\n  <!-- k\xc3\xa6p -->\n  <text>A \xc3\xa6 B</text>\n</logo>";
    const QByteArray script = "wait ready\ndump menu\ndump state\ncanvas \"datatosave\" \"true\"\nanswer savefile " + quoted(target)
                              + "\nkey \"Ctrl+S\"\ncanvas \"show save\" " + quoted(target + QChar(0x00E6) + QString::fromUtf8(logo)).replace("\n", "\\n")
                              + "\ndump state\ndump menu\n";
    const auto result = program.run(script);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    const QStringList& lines = result.transcript;
    const QString movie = QStringLiteral("movie \"skwFlash\" \"") + program.installRoot() + QStringLiteral("/flash/LogoMain.swf\"");
    EXPECT_TRUE(lines.contains(movie)) << result.shown();
    EXPECT_TRUE(lines.contains(QStringLiteral("item \"mnuBondingObjects\" parent=\"mnuObject\" caption=\"Show &Selection Frame\" enabled=1 checked=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("state InstallRoot \"") + program.installRoot() + QStringLiteral("\"")));
    EXPECT_EQ(lines.last(), QStringLiteral("exit 0"));
    EXPECT_TRUE(matching(lines, QStringLiteral("log ")).isEmpty());

    EXPECT_FALSE(matching(lines, QStringLiteral("filedialog save \"Save Project\" \"Vantamorph Logos (*.vmp)| *.vmp\"")).isEmpty());
    EXPECT_EQ(readFile(target), logo);
    EXPECT_EQ(matching(lines, QStringLiteral("state IsDirty")).last(), QStringLiteral("state IsDirty false"));
    EXPECT_TRUE(lines.contains(QStringLiteral("state CurrentProjectFile ") + QString::fromUtf8(quoted(target))));
    EXPECT_TRUE(lines.contains(QStringLiteral("item \"mnuFile1\" parent=\"mnuRecent\" caption=") + QString::fromUtf8(quoted(target))
                               + QStringLiteral(" enabled=1 checked=0")));
    EXPECT_TRUE(readFile(program.file(QStringLiteral("App.Config"))).contains(target.toUtf8()));

    const auto reopen = program.run("wait ready\nmenu \"mnuFile1\"\n");
    EXPECT_TRUE(reopen.transcript.contains(QStringLiteral("toFlash \"result open\" \"") + target + QStringLiteral("\u00e6null\" -> true")))
        << reopen.shown();
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

TEST(BadInputSession, MissingLanguageFileIsReportedAndTheProgramRunsWithEmptyCaptions)
{
    InstalledProgram program;
    QFile::remove(program.file(QStringLiteral("Xml/english.xml")));
    const auto result = program.run("wait ready\ndump menu\n");
    ASSERT_EQ(result.exitCode, 0);
    const QString message = QStringLiteral("msgbox \"Failed to load <") + program.file(QStringLiteral("Xml/english.xml"))
                            + QStringLiteral(">.\\r\\n\\r\\nPlease make sure that the file exist in application folder.\" title=\"Vantamorph\"");
    EXPECT_FALSE(matching(result.transcript, message).isEmpty()) << result.shown();
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("item \"mnuSave\" parent=\"mnuProject\" caption=\"\" enabled=1 checked=0")));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("log \"frmMain\\\\SetLanguage\"")));
    EXPECT_TRUE(program.errorLog().contains("Form : frmMain\\SetLanguage\r\n"));
}

// A garbled language file, a missing icon and an error log that cannot be
// written, then canvas commands of every name with empty, odd and huge
// arguments: the program lives on and only logs.
TEST(BadInputSession, GarbledFilesAndHostileCanvasCommandsDoNotStopTheProgram)
{
    InstalledProgram program;
    QFile language(program.file(QStringLiteral("Xml/english.xml")));
    ASSERT_TRUE(language.open(QIODevice::WriteOnly));
    language.write(QByteArray("\x00\xff<Root><LANGUAGEOPTIONS><CONVERTERITEM NAME='x", 46));
    language.close();
    QFile::remove(program.file(QStringLiteral("Images/cut.bmp")));
    // A folder in the log's place cannot be opened for appending, even by root.
    QDir().mkpath(program.file(QStringLiteral("Error.log")));
    QByteArray script = "wait ready\nmenu \"mnuCut\"\n";
    const QByteArray huge(2 * 1024 * 1024, 'x');
    for (const char* name : {"SHOW STARTUP", "publishtransparentimage", "istextedit", "quick help", "wizard finish",
                             "fmloaded", "show alerto", "nonsense", "DataToSave"}) {
        script += "canvas \"" + QByteArray(name) + "\" \"\"\n";
        script += "canvas \"" + QByteArray(name) + "\" \"\xc3\xa6\\n\\t\xc3\xa6\xf0\x9f\x98\x80</string>&\"\n";
        script += "canvas \"" + QByteArray(name) + "\" \"" + huge + "\"\n";
    }
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("log \"frmMain\\\\pGetPicture\"")));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("toFlash \"show cut\" \"True\" -> true")));
    EXPECT_EQ(result.transcript.last(), QStringLiteral("exit 0"));
}

} // namespace
} // namespace vm::e2e
