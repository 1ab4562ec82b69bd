#include "app/scripting/script_session.h"
#include "canvas/player/startup_canvas.h"
#include "platform/scripted/answer_queue.h"
#include "platform/scripted/scripted_form_presenter.h"
#include "platform/scripted/scripted_shell_opener.h"
#include "platform/scripted/scripted_system_dialogs.h"
#include "scripting_test_support.h"
#include "shell/host.h"
#include "tests/fakes/fake_platform.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace vm {
namespace {

// Records the exit instead of ending the test, and stops the session's loop.
struct StoppingProcessControl : ProcessControl {
    QList<int> exits;
    QEventLoop* loop = nullptr;
    void endProcess(int exitCode) override
    {
        exits.append(exitCode);
        if (loop)
            loop->quit();
    }
};

// The real host in a temporary program folder, with the scripted platform.
struct Session {
    explicit Session(bool withMovies = true) : folder(withMovies)
    {
        os.documents = folder.documents();
    }

    // Runs the script from the start of the program to its exit.
    QStringList run(const char* script)
    {
        QEventLoop loop;
        process.loop = &loop;
        ScriptSession session(host, canvas, bitmap, answers, trace, ScriptParser::parse(script));
        host.start();
        session.start();
        QTimer::singleShot(10000, &loop, [&] { ADD_FAILURE() << "the session did not end"; loop.quit(); });
        loop.exec();
        process.loop = nullptr;
        return trace.lines;
    }

    test::ProgramFolder folder;
    test::RecordingTrace trace;
    AnswerQueue answers;
    WindowRegistry windows;
    ScriptedFormPresenter forms{windows, trace, answers};
    ScriptedSystemDialogs dialogs{trace, answers};
    test::FakeOsFacts os;
    test::FakeRights rights;
    ScriptedShellOpener shell{trace};
    test::FakeNetworkInfo network;
    StoppingProcessControl process;
    Platform platform{windows, forms, dialogs, os, rights, shell, network, process, trace};
    StartupCanvas canvas{QStringLiteral("skwFlash"), trace};
    MoviePlayer bitmap{QStringLiteral("ShockwaveFlash1"), trace};
    Host host{platform, canvas, bitmap, folder.programFolder()};
};

qsizetype indexOf(const QStringList& lines, const QString& start, qsizetype from = 0)
{
    for (qsizetype index = from; index < lines.size(); ++index)
        if (lines[index].startsWith(start))
            return index;
    return -1;
}

TEST(ScriptSession, StartsTheProgramAndDumpsItsMenuAndState)
{
    Session session;
    const QStringList lines = session.run("wait 900\n"
                                          "dump menu\n"
                                          "menu \"mnuBondingObjects\"\n"
                                          "menu \"mnuNoSuchItem\"\n"
                                          "key \"Shift+1\"\n"
                                          "key \"Ctrl+Q\"\n"
                                          "frobnicate\n"
                                          "canvas \"datatosave\" \"true\"\n"
                                          "dump state\n"
                                          "answer yesno \"no\"\n");
    const QString all = lines.join(QLatin1Char('\n'));

    // The main window loads: the language goes to the canvas twice, then both movies load.
    const qsizetype firstLanguage = indexOf(lines, R"(toFlash "chlang" "0")");
    const qsizetype secondLanguage = indexOf(lines, R"(toFlash "chlang" "0")", firstLanguage + 1);
    const qsizetype canvasMovie = indexOf(lines, R"(movie "skwFlash" )");
    const qsizetype bitmapMovie = indexOf(lines, R"(movie "ShockwaveFlash1" )");
    ASSERT_GE(firstLanguage, 0) << all.toStdString();
    EXPECT_LT(firstLanguage, secondLanguage);
    EXPECT_LT(secondLanguage, canvasMovie);
    EXPECT_LT(canvasMovie, bitmapMovie);
    EXPECT_EQ(indexOf(lines, "window frmSplash shown"), 0);
    EXPECT_LT(indexOf(lines, "window frmMain shown"), indexOf(lines, "window frmSplash unloaded"));

    // The menu is there once the canvas has announced itself.
    const qsizetype firstItem = indexOf(lines, "item ");
    ASSERT_GE(firstItem, 0) << all.toStdString();
    EXPECT_TRUE(lines[firstItem].startsWith(R"(item "mnuProject" parent="" caption="&Project" enabled=1)"))
        << lines[firstItem].toStdString();
    const qsizetype bonding = indexOf(lines, R"(item "mnuBondingObjects" parent="mnuObject" )");
    ASSERT_GE(bonding, 0);
    EXPECT_TRUE(lines[bonding].endsWith(" enabled=1 checked=1")) << lines[bonding].toStdString();
    EXPECT_GE(indexOf(lines, R"(item "" parent="mnuProject")"), 0); // separators have no key

    // Clicks, missing items, keys, and the lines the script could not read.
    EXPECT_GE(indexOf(lines, R"(menu "mnuBondingObjects")"), 0);
    EXPECT_GE(indexOf(lines, R"(toFlash "ShowSelection" "False")"), 0); // the click unchecked it
    EXPECT_TRUE(lines.contains(R"(menu "mnuNoSuchItem" -> missing)"));
    EXPECT_TRUE(lines.contains(R"(key "Shift+1" -> "mnuQuick")"));
    EXPECT_GE(indexOf(lines, R"(toFlash "quick help" "true")"), 0);
    EXPECT_TRUE(lines.contains(R"(key "Ctrl+Q" -> none)"));
    EXPECT_TRUE(lines.contains(R"(error 7 "unknown statement frobnicate")"));

    // The canvas command reached the host before the dump.
    EXPECT_TRUE(lines.contains(R"(canvas "datatosave" "true")"));
    EXPECT_TRUE(lines.contains("state IsDirty true"));
    EXPECT_TRUE(lines.contains(R"(state CurrentProjectFile "New")"));
    EXPECT_TRUE(lines.contains("state FontListSent true"));
    EXPECT_TRUE(lines.contains("state InstallRoot " + Trace::quote(session.folder.root() + "/")));

    // The script ran out: left-over answers are named, then the program ends.
    EXPECT_EQ(lines.last(), R"(unused answer yesno "no")");
    EXPECT_EQ(session.process.exits, QList<int>({0}));
}

TEST(ScriptSession, ScriptKeepsRunningWhileAModalWindowIsUp)
{
    Session session;
    // The publish item opens the wait window; the help item closes it again.
    session.host.mainMenu.on("mnuPublishLogoDialog", [&] { session.forms.showModal(session.host.waitForm, &session.host.mainForm); });
    session.host.mainMenu.on("mnuHelp", [&] { session.forms.unload(session.host.waitForm); });
    const QStringList lines = session.run("wait 900\n"
                                          "key \"Ctrl+L\"\n"
                                          "dump state\n"
                                          "key \"F1\"\n"
                                          "menu \"mnuAboutUS\"\n");
    const qsizetype shown = indexOf(lines, "window frmWait shown");
    ASSERT_GE(shown, 0) << lines.join('\n').toStdString();
    EXPECT_LT(shown, indexOf(lines, "state IsDirty"));
    EXPECT_LT(indexOf(lines, "state FontListSent"), indexOf(lines, "window frmWait unloaded"));
    EXPECT_LT(indexOf(lines, "window frmWait unloaded"), indexOf(lines, R"(dialog frmAbout "" owner=frmMain -> close)"));
    EXPECT_EQ(session.process.exits, QList<int>({0}));
}

TEST(ScriptSession, WithoutMoviesTheCanvasSaysNothingAndTheMenuNeverComes)
{
    Session session(false);
    const QStringList lines = session.run("wait 700\n"
                                          "canvas \"fmloaded\" \"\"\n"
                                          "menu \"mnuExit\"\n"
                                          "close\n"
                                          "dump state\n");
    EXPECT_TRUE(lines.contains(R"(canvas "fmloaded" "" -> no movie)")) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(R"(menu "mnuExit" -> missing)"));
    // Closing a clean program ends it: nothing after that runs.
    EXPECT_EQ(lines.last(), "close");
    EXPECT_EQ(session.process.exits, QList<int>({0}));
}

} // namespace
} // namespace vm
