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

TEST_F(MenuTest, BarIsBuiltInOrderWithCaptionsIconsAndShortcuts)
{
    // Each shortcut is pressed in the views tests; here only that the table is wired.
    const QList<MenuItem>& all = items().items();
    ASSERT_EQ(all.size(), menuTree().size());
    EXPECT_EQ(all.first().key, QStringLiteral("mnuProject"));
    EXPECT_EQ(all.last().parent, QStringLiteral("mnuPublishLogo"));
    EXPECT_EQ(items().ItemCaption(id("mnuFromTemplate")), items().ItemCaption(id("mnuNewTemplate")));
    EXPECT_FALSE(items().ItemCaption(id("mnuNewTemplate")).isEmpty());
    EXPECT_EQ(items().ItemCaption(id("mnuPublishtransparentPNG")), QStringLiteral("24 bit/Transparent PNG"));
    EXPECT_EQ(items().ItemChecked(id("mnuBondingObjects")), 1);
    EXPECT_TRUE(items().item(id("mnuSave"))->picturePath.endsWith(QStringLiteral("/Images/save.bmp")));
    EXPECT_EQ(items().findShortcut(menu_shift::Ctrl, 83), id("mnuSave"));
}

TEST_F(MenuTest, ClicksReachTheCanvas)
{
    // One item of each kind; the route table itself is one line per item.
    const QList<QPair<const char*, const char*>> routes = {
        {"mnuPrintLogo", "printmovie"}, {"mnuShowColor", "panel_Color"}, {"mnuUndo", "show undo"},
        {"mnuSendToBack", "sendbackward_link"}, {"mnuAddImage", "UploadImage"},
    };
    for (const auto& [key, command] : routes) {
        trace.lines.clear();
        click(key);
        EXPECT_EQ(sent(), QStringList{QStringLiteral("toFlash \"") + QLatin1String(command) + QStringLiteral("\" \"True\" -> true")})
            << key;
    }
    trace.lines.clear();
    click("mnuBondingObjects");
    click("mnuBondingObjects");
    EXPECT_EQ(sent(), (QStringList{QStringLiteral("toFlash \"ShowSelection\" \"False\" -> true"),
                                   QStringLiteral("toFlash \"ShowSelection\" \"True\" -> true")}));

    trace.lines.clear();
    for (const char* inert : {"mnuProject", "mnuRecent", "mnuEdit", "mnuPanels"})
        click(inert);
    for (const MenuItem& item : items().items())
        if (item.style == menu_style::Separator)
            items().click(item.id);
    EXPECT_TRUE(trace.lines.isEmpty());
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

TEST_F(MenuTest, AboutCopyrightHelpAndWeb)
{
    click("mnuAboutUS");
    click("mnuCopyrightInfo");
    ASSERT_GE(forms.shown.size(), 2);
    EXPECT_EQ(forms.shown[forms.shown.size() - 2].form, QStringLiteral("frmAbout"));
    EXPECT_EQ(forms.shown.last().form, QStringLiteral("frmCopyright"));
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmMain"));
    EXPECT_TRUE(forms.shown.last().modal);

    click("mnuHelp");
    click("mnuVantamorphWeb");
    click("mnuResourceTagline");
    ASSERT_EQ(shell.opened.size(), 3);
    EXPECT_EQ(shell.opened[0].second, programFolder + QStringLiteral("/Vantamorph.html"));
    EXPECT_TRUE(shell.opened[1].second.endsWith(QStringLiteral("gotopg=homepage")));
    EXPECT_TRUE(shell.opened[2].second.endsWith(QStringLiteral("gotopg=logotaglinessamples")));
}

TEST_F(MenuTest, MissingIconIsLoggedAndTheItemStaysWithoutOne)
{
    QFile::remove(programFolder + QStringLiteral("/Images/cut.bmp"));
    host->mainMenu.rebuild();
    EXPECT_EQ(loggedLabels(), QStringList{QStringLiteral("log \"frmMain\\\\pGetPicture\"")});
    EXPECT_TRUE(items().item(id("mnuCut"))->picturePath.isEmpty());
    EXPECT_EQ(items().items().size(), menuTree().size());
}

TEST_F(MenuTest, ExitWithoutChangesEnds)
{
    click("mnuExit");
    EXPECT_EQ(process.exits, QList<int>{0});
}

} // namespace
} // namespace vm::test
