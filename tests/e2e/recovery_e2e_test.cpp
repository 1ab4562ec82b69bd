#include "tests/e2e/session_runner.h"

#include <QElapsedTimer>
#include <QThread>

namespace vm::e2e {
namespace {

int textsIn(const QByteArray& logo) { return int(logo.count("<Text ")); }

const QString question = QStringLiteral("dialog frmMessageBoxYN \"Vantamorph did not close properly.");

// The real program with the real canvas, autosaving every half second into a
// recovery folder of its own.
class RecoverySession : public ::testing::Test {
protected:
    void SetUp() override
    {
        program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
        program.environment.insert(QStringLiteral("VANTAMORPH_AUTOSAVE_SECONDS"), QStringLiteral("0.5"));
    }

    QString recoveryFolder() const
    {
        return program.environment.value(QStringLiteral("XDG_STATE_HOME")) + QStringLiteral("/vantamorph/recovery");
    }
    QStringList recoveryFiles(const QString& pattern = QStringLiteral("*")) const
    {
        return QDir(recoveryFolder()).entryList({pattern}, QDir::Files);
    }

    // Starts a session that adds texts and keeps running; returns once its
    // autosave holds that many texts (those of the prelude included).
    void startEditing(QProcess& process, const QByteArray& prelude, int texts, const QString& desktop,
                      int preludeTexts = 0)
    {
        QByteArray script = "wait ready\n" + prelude;
        for (int index = preludeTexts; index < texts; ++index)
            script += "menu \"mnuAddText\"\n";
        script += "wait 60000\n";
        const QStringList before = recoveryFiles(QStringLiteral("*.vmp"));
        program.startScript(process, script, desktop);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 15000) {
            for (const QString& name : recoveryFiles(QStringLiteral("*.vmp")))
                if (!before.contains(name) && textsIn(readFile(recoveryFolder() + QLatin1Char('/') + name)) == texts)
                    return;
            QThread::msleep(50);
        }
        FAIL() << "no autosave with " << texts << " texts: " << process.readAllStandardError().toStdString();
    }

    // The machine dies under the program.
    static void killHard(QProcess& process)
    {
        process.kill();
        process.waitForFinished();
    }

    InstalledProgram program;
};

// Work killed after a save: while that copy runs, a second one (on another
// desktop) is not offered it; afterwards Yes brings it back attached to its
// project file, which Save then writes, and a clean exit leaves nothing.
// (An unnamed logo restored is the recovery safety test's.)
TEST_F(RecoverySession, KilledWorkComesBackOnYesAttachedToItsProjectFile)
{
    const QString project = program.installRoot() + QStringLiteral("my logo.vmp");
    QProcess crashed;
    // One text saved to the project, two more only autosaved.
    startEditing(crashed, "answer savefile " + quoted(project) + "\nmenu \"mnuAddText\"\nkey \"Ctrl+S\"\nwait 500\n", 3,
                 QStringLiteral("one"), 1);
    const auto second = program.run("wait ready\nwait 300\n", QStringLiteral("two"));
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(matching(second.transcript, question).isEmpty()) << second.shown();
    EXPECT_EQ(recoveryFiles(QStringLiteral("*.vmp")).size(), 1) << "the first copy's work is untouched";
    killHard(crashed);
    ASSERT_EQ(textsIn(readFile(project)), 1) << "autosave never writes the project file";

    const auto restored = program.run("answer yesno \"yes\"\nwait ready\nkey \"Ctrl+S\"\nwait 800\ndump state\n");
    ASSERT_EQ(restored.exitCode, 0) << restored.shown();
    const QStringList asked = matching(restored.transcript, question);
    ASSERT_EQ(asked.size(), 1) << restored.shown();
    EXPECT_TRUE(asked[0].contains(QStringLiteral("(my logo.vmp), as autosaved at "))) << asked[0].toStdString();
    EXPECT_TRUE(asked[0].endsWith(QStringLiteral("-> yes")));
    EXPECT_FALSE(matching(restored.transcript, QStringLiteral("toFlash \"recover open\"")).isEmpty());
    EXPECT_TRUE(matching(restored.transcript, QStringLiteral("filedialog save")).isEmpty()) << "Save writes there";
    EXPECT_EQ(textsIn(readFile(project)), 3);
    EXPECT_TRUE(restored.transcript.contains(QStringLiteral("state IsDirty false")));
    EXPECT_TRUE(restored.transcript.contains(QStringLiteral("state CurrentProjectFile ") + QString::fromUtf8(quoted(project))));
    EXPECT_TRUE(recoveryFiles().isEmpty()) << "a clean exit leaves nothing: " << recoveryFiles().join(u' ').toStdString();
    EXPECT_TRUE(matching(program.run("wait ready\nwait 300\n").transcript, question).isEmpty());
}

// Killed work beside a damaged recovery file: No discards the work, the
// damaged file is reported once and set aside; unsaved work left by Exit
// without saving is not kept either.
TEST_F(RecoverySession, NoDiscardsADamagedFileIsSetAsideAndACleanExitLeavesNothing)
{
    QProcess crashed;
    startEditing(crashed, QByteArray(), 2, QString());
    killHard(crashed);
    writeFile(recoveryFolder() + QStringLiteral("/4242-deadbeef.vmp"), "<VantamorphLogo version=\"1\"><Text text=\"cut");
    const auto declined = program.run("answer yesno \"no\"\nwait ready\nwait 300\ndump state\n");
    ASSERT_EQ(declined.exitCode, 0) << declined.shown();
    ASSERT_EQ(matching(declined.transcript, question).size(), 1) << declined.shown();
    EXPECT_TRUE(declined.transcript.contains(QStringLiteral("state IsDirty false")));
    EXPECT_EQ(matching(declined.transcript, QStringLiteral("dialog frmAlert \"A recovery file could not be read")).size(), 1)
        << declined.shown();
    EXPECT_TRUE(QFileInfo::exists(recoveryFolder() + QStringLiteral("/damaged/4242-deadbeef.vmp")));
    EXPECT_TRUE(program.errorLog().contains("Damaged recovery file set aside")) << program.errorLog().toStdString();
    const auto next = program.run("wait ready\nwait 300\n");
    EXPECT_TRUE(matching(next.transcript, question).isEmpty());
    EXPECT_TRUE(matching(next.transcript, QStringLiteral("dialog frmAlert")).isEmpty()) << next.shown();

    // Unsaved work, autosaved, then Exit without saving.
    QProcess exiting;
    program.startScript(exiting, "wait ready\nmenu \"mnuAddText\"\nwait 1500\nanswer yesnocancel \"no\"\nmenu \"mnuExit\"\n",
                        QString());
    ASSERT_TRUE(exiting.waitForFinished(20000));
    EXPECT_EQ(exiting.exitCode(), 0);
    EXPECT_FALSE(matching(InstalledProgram::transcriptOf(exiting), QStringLiteral("toFlash \"autosave\"")).isEmpty());
    EXPECT_TRUE(recoveryFiles().isEmpty()) << recoveryFiles().join(u' ').toStdString();
    EXPECT_TRUE(matching(program.run("wait ready\nwait 300\n").transcript, question).isEmpty());
}

const QByteArray logo = "<VantamorphLogo version=\"2\" width=\"400\" height=\"300\">"
                        "<Text x=\"20\" y=\"20\" width=\"200\" height=\"60\" text=\"Kept\"/></VantamorphLogo>";

// The same with a recovery folder it must not trust, and a decoy folder of the
// user's whose every byte must stay as it is.
class RecoverySafetySession : public RecoverySession {
protected:
    void SetUp() override
    {
        RecoverySession::SetUp();
        writeFile(decoy() + QStringLiteral("/notes.txt"), "precious");
        writeFile(decoy() + QStringLiteral("/.hidden"), "hidden");
        writeFile(decoy() + QStringLiteral("/4242-deadbeef.vmp"), logo); // our names, not our folder
        writeFile(decoy() + QStringLiteral("/4242-deadbeef.lock"), "4242\n");
        before = test::folderSnapshot(decoy());
    }
    QString decoy() const { return program.installRoot() + QStringLiteral("decoy"); }

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
