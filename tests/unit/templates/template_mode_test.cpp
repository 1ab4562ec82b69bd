// Template mode: the save question before the gallery, the menu lock and the
// way back to editing, whichever way the canvas ends the gallery.
#include "templates/template_mode.h"
#include "tests/unit/project/project_fixture.h"

namespace vm::test {
namespace {

class TemplateModeTest : public ProjectFixture {
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        start();
        templates = std::make_unique<TemplateMode>(seams().templates(), *flows);
    }

    bool enabled(const QString& key) const { return host->menuItems.ItemEnabled(host->menuItems.FindItem(key)); }
    // Every locked key the bar holds, enabled or not; mnuLanguage is not on the bar.
    bool allLockedKeys(bool expected) const
    {
        for (const QString& key : TemplateMode::lockedKeys())
            if (host->menuItems.FindItem(key) != 0 && enabled(key) != expected)
                return false;
        return true;
    }
    bool titleBarShown() const
    {
        return (windows.style(host->mainForm.window) & window_style::SysMenu) == window_style::SysMenu;
    }
    bool galleryOpened() const { return sentCommands().contains(QStringLiteral("Open New Template|True")); }
    qsizetype questionsAsked() const { return forms.shownForms().count(QStringLiteral("frmMessageBoxYNC")); }

    std::unique_ptr<TemplateMode> templates;
};

TEST_F(TemplateModeTest, CleanLogoOpensTheGalleryAtOnceFromEitherItem)
{
    for (const char* key : {"mnuNewTemplate", "mnuFromTemplate"}) {
        baseline = canvas.received().size();
        ASSERT_TRUE(titleBarShown());
        host->menuItems.click(host->menuItems.FindItem(QString::fromLatin1(key)));
        EXPECT_EQ(sentCommands(), QStringList({QStringLiteral("Open New Template|True")})) << key;
        EXPECT_EQ(questionsAsked(), 0);
        EXPECT_TRUE(allLockedKeys(false)) << key;
        EXPECT_FALSE(titleBarShown());
        // Items outside the seven stay as they were.
        EXPECT_TRUE(enabled(QStringLiteral("mnuSave")));

        // The canvas gives the menus back without a template.
        canvasSays(QStringLiteral("FMActiveMenu"), QString());
        EXPECT_TRUE(allLockedKeys(true));
        EXPECT_TRUE(titleBarShown());
    }
    EXPECT_TRUE(loggedLabels().isEmpty()) << loggedLabels().join(QLatin1Char('\n')).toStdString();
}

TEST_F(TemplateModeTest, PickedTemplateBecomesANewUnsavedLogo)
{
    flows->OpenLogoProject(QStringLiteral("result open"), project(QStringLiteral("old.vmp")), QString());
    host->mainMenu.route(QStringLiteral("mnuNewTemplate"));
    dirty(); // the canvas reports changes while the gallery is open
    baseline = canvas.received().size();
    canvasSays(QStringLiteral("templatecall"), QString());
    EXPECT_EQ(sentCommands(), QStringList({QStringLiteral("drawtemplate|true")}));
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    EXPECT_FALSE(host->state.isDirty);
    EXPECT_TRUE(allLockedKeys(true));
    EXPECT_TRUE(titleBarShown());

    // Saving it asks for a name: it is not the file that was open before.
    host->mainMenu.route(QStringLiteral("mnuSave"));
    ASSERT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Save Project"));
}

TEST_F(TemplateModeTest, UnsavedChangesQuestion)
{
    // No: the changes are dropped and the gallery opens.
    dirty();
    forms.clicks = {QStringLiteral("cmdNo")};
    host->mainMenu.route(QStringLiteral("mnuNewTemplate"));
    EXPECT_EQ(questionsAsked(), 1);
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmMain"));
    EXPECT_TRUE(galleryOpened());
    EXPECT_FALSE(host->state.isDirty);
    EXPECT_TRUE(allLockedKeys(false));
    // Leaving the gallery without a template keeps the logo clean.
    canvasSays(QStringLiteral("fmactivemenu"), QString());
    EXPECT_FALSE(host->state.isDirty);
    EXPECT_TRUE(allLockedKeys(true));

    // Cancel, or closing the question: everything stays as it was.
    for (const char* answer : {"cmdCancel", ""}) {
        dirty();
        baseline = canvas.received().size();
        forms.clicks = answer[0] ? QList<QString>{QString::fromLatin1(answer)} : QList<QString>{};
        host->mainMenu.route(QStringLiteral("mnuFromTemplate"));
        EXPECT_TRUE(sentCommands().isEmpty()) << answer;
        EXPECT_TRUE(host->state.isDirty);
        EXPECT_TRUE(allLockedKeys(true));
        EXPECT_TRUE(titleBarShown());
    }
}

TEST_F(TemplateModeTest, YesSavesAndLeavesTheGalleryClosed)
{
    const QString file = project(QStringLiteral("mine.vmp"));
    writeFile(file, "<logo/>");
    flows->OpenLogoProject(QStringLiteral("result open"), file, QString());
    dirty();
    baseline = canvas.received().size();
    forms.clicks = {QStringLiteral("cmdYes")};
    host->mainMenu.route(QStringLiteral("mnuNewTemplate"));
    EXPECT_EQ(sentCommands(), QStringList({QStringLiteral("show save|") + file}));
    EXPECT_FALSE(host->state.isDirty);
    EXPECT_TRUE(allLockedKeys(true));
    EXPECT_TRUE(titleBarShown());
    // The canvas answers and the file is written.
    canvasSays(QStringLiteral("show save"), file + ae + QStringLiteral("<logo>saved</logo>"));
    EXPECT_EQ(readFile(file), QByteArray("<logo>saved</logo>"));

    // A save that fails after the question leaves the logo unsaved, not lost.
    dirty();
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    forms.clicks = {QStringLiteral("cmdYes")};
    host->mainMenu.route(QStringLiteral("mnuNewTemplate"));
    EXPECT_FALSE(host->state.isDirty);
    canvasSays(QStringLiteral("show save"), file + ae + QStringLiteral("<logo>lost?</logo>"));
    EXPECT_EQ(readFile(file), QByteArray("<logo>saved</logo>"));
    EXPECT_TRUE(host->state.isDirty);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // A logo without a file whose save dialog is cancelled keeps its changes.
    flows->ShowNew();
    dirty();
    baseline = canvas.received().size();
    forms.clicks = {QStringLiteral("cmdYes")};
    host->mainMenu.route(QStringLiteral("mnuNewTemplate"));
    EXPECT_TRUE(sentCommands().isEmpty());
    EXPECT_TRUE(host->state.isDirty);
    EXPECT_TRUE(allLockedKeys(true));
}

TEST_F(TemplateModeTest, ActivateWithoutGalleryIsHarmless)
{
    canvasSays(QStringLiteral("fmactivemenu"), QString());
    canvasSays(QStringLiteral("templatecall"), QString());
    EXPECT_TRUE(allLockedKeys(true));
    EXPECT_TRUE(titleBarShown());
    EXPECT_TRUE(loggedLabels().isEmpty());
}

} // namespace
} // namespace vm::test
