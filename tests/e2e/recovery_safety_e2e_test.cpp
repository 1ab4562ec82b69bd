#include "tests/e2e/session_runner.h"

namespace vm::e2e {
namespace {

const QByteArray logo = "<VantamorphLogo version=\"2\" width=\"400\" height=\"300\">"
                        "<Text x=\"20\" y=\"20\" width=\"200\" height=\"60\" text=\"Kept\"/></VantamorphLogo>";

// The real program and canvas with a recovery folder it must not trust, and a
// decoy folder of the user's whose every byte must stay as it is.
class RecoverySafetySession : public ::testing::Test {
protected:
    void SetUp() override
    {
        program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
        program.environment.insert(QStringLiteral("VANTAMORPH_AUTOSAVE_SECONDS"), QStringLiteral("0.5"));
        writeFile(decoy() + QStringLiteral("/notes.txt"), "precious");
        writeFile(decoy() + QStringLiteral("/.hidden"), "hidden");
        writeFile(decoy() + QStringLiteral("/4242-deadbeef.vmp"), logo); // our names, not our folder
        writeFile(decoy() + QStringLiteral("/4242-deadbeef.lock"), "4242\n");
        before = test::folderSnapshot(decoy());
    }
    QString decoy() const { return program.installRoot() + QStringLiteral("decoy"); }
    QString recoveryFolder() const
    {
        return program.environment.value(QStringLiteral("XDG_STATE_HOME")) + QStringLiteral("/vantamorph/recovery");
    }

    InstalledProgram program;
    QMap<QString, QByteArray> before;
};

TEST_F(RecoverySafetySession, ALinkedRecoveryFolderIsRefusedAndWhatItNamesIsUntouched)
{
    QDir().mkpath(QFileInfo(recoveryFolder()).absolutePath());
    ASSERT_TRUE(QFile::link(decoy(), recoveryFolder()));
    const auto session = program.run(
        "wait ready\nmenu \"mnuAddText\"\nwait 1500\nanswer yesnocancel \"no\"\nmenu \"mnuExit\"\n");
    ASSERT_EQ(session.exitCode, 0) << session.shown();
    EXPECT_FALSE(session.has(QStringLiteral("did not close properly"))) << session.shown();
    EXPECT_EQ(matching(session.transcript, QStringLiteral("dialog frmAlert \"The recovery folder cannot be used (")).size(), 1)
        << session.shown();
    EXPECT_TRUE(program.errorLog().contains("is a link to another folder")) << program.errorLog().toStdString();
    EXPECT_EQ(test::folderSnapshot(decoy()), before) << "nothing cleaned, nothing autosaved there";
}

TEST_F(RecoverySafetySession, ARecordNamingSomeOtherFileRestoresAsANewLogoThatSaveAsksFor)
{
    writeFile(recoveryFolder() + QStringLiteral("/4242-deadbeef.vmp"), logo);
    writeFile(recoveryFolder() + QStringLiteral("/4242-deadbeef.json"),
              "{\"project\":" + quoted(decoy() + QStringLiteral("/notes.txt")) + "}");
    const QString target = program.installRoot() + QStringLiteral("restored.vmp");
    const auto session = program.run("answer yesno \"yes\"\nwait ready\nanswer savefile " + quoted(target)
                                     + "\nkey \"Ctrl+S\"\nwait 800\ndump state\n");
    ASSERT_EQ(session.exitCode, 0) << session.shown();
    const QStringList asked = matching(session.transcript, QStringLiteral("dialog frmMessageBoxYN"));
    ASSERT_EQ(asked.size(), 1) << session.shown();
    EXPECT_TRUE(asked[0].contains(QStringLiteral("the new logo you were working on"))) << asked[0].toStdString();
    EXPECT_TRUE(session.has(QStringLiteral("filedialog save"))) << "Save asks where: " << session.shown();
    EXPECT_TRUE(readFile(target).contains("text=\"Kept\"")) << readFile(target).toStdString();
    EXPECT_EQ(test::folderSnapshot(decoy()), before) << "the recorded file is never written";
}

} // namespace
} // namespace vm::e2e
