// The recent-file history: the carry walk, the submenu it shows, and a
// history file that is missing or broken.
#include "project_fixture.h"

namespace vm::test {
namespace {

class RecentFilesTest : public ProjectFixture {
protected:
    QStringList slotsOnDisk() const
    {
        pugi::xml_document document;
        document.load_file(configPath().toUtf8().constData());
        QStringList found;
        for (pugi::xml_node slot : RecentFiles::historyOf(document).children(QByteArrayLiteral("FilePath").constData()))
            found.append(QString::fromUtf8(slot.text().get()));
        return found;
    }
    void open(const QString& path) { flows->OpenLogoProject(QStringLiteral("result open"), path, QString()); }
};

TEST_F(RecentFilesTest, CarryWalkOnFullHistory)
{
    writeConfig({"/p/1.vmp", "/p/2.vmp", "/p/3.vmp", "/p/4.vmp", "/p/5.vmp"});
    start();
    EXPECT_EQ(recentMenu().size(), 5);

    open(QStringLiteral("/p/3.vmp")); // a middle entry moves up; those below stay
    EXPECT_EQ(slotsOnDisk(), QStringList({"/p/3.vmp", "/p/1.vmp", "/p/2.vmp", "/p/4.vmp", "/p/5.vmp"}));
    open(QStringLiteral("/p/new.vmp")); // a new one pushes the last out
    EXPECT_EQ(slotsOnDisk(), QStringList({"/p/new.vmp", "/p/3.vmp", "/p/1.vmp", "/p/2.vmp", "/p/4.vmp"}));
    const QByteArray before = readFile(configPath());
    open(QStringLiteral("/p/new.vmp")); // the first again: the file is unchanged
    EXPECT_EQ(readFile(configPath()), before);
    EXPECT_EQ(recentMenu(), QStringList({"mnuFile1=/p/new.vmp", "mnuFile2=/p/3.vmp", "mnuFile3=/p/1.vmp",
                                         "mnuFile4=/p/2.vmp", "mnuFile5=/p/4.vmp"}));
    // The layout of the file survives the rewrite.
    EXPECT_TRUE(before.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<configuration>\n  <LogoHistory>\n"));
}

TEST_F(RecentFilesTest, EmptySlotsMoveLikeEntriesAndAreSkippedInTheMenu)
{
    writeConfig({"Nothing", "/p/a.vmp", "Nothing", "/p/b.vmp", "Nothing"});
    start();
    EXPECT_EQ(recentMenu(), QStringList({"mnuFile1=/p/a.vmp", "mnuFile2=/p/b.vmp"}));
    open(QStringLiteral("/p/b.vmp"));
    EXPECT_EQ(slotsOnDisk(), QStringList({"/p/b.vmp", "Nothing", "/p/a.vmp", "Nothing", "Nothing"}));
    EXPECT_EQ(recentMenu(), QStringList({"mnuFile1=/p/b.vmp", "mnuFile2=/p/a.vmp"}));
}

TEST_F(RecentFilesTest, AllEmptyThenFirstSaveAndSlotCountFromTheFile)
{
    writeConfig(QStringList(3, QStringLiteral("Nothing")));
    start();
    EXPECT_TRUE(recentMenu().isEmpty());
    const QString path = project(QStringLiteral("first.vmp"));
    EXPECT_TRUE(flows->SaveIt(path + ae + QStringLiteral("<logo/>")));
    EXPECT_EQ(recentMenu(), QStringList({"mnuFile1=" + path}));
    EXPECT_EQ(slotsOnDisk(), QStringList({path, "Nothing", "Nothing"})); // never grows
}

TEST_F(RecentFilesTest, MissingOrBrokenHistoryIsLoggedNeverCreated)
{
    QFile::remove(configPath());
    start();
    open(QStringLiteral("/p/x.vmp"));
    EXPECT_FALSE(QFileInfo::exists(configPath()));
    EXPECT_TRUE(recentMenu().isEmpty());
    EXPECT_NE(host->menuItems.FindItem(QStringLiteral("mnuProject")), 0); // the bar was rebuilt
    EXPECT_TRUE(errorLog().contains("frmMain\\ReteriveFileHistory"));
    EXPECT_TRUE(errorLog().contains("frmMain\\UpdateHistory"));

    writeFile(configPath(), "<configuration><LogoHistory><FilePath>/p/1");
    open(QStringLiteral("/p/y.vmp"));
    EXPECT_EQ(readFile(configPath()), QByteArray("<configuration><LogoHistory><FilePath>/p/1"));
}

TEST_F(RecentFilesTest, ChoosingAnEntry)
{
    const QString kept = project(QStringLiteral("kept.vmp"));
    writeFile(kept, "<logo/>");
    writeConfig({"/p/gone.vmp", kept, "Nothing", "Nothing", "Nothing"});
    start();

    host->mainMenu.route(QStringLiteral("mnuFile1")); // a deleted file: told, entry kept
    ASSERT_FALSE(forms.shown.isEmpty());
    EXPECT_EQ(forms.shown.last().form, QStringLiteral("frmAlert"));
    EXPECT_EQ(forms.shown.last().message, host->language.GetControlCaptions(QStringLiteral("alertNotFount")));
    EXPECT_TRUE(sentCommands().isEmpty());

    host->mainMenu.route(QStringLiteral("mnuFile2"));
    EXPECT_EQ(sentCommands(), QStringList({"result open|" + kept + ae + "null"}));
    EXPECT_EQ(host->state.currentProjectFile, kept);
    EXPECT_EQ(recentMenu().first(), "mnuFile1=" + kept);
}

} // namespace
} // namespace vm::test
