#include "tests/unit/publish/publish_fixture.h"

namespace vm::test {
namespace {

// However a publish ends, the wait window goes, the user's printer comes back
// and the user reads the truth.
class PublishEndingTest : public PublishFixture {
protected:
    // An EPS publish through the dialog, left waiting for the canvas.
    void startEpsPublish()
    {
        dialog().Form_Load();
        dialog().click(QStringLiteral("optExtension1"));
        dialogs.fileAnswers.enqueue(out(QStringLiteral("logo.eps")));
        ASSERT_TRUE(dialog().imgSave_Click());
        ASSERT_TRUE(dialog().publishRun().waiting());
        ASSERT_EQ(defaultPrinter(), QStringLiteral("Vantamorph"));
    }
    bool told(const QString& part) const
    {
        return !forms.shown.isEmpty() && forms.shown.last().message.contains(part);
    }
    void expectEndedWithoutSuccess()
    {
        EXPECT_FALSE(dialog().publishRun().waiting());
        EXPECT_EQ(defaultPrinter(), QStringLiteral("Office"));
        EXPECT_FALSE(forms.isLoaded(host->waitForm));
        for (const auto& shown : forms.shown)
            EXPECT_NE(shown.message, QStringLiteral("Your logo has been published."));
    }
};

TEST_F(PublishEndingTest, ACanvasThatCannotFinishEndsThePublishAndALateAnswerIsIgnored)
{
    startEpsPublish();
    canvasSays(QStringLiteral("publishfailed"), QStringLiteral("the print was cancelled."));
    expectEndedWithoutSuccess();
    EXPECT_TRUE(told(QStringLiteral("The logo could not be published: the print was cancelled.")));

    // The canvas answering after all converts nothing and claims nothing.
    converter.commandLines.clear();
    canvasSays(QStringLiteral("convertdata"), QStringLiteral("507\u00e6397"));
    EXPECT_TRUE(converter.commandLines.isEmpty());
    EXPECT_TRUE(loggedLabels().contains(QStringLiteral("log \"frmSaveLogo\\\\CreateImage\"")));
    expectEndedWithoutSuccess();
}

TEST_F(PublishEndingTest, TheWaitWindowAsksBeforeItStopsThePublish)
{
    startEpsPublish();
    host->waitForm.closeBox(); // "Stop?" -> closed: the publish goes on
    EXPECT_TRUE(dialog().publishRun().waiting());
    EXPECT_EQ(forms.shown.last().form, QStringLiteral("frmMessageBoxYN"));

    forms.clicks = {QStringLiteral("imgOK")}; // Esc, then yes
    host->waitForm.keyPress(27);
    expectEndedWithoutSuccess();
    EXPECT_TRUE(told(QStringLiteral("publishing was stopped")));
}

// The watchdog that ends a publish the canvas never answers: SafetySession.
TEST_F(PublishEndingTest, SuccessOnlyWhenThisPublishWroteTheTarget)
{
    // A bitmap picture nobody asked for goes nowhere.
    bitmap.raise(QStringLiteral("publishpng"), pictureBase64());
    EXPECT_FALSE(QFileInfo::exists(programFolder + QStringLiteral("/bin/sample.png")));
    EXPECT_EQ(loggedLabels(), QStringList{QStringLiteral("log \"frmMain\\\\ShockwaveFlash1\"")});

    // A converter that writes nothing: the user is told so, not "published".
    converter.produce = false;
    dialogs.fileAnswers.enqueue(out(QStringLiteral("logo.png")));
    host->mainMenu.route(QStringLiteral("mnuPublishPNG100%"));
    bitmap.raise(QStringLiteral("publishpng"), pictureBase64());
    expectEndedWithoutSuccess();
    EXPECT_TRUE(told(QStringLiteral("was not written")));

    // The vector route: the printed target must be there.
    dialog().Form_Load();
    dialog().click(QStringLiteral("optExtension5"));
    dialogs.fileAnswers.enqueue(out(QStringLiteral("v.eps")));
    dialog().imgSave_Click();
    canvasSays(QStringLiteral("vectoreps"), QString());
    expectEndedWithoutSuccess();
}

TEST_F(PublishEndingTest, ATargetThatWasThereBeforeAndWasNotWrittenAgainIsNoSuccess)
{
    // The old picture stayed (the removal failed, say) and the canvas wrote nothing.
    writeFile(out(QStringLiteral("old.png")), "an earlier picture");
    dialog().publishRun().begin(out(QStringLiteral("old.png")), &dialog());
    dialog().publishRun().finish();
    expectEndedWithoutSuccess();
    EXPECT_TRUE(told(QStringLiteral("was not written")));
}

TEST_F(PublishEndingTest, TheTransparentRouteEscapesTheNameAndEndsWithoutABitmapCanvas)
{
    canvasSays(QStringLiteral("publishtransparentimage"), QStringLiteral("a<b>&c</string>"));
    EXPECT_EQ(trace.matching(QStringLiteral("callFunction")),
              QStringList{QStringLiteral("callFunction \"<invoke name='receiveBgName'><arguments><string>"
                                         "a&lt;b&gt;&amp;c&lt;/string&gt;</string></arguments></invoke>\"")});

    // Without a bitmap movie nothing would ever answer.
    bitmap.setMovie(root.path() + QStringLiteral("/missing.swf"));
    dialogs.fileAnswers.enqueue(out(QStringLiteral("clear.png")));
    host->mainMenu.route(QStringLiteral("mnuPublishtransparentPNG"));
    canvasSays(QStringLiteral("publishtransparentimage"), QStringLiteral("png"));
    expectEndedWithoutSuccess();
    EXPECT_TRUE(told(QStringLiteral("bitmap canvas")));
}

TEST_F(PublishEndingTest, APrinterRestoreKeepsTheUsersOwnPrinterAfterAFailure)
{
    // Two failed publishes in a row: the second must not take the print-to-file
    // printer for the user's own.
    startEpsPublish();
    canvasSays(QStringLiteral("publishfailed"), QStringLiteral("x"));
    startEpsPublish();
    canvasSays(QStringLiteral("publishfailed"), QStringLiteral("y"));
    EXPECT_EQ(defaultPrinter(), QStringLiteral("Office"));
}

} // namespace
} // namespace vm::test
