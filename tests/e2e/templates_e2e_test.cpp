// Template mode through scripted sessions: the save question, the menu lock,
// and a template picked in the real canvas's gallery, saved and reopened.
#include "tests/e2e/session_runner.h"

namespace vm::e2e {
namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString shown(const QStringList& transcript) { return transcript.join(QLatin1Char('\n')); }

const QString galleryCall = QStringLiteral("toFlash \"Open New Template\" \"True\" -> true");
const QString projectLocked = QStringLiteral("item \"mnuProject\" parent=\"\" caption=\"&Project\" enabled=0");

TEST(TemplateSession, QuestionMatrixAndMenuLockWithTheScriptedCanvas)
{
    InstalledProgram program;
    // Clean logo: the gallery opens at once, the menus lock; a template brings them back.
    auto clean = program.run("wait ready\nmenu \"mnuNewTemplate\"\ndump menu\ncanvas \"templatecall\" \"\"\ndump menu\ndump state\n");
    ASSERT_EQ(clean.exitCode, 0) << clean.errors.toStdString();
    EXPECT_EQ(clean.transcript.count(galleryCall), 1) << shown(clean.transcript).toStdString();
    EXPECT_TRUE(matching(clean.transcript, QStringLiteral("dialog ")).isEmpty());
    EXPECT_EQ(matching(clean.transcript, QStringLiteral("item \"mnuFromTemplate\" parent=\"\"")).size(), 2);
    EXPECT_TRUE(matching(clean.transcript, QStringLiteral("item \"mnuFromTemplate\" parent=\"\""))[0].contains(QLatin1String("enabled=0")));
    EXPECT_TRUE(matching(clean.transcript, QStringLiteral("item \"mnuFromTemplate\" parent=\"\""))[1].contains(QLatin1String("enabled=1")));
    EXPECT_TRUE(clean.transcript.contains(QStringLiteral("toFlash \"drawtemplate\" \"true\" -> true")));
    EXPECT_TRUE(clean.transcript.contains(QStringLiteral("state CurrentProjectFile \"New\"")));
    EXPECT_TRUE(clean.transcript.contains(QStringLiteral("state IsDirty false")));

    // Unsaved changes and No: the gallery opens and the changes are dropped, also
    // when the canvas gives the menus back without a template.
    auto no = program.run("wait ready\ncanvas \"datatosave\" \"true\"\nanswer yesnocancel \"no\"\nmenu \"mnuFromTemplate\"\n"
                          "canvas \"fmactivemenu\" \"\"\ndump state\n");
    EXPECT_EQ(matching(no.transcript, QStringLiteral("dialog ")).size(), 1) << shown(no.transcript).toStdString();
    EXPECT_EQ(no.transcript.count(galleryCall), 1);
    EXPECT_TRUE(no.transcript.contains(QStringLiteral("state IsDirty false")));

    // Cancel: nothing happens, the menus stay usable.
    auto cancel = program.run("wait ready\ncanvas \"datatosave\" \"true\"\nanswer yesnocancel \"cancel\"\nmenu \"mnuNewTemplate\"\n"
                              "dump menu\ndump state\n");
    EXPECT_EQ(cancel.transcript.count(galleryCall), 0) << shown(cancel.transcript).toStdString();
    EXPECT_TRUE(cancel.transcript.contains(QStringLiteral("state IsDirty true")));
    EXPECT_TRUE(matching(cancel.transcript, projectLocked).isEmpty());

    // Yes: the logo is saved (here it asks for a name) and the gallery stays closed.
    const QString target = program.installRoot() + QStringLiteral("kept.vmp");
    auto yes = program.run("wait ready\ncanvas \"datatosave\" \"true\"\nanswer yesnocancel \"yes\"\nanswer savefile \""
                           + target.toUtf8() + "\"\nmenu \"mnuNewTemplate\"\ndump menu\n");
    EXPECT_EQ(yes.transcript.count(galleryCall), 0) << shown(yes.transcript).toStdString();
    EXPECT_TRUE(yes.transcript.contains(QStringLiteral("toFlash \"show save\" \"") + target + QStringLiteral("\" -> true")));
    EXPECT_TRUE(matching(yes.transcript, projectLocked).isEmpty());
    EXPECT_TRUE(program.errorLog().isEmpty()) << program.errorLog().toStdString();
}

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
    const QString transcript = shown(picked.transcript);
    EXPECT_TRUE(picked.transcript.contains(QStringLiteral("gallery \"Sport\" \"Team Star\" -> not open"))) << transcript.toStdString();
    EXPECT_TRUE(picked.transcript.contains(QStringLiteral("gallery \"Sport\" \"No Such\" -> no such template")));
    EXPECT_TRUE(picked.transcript.contains(QStringLiteral("gallery \"Sport\" \"Team Star\"")));
    EXPECT_TRUE(picked.transcript.contains(QStringLiteral("toFlash \"drawtemplate\" \"true\" -> true")));
    EXPECT_TRUE(matching(picked.transcript, projectLocked).isEmpty());
    // The saved project holds the template's logo.
    const QByteArray saved = readAll(target);
    const QString shipped = QString::fromUtf8(readAll(program.installRoot() + QStringLiteral("templates/sport/team-star.xml")));
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_TRUE(shipped.contains(QLatin1String("text=\"TEAM NAME\"")));
    EXPECT_TRUE(saved.contains("text=\"TEAM NAME\""));
    EXPECT_EQ(QString::fromUtf8(saved).count(QLatin1String("<Symbol")), shipped.count(QLatin1String("<Symbol")));

    // Reopened and saved again: the same bytes.
    auto reopened = program.run("wait ready\nanswer openfile \"" + target.toUtf8() + "\"\nkey \"Ctrl+O\"\nwait 300\n"
                                "key \"Ctrl+S\"\nwait 500\ndump state\n");
    EXPECT_TRUE(reopened.transcript.contains(QStringLiteral("state CurrentProjectFile \"") + target + QStringLiteral("\"")))
        << shown(reopened.transcript).toStdString();
    EXPECT_EQ(readAll(target), saved);

    // Leaving the gallery without a template keeps the logo and gives the menus back.
    auto left = program.run("wait ready\nmenu \"mnuFromTemplate\"\ngallery cancel\nwait 200\ndump menu\n");
    EXPECT_TRUE(left.transcript.contains(QStringLiteral("gallery cancel"))) << shown(left.transcript).toStdString();
    EXPECT_TRUE(matching(left.transcript, projectLocked).isEmpty());
    EXPECT_TRUE(program.errorLog().isEmpty()) << program.errorLog().toStdString();
}

} // namespace
} // namespace vm::e2e
