#include "shell/menu_tree.h"
#include "tests/unit/shell/host_fixture.h"

namespace vm::test {
namespace {

class MenuTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        startToReady();
        ASSERT_FALSE(process.ended());
        trace.lines.clear();
    }
    int id(const char* key) { return host->menuItems.FindItem(QLatin1String(key)); }
    void click(const char* key) { host->menuItems.click(id(key)); }
    QStringList sent() { return trace.matching(QStringLiteral("toFlash")); }
    MenuItems& items() { return host->menuItems; }
};

// The bar's captions, icons and shortcuts are checked through the window (views tests);
// here what a click does beyond its one-line route.
TEST_F(MenuTest, CheckItemsToggleInertItemsSendNothingAndExitEnds)
{
    click("mnuUndo");
    click("mnuBondingObjects");
    click("mnuBondingObjects");
    EXPECT_EQ(sent(), (QStringList{QStringLiteral("toFlash \"show undo\" \"True\" -> true"),
                                   QStringLiteral("toFlash \"ShowSelection\" \"False\" -> true"),
                                   QStringLiteral("toFlash \"ShowSelection\" \"True\" -> true")}));

    trace.lines.clear();
    for (const char* inert : {"mnuProject", "mnuRecent", "mnuEdit", "mnuPanels"})
        click(inert);
    for (const MenuItem& item : items().items())
        if (item.style == menu_style::Separator)
            items().click(item.id);
    EXPECT_TRUE(trace.lines.isEmpty());
    click("mnuExit");
    EXPECT_EQ(process.exits, QList<int>{0});
}

TEST_F(MenuTest, QuickHelpTogglesBackToTheLanguageCaption)
{
    const QString offered = items().ItemCaption(id("mnuQuick"));
    click("mnuQuick");
    EXPECT_EQ(items().ItemCaption(id("mnuQuick")), QStringLiteral("&Hide Quick Help"));
    EXPECT_FALSE(items().ItemEnabled(id("mnuPanels")));
    EXPECT_FALSE(items().isReachable(id("mnuHelp")));
    // The one way back stays in reach, by mouse and by Shift+1.
    EXPECT_TRUE(items().isReachable(id("mnuQuick")));
    EXPECT_EQ(items().findShortcut(menu_shift::Shift, 49), id("mnuQuick"));
    click("mnuQuick");
    EXPECT_EQ(items().ItemCaption(id("mnuQuick")), offered);
    EXPECT_TRUE(items().ItemEnabled(id("mnuPanels")));
    EXPECT_TRUE(items().isReachable(id("mnuHelp")));
    EXPECT_EQ(sent(), (QStringList{QStringLiteral("toFlash \"quick help\" \"true\" -> true"),
                                   QStringLiteral("toFlash \"quick help\" \"false\" -> true")}));
}

TEST_F(MenuTest, ASecondAnnouncementRebuildsEverythingWithoutResendingFontsAndPublishLogoIsReachable)
{
    canvas.raise(QStringLiteral("istextedit"), QStringLiteral("true"));
    trace.lines.clear();
    click("mnuUndo"); // disabled items cannot be clicked
    click("mnuBondingObjects");
    EXPECT_TRUE(sent().isEmpty());

    canvas.raise(QStringLiteral("fmloaded"), QString());
    EXPECT_EQ(items().items().size(), menuTree().size());
    for (const MenuItem& item : items().items())
        EXPECT_TRUE(item.enabled) << item.key.toStdString();
    EXPECT_EQ(items().ItemChecked(id("mnuBondingObjects")), 1);
    EXPECT_TRUE(trace.matching(QStringLiteral("toFlash \"fontlist\"")).isEmpty());
    // The submenu's first entry opens the dialog and carries Ctrl+L.
    QStringList publishChildren;
    for (const MenuItem& item : items().items())
        if (item.parent == QLatin1String("mnuPublishLogo"))
            publishChildren.append(item.key);
    EXPECT_EQ(publishChildren.value(0), QStringLiteral("mnuPublishLogoDialog"));
    EXPECT_EQ(items().findShortcut(menu_shift::Ctrl, 76), id("mnuPublishLogoDialog"));
}

TEST_F(MenuTest, CopyrightIsModalOverTheMainWindowAndHelpOpensTheLocalPage)
{
    click("mnuCopyrightInfo");
    EXPECT_EQ(forms.shown.last().form, QStringLiteral("frmCopyright"));
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmMain"));
    EXPECT_TRUE(forms.shown.last().modal);
    click("mnuHelp");
    click("mnuResourceTagline");
    ASSERT_EQ(shell.opened.size(), 2);
    EXPECT_EQ(shell.opened[0].second, programFolder + QStringLiteral("/Vantamorph.html"));
    EXPECT_TRUE(shell.opened[1].second.endsWith(QStringLiteral("gotopg=logotaglinessamples")));
}

TEST_F(MenuTest, MissingIconIsLoggedAndTheItemStaysWithoutOne)
{
    QFile::remove(programFolder + QStringLiteral("/Images/cut.bmp"));
    host->mainMenu.rebuild();
    EXPECT_EQ(loggedLabels(), QStringList{QStringLiteral("log \"frmMain\\\\pGetPicture\"")});
    EXPECT_TRUE(items().item(id("mnuCut"))->picturePath.isEmpty());
    EXPECT_EQ(items().items().size(), menuTree().size());
}

} // namespace
} // namespace vm::test
