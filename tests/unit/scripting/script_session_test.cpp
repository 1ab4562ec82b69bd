#include "scripting_test_support.h"

namespace vm {
namespace {

using test::Session;

qsizetype indexOf(const QStringList& lines, const QString& start)
{
    for (qsizetype index = 0; index < lines.size(); ++index)
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

    // The splash comes first and hands over to the main window (the start-up
    // order of languages and movies is pinned by the shell's start-up test).
    EXPECT_EQ(indexOf(lines, "window frmSplash shown"), 0) << all.toStdString();
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
    EXPECT_TRUE(lines.contains("state InstallRoot " + Trace::quote(session.root.path() + "/")));

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
