#include "tests/e2e/session_runner.h"

#include <QImage>
#include <QImageReader>

namespace vm::e2e {
namespace {

// The real canvas and a spooler of the test's own with the print-to-file
// printer installed, in one session: every publish item of the menu writes its
// format at its size, the publish dialog replaces the extension the save dialog
// was given and asks before overwriting, and Print goes to the default printer.
// (A first publish without the printer is the ordinary user's test.)
TEST(PublishSession, EveryPublishItemTheDialogAndPrintingWriteWhatTheyShould)
{
    InstalledProgram program;
    useRealCanvasAndOwnPrinter(program);
    const QString folder = program.root_path() + QStringLiteral("/out/");
    QDir().mkpath(folder);
    writeFile(folder + QStringLiteral("logo.tiff"), "old");

    const QSize full(507, 397), quarter(127, 99), thumbnail(100, 78);
    const QList<std::tuple<const char*, const char*, QByteArray, QSize>> items = {
        {"mnuPublishPNG100%", "p100.png", "png", full},    {"mnuPublishPNG25%", "p25.png", "png", quarter},
        {"mnuPublishPNGThumbnail", "pthumb.png", "png", thumbnail},
        {"mnuPublishJPG100%", "j100.jpg", "jpeg", full},   {"mnuPublishJPG25%", "j25.jpg", "jpeg", quarter},
        {"mnuPublishJPGThumbnail", "jthumb.jpg", "jpeg", thumbnail},
        {"mnuPublishGIF100%", "g100.gif", "gif", full},    {"mnuPublishGIF25%", "g25.gif", "gif", quarter},
        {"mnuPublishGIFThumbnail", "gthumb.gif", "gif", thumbnail},
        {"mnuPublishTIFF100%", "t100.tiff", "tiff", full}, {"mnuPublishTIFF25%", "t25.tiff", "tiff", quarter},
        {"mnuPublishTIFFThumbnail", "tthumb.tiff", "tiff", thumbnail},
        {"mnuPublishtransparentPNG", "tp.png", "png", full}, {"mnuPublishtransparentGIF", "tg.gif", "gif", full},
        {"mnuPublishEPS", "eps.eps", "", {}},              {"mnuPublishVEPS", "veps.eps", "", {}},
    };
    QByteArray script = "wait ready\n";
    for (const auto& [key, file, format, size] : items)
        script += "answer savefile " + quoted(folder + QLatin1String(file)) + "\nanswer alert \"ok\"\nmenu \"" + key + "\"\nwait idle\n";
    script += "canvas \"show publish\" \"\"\nclick \"frmSaveLogo\" \"optExtension4\"\nclick \"frmSaveLogo\" \"lblQuarter\"\n"
              "answer savefile " + quoted(folder + QStringLiteral("logo.jpg")) + "\nanswer yesno \"yes\"\nanswer alert \"ok\"\n"
              "click \"frmSaveLogo\" \"imgSave\"\nwait idle\nmenu \"mnuPrintLogo\"\nwait 3000\n";
    const auto result = program.run(script, QString(), 150000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_EQ(matching(result.transcript, QStringLiteral("dialog frmAlert \"Your logo has been published.\" owner=")).size(), 17)
        << result.shown();

    for (const auto& [key, file, format, size] : items) {
        QImageReader reader(folder + QLatin1String(file));
        if (format.isEmpty()) {
            EXPECT_TRUE(readFile(folder + QLatin1String(file)).startsWith("%!PS-Adobe-3.0 EPSF-3.0")) << file;
            continue;
        }
        EXPECT_EQ(reader.format(), format) << file;
        EXPECT_EQ(reader.size(), size) << file;
    }
    // The transparent ones are see-through where the stage is empty.
    EXPECT_EQ(QImage(folder + QStringLiteral("tp.png")).pixelColor(2, 2).alpha(), 0);
    EXPECT_EQ(QImage(folder + QStringLiteral("tg.gif")).pixelColor(2, 2).alpha(), 0);

    // TIFF chosen in the dialog: the asked name's extension gives way, the old file is replaced after a question.
    EXPECT_EQ(matching(result.transcript, QStringLiteral("dialog frmMessageBoxYN")).size(), 1) << result.shown();
    QImageReader replaced(folder + QStringLiteral("logo.tiff"));
    EXPECT_EQ(replaced.format(), QByteArray("tiff"));
    EXPECT_EQ(replaced.size(), quarter);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("logo.jpg")));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("window frmSaveLogo unloaded")));

    const qsizetype printed = result.transcript.indexOf(QStringLiteral("toFlash \"printmovie\" \"True\" -> true"));
    ASSERT_GE(printed, 0) << result.shown();
    EXPECT_FALSE(matching(result.transcript.mid(printed), QStringLiteral("window #32770 \"Print\" shown")).isEmpty()) << result.shown();
}

// A user without administrator rights, running a copy of the program they
// own, publishes for the first time: the print-to-file printer goes into their
// own printer store, the PNG is drawn by the bitmap canvas, and an EPS then
// takes the whole print path (print dialog, print-to-file prompt, converter).
TEST(OrdinaryUser, InstallsThePrinterInTheirOwnStoreAndPublishes)
{
    InstalledProgram program;
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    if (const QString why = runAsOrdinaryUser(program); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const QString home = program.environment.value(QStringLiteral("HOME"));
    const QString png = home + QStringLiteral("/logo.png");
    const QString eps = home + QStringLiteral("/logo.eps");
    const QByteArray script = "wait ready\nanswer yesno \"yes\"\nanswer savefile " + quoted(png)
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishPNG100%\"\nwait idle\n"
                                "answer savefile " + quoted(eps)
                              + "\nanswer alert \"ok\"\nmenu \"mnuPublishEPS\"\nwait idle\n";
    const auto result = program.run(script, QString(), 60000);
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    EXPECT_FALSE(result.has(QStringLiteral("You do not have permission"))) << result.shown();
    EXPECT_TRUE(result.has(QStringLiteral("dialog frmMessageBoxYN \"The Vantamorph printer is not installed."))) << result.shown();
    EXPECT_EQ(result.transcript.count(QStringLiteral("dialog frmAlert \"Your logo has been published.\" owner=frmMain -> ok")), 2)
        << result.shown();
    EXPECT_TRUE(result.has(QStringLiteral("window #32770 \"Print to File\" confirmed"))) << result.shown();

    QImageReader picture(png);
    EXPECT_EQ(picture.format(), QByteArray("png"));
    EXPECT_EQ(picture.size(), QSize(507, 397));
    QFile printed(eps);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(23).startsWith("%!PS-Adobe-3.0 EPSF-3.0"));
    QFile store(home + QStringLiteral("/.config/Vantamorph/spooler.json"));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_TRUE(store.readAll().contains("\"Vantamorph\""));
}

} // namespace
} // namespace vm::e2e
