// The edges of publishing, saving and opening, through the real program:
// nothing hangs, nothing is lost, and a failure is never reported as success.
#include "tests/e2e/session_runner.h"

namespace vm::e2e {
namespace {

const QByteArray ae = "\xc3\xa6";

class SafetySession : public ::testing::Test {
protected:
    void SetUp() override
    {
        installOwnPrinter(program);
        QDir().mkpath(out(QString()));
    }
    QString out(const QString& name) const { return program.root_path() + QStringLiteral("/out/") + name; }
    static constexpr const char* published = "Your logo has been published.";

    InstalledProgram program;
};

TEST_F(SafetySession, APublishTheCanvasCannotFinishEndsWithAMessage)
{
    // The real canvas without its bitmap movie: the picture can never come.
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    QFile::remove(program.installRoot() + QStringLiteral("flash/DrawBitmap.swf"));
    const QByteArray script = "wait ready\nanswer savefile " + quoted(out(QStringLiteral("a.png")))
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishPNG100%\"\nwait idle\n"
                              "answer savefile " + quoted(out(QStringLiteral("b.png")))
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishtransparentPNG\"\nwait idle\ndump state\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_EQ(matching(result.transcript, QStringLiteral("dialog frmAlert \"The logo could not be published: the bitmap canvas is not loaded.")).size(), 2)
        << result.shown();
    EXPECT_FALSE(result.has(QLatin1String(published)));
    EXPECT_FALSE(result.has(QStringLiteral("timed out")));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("window frmWait unloaded")));
}

// The scripted canvas: its first statement comes before the movie has loaded
// (it waits instead of being dropped), a saved path keeps its field separator,
// and publishes it never answers can be left or end by the watchdog.
TEST_F(SafetySession, CanvasStatementsWaitForTheMovieAndASilentCanvasCanBeLeftOrTimesOut)
{
    program.environment.insert(QStringLiteral("VANTAMORPH_PUBLISH_TIMEOUT_SECONDS"), QStringLiteral("2"));
    const QString odd = out(QStringLiteral("bl\u00e6k.vmp"));
    const QString cut = out(QStringLiteral("bl"));
    writeFile(cut, "someone else's");
    const QByteArray script = "canvas \"datatosave\" \"true\"\nwait ready\nanswer savefile " + quoted(odd)
                              + "\nkey \"Ctrl+S\"\ncanvas \"show save\" \"" + odd.toUtf8() + ae + "<logo/>\"\ndump state\n"
                                "answer savefile " + quoted(out(QStringLiteral("a.png")))
                              + "\nmenu \"mnuPublishPNG100%\"\nanswer yesno \"yes\"\nanswer alert \"ok\"\n"
                                "click \"frmWait\" \"(close)\"\nwait idle\n"
                                "answer savefile " + quoted(out(QStringLiteral("b.png")))
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishPNG100%\"\nwait idle\n"
                                "bitmap \"publishpng\" \"iVBORw0KGgo=\"\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_FALSE(result.has(QStringLiteral("-> no movie"))) << result.shown();
    EXPECT_EQ(readFile(odd), QByteArray("<logo/>"));
    EXPECT_EQ(readFile(cut), QByteArray("someone else's"));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("state CurrentProjectFile ") + QString::fromUtf8(quoted(odd))));

    EXPECT_TRUE(result.has(QStringLiteral("The logo could not be published: publishing was stopped."))) << result.shown();
    EXPECT_TRUE(result.has(QStringLiteral("The logo could not be published: the canvas did not finish")));
    EXPECT_FALSE(result.has(QLatin1String(published)));
    EXPECT_FALSE(result.has(QStringLiteral("timed out")));
    // The late picture is logged and goes nowhere.
    EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("b.png"))));
    EXPECT_TRUE(program.errorLog().contains("frmMain\\ShockwaveFlash1"));
}

// A declined overwrite keeps the logo, a cancelled close keeps the program
// publishing, and a refused open keeps the logo, its file and the history.
TEST_F(SafetySession, DeclinedOverwriteCancelledCloseAndRefusedOpenKeepEverything)
{
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    const QString existing = out(QStringLiteral("existing.vmp"));
    writeFile(existing, "theirs");
    const QString good = out(QStringLiteral("good.vmp"));
    const QString damaged = out(QStringLiteral("damaged.vmp"));
    writeFile(damaged, "<VantamorphLogo version=\"1\"><text");
    const QByteArray history = readFile(program.file(QStringLiteral("App.Config")));
    const QByteArray script = "wait ready\nmenu \"mnuAddText\"\nwait 200\n"
                              // New, Yes, an existing file, No to replacing it: nothing happens.
                              "answer yesnocancel \"yes\"\nanswer savefile " + quoted(existing)
                              + "\nanswer yesno \"no\"\nmenu \"mnuNewProject\"\nwait 300\n"
                                // Close, Cancel: the program stays and can still publish EPS.
                                "answer msgbox \"cancel\"\nclose\n"
                                "answer savefile " + quoted(out(QStringLiteral("after.eps")))
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishEPS\"\nwait idle\ndump state\n"
                                "answer savefile " + quoted(good) + "\nkey \"Ctrl+S\"\nwait 300\n"
                                "menu \"mnuAddText\"\nwait 200\nanswer openfile " + quoted(damaged)
                              + "\nanswer yesno \"no\"\nanswer alert \"ok\"\nmenu \"mnuOpenProject\"\nwait 500\ndump state\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_FALSE(result.has(QStringLiteral("toFlash \"show new\""))) << result.shown();
    const QStringList dirty = matching(result.transcript, QStringLiteral("state IsDirty"));
    EXPECT_EQ(dirty, QStringList(2, QStringLiteral("state IsDirty true")));
    EXPECT_EQ(readFile(existing), QByteArray("theirs"));
    EXPECT_TRUE(result.has(QLatin1String(published))) << result.shown();
    EXPECT_TRUE(readFile(out(QStringLiteral("after.eps"))).startsWith("%!PS-Adobe-3.0 EPSF-3.0"));

    EXPECT_TRUE(result.transcript.contains(QStringLiteral("state CurrentProjectFile ") + QString::fromUtf8(quoted(good))));
    const QByteArray after = readFile(program.file(QStringLiteral("App.Config")));
    EXPECT_TRUE(after.contains(good.toUtf8()));
    EXPECT_FALSE(after.contains(damaged.toUtf8()));
    EXPECT_NE(after, history);
}

} // namespace
} // namespace vm::e2e
