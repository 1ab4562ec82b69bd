#include "platform/api/path_style.h"
#include "shell/temp_folder.h"
#include "tests/unit/shell/host_fixture.h"

namespace vm::test {
namespace {

using StartupTest = HostFixture;

TEST_F(StartupTest, LanguageIsSentTwiceBeforeTheMoviesLoadThenTheCanvasCompletesTheStart)
{
    startToReady();
    ASSERT_FALSE(process.ended());
    const QString chlang = QStringLiteral("toFlash \"chlang\" \"0\" -> true");
    const QString movieLine = QStringLiteral("movie \"skwFlash\" ") + Trace::quote(root.path() + QStringLiteral("//flash/LogoMain.swf"));
    const qsizetype movieAt = trace.lines.indexOf(movieLine);
    ASSERT_GE(movieAt, 0) << trace.lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(trace.lines.mid(0, movieAt), (QStringList{chlang, chlang}));
    EXPECT_EQ(trace.lines[movieAt + 1],
              QStringLiteral("movie \"ShockwaveFlash1\" ") + Trace::quote(root.path() + QStringLiteral("//flash/DrawBitmap.swf")));

    const WindowHandle main = host->mainForm.window;
    EXPECT_EQ(windows.text(main), QStringLiteral("Vantamorph 7.0    "));
    EXPECT_TRUE(windows.isEnabled(main));
    EXPECT_EQ(windows.style(main) & window_style::SysMenu, window_style::SysMenu);
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    EXPECT_EQ(host->state.installRoot, root.path() + QStringLiteral("/"));
    EXPECT_FALSE(forms.isLoaded(host->splashForm));
    EXPECT_EQ(canvasCommands().count(QStringLiteral("fontlist|")), 1);
    EXPECT_TRUE(loggedLabels().isEmpty()) << loggedLabels().join(QLatin1Char(',')).toStdString();
}

TEST_F(StartupTest, SplashHandsOverAfterElevenTicks)
{
    makeHost();
    QElapsedTimer clock;
    clock.start();
    host->start();
    ASSERT_TRUE(runUntil([&] { return host->mainForm.window != 0; }));
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_LT(clock.elapsed(), 1500);
}

TEST_F(StartupTest, AnotherCopyIsRestoredFocusedAndThisOneEnds)
{
    const WindowHandle other = windows.create(QStringLiteral("OtherProgramClass"), QStringLiteral("Vantamorph 7.0    "));
    windows.noteShown(other, show_command::Minimize);
    startToReady();
    EXPECT_EQ(process.exits, QList<int>{0});
    EXPECT_FALSE(windows.isIconic(other));
    EXPECT_EQ(windows.foreground(), other);
    EXPECT_EQ(host->mainForm.window, 0u);
    EXPECT_TRUE(trace.matching(QStringLiteral("movie")).isEmpty());
}

// The parameter: whether the running copy takes the project this one was started with.
class StartupWithAProject : public HostFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(StartupWithAProject, TheRunningCopyOpensItUnlessItRefusesThenThisCopyRunsAndOpensIt)
{
    const bool otherTakesIt = GetParam();
    const WindowHandle other = windows.create(QStringLiteral("OtherProgramClass"), QStringLiteral("Vantamorph 7.0    "));
    QStringList handed;
    windows.onData(other, [&](const QString& data) {
        handed.append(data);
        return otherTakesIt;
    });
    makeHost();
    host->state.commandLineProject = QStringLiteral("/home/u/logo.vmp");
    startToReady();
    EXPECT_EQ(handed, QStringList{SplashForm::openProjectRequest + QStringLiteral("/home/u/logo.vmp")});
    EXPECT_EQ(process.ended(), otherTakesIt);
    EXPECT_EQ(host->mainForm.window != 0, !otherTakesIt);
}

INSTANTIATE_TEST_SUITE_P(RunningCopyAnswers, StartupWithAProject, ::testing::Bool());

TEST_F(StartupTest, ACaptionWithoutTheTrailingBlanksIsNoRunningCopy)
{
    windows.create(QStringLiteral("OtherProgramClass"), QStringLiteral("Vantamorph 7.0"));
    startToReady();
    EXPECT_FALSE(process.ended());
}

TEST_F(StartupTest, WithoutACanvasMovieTheMenusStayEmptyAndTheTitleBarHidden)
{
    QFile::remove(root.path() + QStringLiteral("/flash/LogoMain.swf"));
    makeHost();
    host->start();
    runUntil([&] { return host->mainForm.window != 0; });
    runUntil([] { return false; }, 100);
    EXPECT_TRUE(host->menuItems.items().isEmpty());
    EXPECT_EQ(windows.style(host->mainForm.window) & window_style::SysMenu, 0u);
}

TEST_F(StartupTest, WindowKeepsItsMinimumSizeAndTheCanvasFollowsIt)
{
    startToReady();
    const WindowHandle main = host->mainForm.window;
    windows.noteGeometry(main, {10, 20, 300, 200});
    host->mainForm.Form_Resize();
    EXPECT_EQ(windows.rect(main), (WindowRect{10, 20, 800, 590}));
    EXPECT_EQ(canvas.size(), QSize(800, (8850 - 876) / 15));

    windows.noteGeometry(main, {0, 0, 1200, 900});
    host->mainForm.Form_Resize();
    EXPECT_EQ(canvas.size(), QSize(1200, (900 * 15 - 876) / 15));

    windows.noteShown(main, show_command::Minimize);
    windows.noteGeometry(main, {0, 0, 160, 30});
    host->mainForm.Form_Resize();
    EXPECT_EQ(canvas.size(), QSize(1200, (900 * 15 - 876) / 15));
}

TEST_F(StartupTest, ClosingWithoutChangesEndsTheProgramAndRemovesTheWorkFolder)
{
    startToReady();
    const QString work = workFolderOf(host->state);
    EXPECT_EQ(work, os.documents + QStringLiteral("/tmpEPS/") + QString::number(QCoreApplication::applicationPid()));
    EXPECT_TRUE(QFileInfo(work).isDir());
    writeFile(work + QStringLiteral("/left.eps"), "x");
    QFile::setPermissions(work + QStringLiteral("/left.eps"), QFileDevice::ReadOwner);

    // A close the user cancels keeps the folder for the publishes still to come.
    host->state.isDirty = true;
    host->mainForm.closeBox();
    EXPECT_FALSE(process.ended());
    EXPECT_TRUE(QFileInfo(work).isDir());

    // Only the real end removes it, and a link inside goes as a link: its
    // target outside keeps its mode and its content.
    const QString outside = root.path() + QStringLiteral("/outside.txt");
    writeFile(outside, "keep");
    QFile::setPermissions(outside, QFileDevice::ReadOwner);
    const QFileDevice::Permissions mode = QFile::permissions(outside);
    QFile::link(outside, work + QStringLiteral("/link"));
    host->state.isDirty = false;
    host->mainForm.closeBox();
    EXPECT_EQ(process.exits, QList<int>{0});
    EXPECT_FALSE(QFileInfo::exists(work));
    EXPECT_EQ(QFile::permissions(outside), mode);
    EXPECT_EQ(readFile(outside), QByteArray("keep"));
}

TEST_F(StartupTest, WorkFolderChoices)
{
    makeHost();
    TempFolder& folder = host->tempFolder;

    rights.status = 1;
    folder.PrepareTempFolder();
    EXPECT_TRUE(host->state.keepTempFolder);
    EXPECT_EQ(host->state.tempRoot, path_style::fallbackTempRoot);

    rights.status = 0;
    os.documents.clear();
    os.variables.insert(QStringLiteral("HOMEDRIVE"), root.path());
    os.variables.insert(QStringLiteral("HOMEPATH"), QStringLiteral("/home"));
    folder.PrepareTempFolder();
    EXPECT_FALSE(host->state.keepTempFolder);
    EXPECT_EQ(host->state.tempRoot, root.path() + QStringLiteral("/home"));
    EXPECT_TRUE(QFileInfo(workFolderOf(host->state)).isDir());

    os.variables.clear();
    os.temp = root.path() + QStringLiteral("/tmp");
    folder.PrepareTempFolder();
    EXPECT_EQ(host->state.tempRoot, root.path() + QStringLiteral("/tmp"));

    rights.status = 7; // neither answer: still the user's own folder, never a shared one
    folder.PrepareTempFolder();
    EXPECT_EQ(host->state.tempRoot, root.path() + QStringLiteral("/tmp"));
    EXPECT_FALSE(host->state.keepTempFolder);

    // Deleted meanwhile: made again before a publish prints into it.
    QDir(root.path() + QStringLiteral("/tmp/tmpEPS")).removeRecursively();
    folder.ensureWorkFolder();
    EXPECT_TRUE(QFileInfo(workFolderOf(host->state)).isDir());
}

} // namespace
} // namespace vm::test

namespace vm::test {
namespace {

// An install the program may not write: the error log goes to the user's
// state folder, and a place that cannot be made is told once (alert and log).
TEST_F(StartupTest, AReadOnlyInstallLogsToTheUsersPlacesAndTellsWhatCouldNotBeMade)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), root.path() + QStringLiteral("/home"));
    const QString blocked = root.path() + QStringLiteral("/blocked");
    writeFile(blocked, "a file where the data folder should be");
    environment.insert(QStringLiteral("XDG_DATA_HOME"), blocked);
    writeFile(programFolder + QStringLiteral("/App.Config"), "<AppConfig/>");
    UserPlaces places(programFolder, false, environment);
    places.prepare();
    host = std::make_unique<Host>(platform, canvas, bitmap, programFolder, places);
    startToReady();
    canvasSays(QStringLiteral("fmactivemenu"), QString()); // the menus enabled again: no second report

    const QStringList alerts = forms.shownForms().filter(QStringLiteral("frmAlert"));
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_TRUE(forms.shown[forms.shownForms().indexOf(alerts.first())].message.contains(blocked + "/vantamorph/LogoImages"));
    const QByteArray log = readFile(root.path() + QStringLiteral("/home/.local/state/vantamorph/Error.log"));
    EXPECT_EQ(log.count("frmMain\\UserPlaces"), 3) << log.toStdString(); // pictures, lists, font movies
    EXPECT_FALSE(QFileInfo::exists(programFolder + QStringLiteral("/Error.log")));
}

} // namespace
} // namespace vm::test
