// Template mode through scripted sessions: a template picked in the real
// canvas's gallery, saved and reopened, and the menu lock around the gallery.
// The save question before the gallery is the template mode's own test.
#include "tests/e2e/session_runner.h"

namespace vm::e2e {
namespace {

const QString projectLocked = QStringLiteral("item \"mnuProject\" parent=\"\" caption=\"&Project\" enabled=0");

TEST(TemplateSession, TemplatePickedInTheRealGallerySavesAndReopensWithTheSameBytes)
{
    InstalledProgram program;
    QTemporaryDir home;
    program.environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    const QString target = program.installRoot() + QStringLiteral("team.vmp");
    auto picked = program.run("wait ready\ngallery \"Sport\" \"Team Star\"\nmenu \"mnuNewTemplate\"\ngallery \"Sport\" \"No Such\"\n"
                              "gallery \"Sport\" \"Team Star\"\nwait 300\ndump menu\nanswer savefile \"" + target.toUtf8()
                              + "\"\nkey \"Ctrl+S\"\nwait 500\ndump state\n");
    ASSERT_EQ(picked.exitCode, 0) << picked.errors.toStdString();
    EXPECT_TRUE(picked.transcript.contains(QStringLiteral("gallery \"Sport\" \"Team Star\" -> not open"))) << picked.shown();
    EXPECT_TRUE(picked.transcript.contains(QStringLiteral("gallery \"Sport\" \"No Such\" -> no such template")));
    EXPECT_TRUE(picked.transcript.contains(QStringLiteral("gallery \"Sport\" \"Team Star\"")));
    EXPECT_TRUE(picked.transcript.contains(QStringLiteral("toFlash \"drawtemplate\" \"true\" -> true")));
    EXPECT_TRUE(matching(picked.transcript, projectLocked).isEmpty());
    // The saved project holds the template's logo.
    const QByteArray saved = readFile(target);
    const QString shipped = QString::fromUtf8(readFile(program.installRoot() + QStringLiteral("templates/sport/team-star.xml")));
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_TRUE(shipped.contains(QLatin1String("text=\"TEAM NAME\"")));
    EXPECT_TRUE(saved.contains("text=\"TEAM NAME\""));
    EXPECT_EQ(QString::fromUtf8(saved).count(QLatin1String("<Symbol")), shipped.count(QLatin1String("<Symbol")));

    // Reopened and saved again: the same bytes.
    auto reopened = program.run("wait ready\nanswer openfile \"" + target.toUtf8() + "\"\nkey \"Ctrl+O\"\nwait 300\n"
                                "key \"Ctrl+S\"\nwait 500\ndump state\n");
    EXPECT_TRUE(reopened.transcript.contains(QStringLiteral("state CurrentProjectFile \"") + target + QStringLiteral("\"")))
        << reopened.shown();
    EXPECT_EQ(readFile(target), saved);

    // Leaving the gallery without a template keeps the logo and gives the menus back.
    auto left = program.run("wait ready\nmenu \"mnuFromTemplate\"\ngallery cancel\nwait 200\ndump menu\n");
    EXPECT_TRUE(left.transcript.contains(QStringLiteral("gallery cancel"))) << left.shown();
    EXPECT_TRUE(matching(left.transcript, projectLocked).isEmpty());
    EXPECT_TRUE(program.errorLog().isEmpty()) << program.errorLog().toStdString();
}

} // namespace
} // namespace vm::e2e
