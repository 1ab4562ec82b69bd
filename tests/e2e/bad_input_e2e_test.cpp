#include "tests/e2e/session_runner.h"

namespace vm::e2e {
namespace {

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

TEST(BadInputSession, GarbledLanguageFileMissingIconAndAnUnwritableErrorLogDoNotStopTheProgram)
{
    InstalledProgram program;
    QFile language(program.file(QStringLiteral("Xml/english.xml")));
    ASSERT_TRUE(language.open(QIODevice::WriteOnly));
    language.write(QByteArray("\x00\xff<Root><LANGUAGEOPTIONS><CONVERTERITEM NAME='x", 46));
    language.close();
    QFile::remove(program.file(QStringLiteral("Images/cut.bmp")));
    // A folder in the log's place cannot be opened for appending, even by root.
    QDir().mkpath(program.file(QStringLiteral("Error.log")));
    const auto result = program.run("wait ready\nmenu \"mnuCut\"\n");
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("log \"frmMain\\\\pGetPicture\"")));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("toFlash \"show cut\" \"True\" -> true")));
}

TEST(BadInputSession, HostileCanvasCommandsOnlyLeaveLogLines)
{
    InstalledProgram program;
    QByteArray script = "wait ready\n";
    const QByteArray huge(2 * 1024 * 1024, 'x');
    for (const char* name : {"SHOW STARTUP", "publishtransparentimage", "istextedit", "quick help", "wizard finish",
                             "fmloaded", "show alerto", "nonsense", "DataToSave"}) {
        script += "canvas \"" + QByteArray(name) + "\" \"\"\n";
        script += "canvas \"" + QByteArray(name) + "\" \"\xc3\xa6\\n\\t\xc3\xa6\xf0\x9f\x98\x80</string>&\"\n";
        script += "canvas \"" + QByteArray(name) + "\" \"" + huge + "\"\n";
    }
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    EXPECT_EQ(result.transcript.last(), QStringLiteral("exit 0"));
}

} // namespace
} // namespace vm::e2e
